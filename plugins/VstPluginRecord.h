#pragma once

#include <cstddef>
#include <cstdint>

// The record a VST 2 plug-in hands to its host, and the few opcodes this
// program uses, written from the published binary layout (LP64, plain C
// calling convention). Offsets are checked below: a plug-in built by anyone
// else must agree with them byte for byte.
struct VstPluginRecord;

using VstDispatcher = intptr_t (*)(VstPluginRecord* record, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                   float opt);
using VstHostCallbackFunction = VstDispatcher;
using VstProcess = void (*)(VstPluginRecord* record, float** inputs, float** outputs, int32_t frames);
using VstProcessDouble = void (*)(VstPluginRecord* record, double** inputs, double** outputs, int32_t frames);
using VstSetParameter = void (*)(VstPluginRecord* record, int32_t index, float value);
using VstGetParameter = float (*)(VstPluginRecord* record, int32_t index);
// The exported entry point: takes the host callback, returns the record (or null).
using VstEntryPoint = VstPluginRecord* (*)(VstHostCallbackFunction host);

struct VstPluginRecord
{
    int32_t magic;
    VstDispatcher dispatcher;
    VstProcess process;
    VstSetParameter setParameter;
    VstGetParameter getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t reserved1;
    intptr_t reserved2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID;
    int32_t version;
    VstProcess processReplacing;
    VstProcessDouble processDoubleReplacing;
    char future[56];
};

static_assert(offsetof(VstPluginRecord, magic) == 0);
static_assert(offsetof(VstPluginRecord, dispatcher) == 8);
static_assert(offsetof(VstPluginRecord, process) == 16);
static_assert(offsetof(VstPluginRecord, setParameter) == 24);
static_assert(offsetof(VstPluginRecord, getParameter) == 32);
static_assert(offsetof(VstPluginRecord, numPrograms) == 40);
static_assert(offsetof(VstPluginRecord, numParams) == 44);
static_assert(offsetof(VstPluginRecord, numInputs) == 48);
static_assert(offsetof(VstPluginRecord, numOutputs) == 52);
static_assert(offsetof(VstPluginRecord, flags) == 56);
static_assert(offsetof(VstPluginRecord, reserved1) == 64);
static_assert(offsetof(VstPluginRecord, reserved2) == 72);
static_assert(offsetof(VstPluginRecord, initialDelay) == 80);
static_assert(offsetof(VstPluginRecord, ioRatio) == 92);
static_assert(offsetof(VstPluginRecord, object) == 96);
static_assert(offsetof(VstPluginRecord, user) == 104);
static_assert(offsetof(VstPluginRecord, uniqueID) == 112);
static_assert(offsetof(VstPluginRecord, version) == 116);
static_assert(offsetof(VstPluginRecord, processReplacing) == 120);
static_assert(offsetof(VstPluginRecord, processDoubleReplacing) == 128);
static_assert(offsetof(VstPluginRecord, future) == 136);
static_assert(sizeof(VstPluginRecord) == 192);

namespace Vst
{
// 'VstP': the record's first four bytes.
constexpr int32_t kMagic = 0x56737450;

// Opcodes of the plug-in's dispatcher.
constexpr int32_t kOpen = 0;
constexpr int32_t kClose = 1;
constexpr int32_t kGetParamName = 8;
constexpr int32_t kSetSampleRate = 10;
constexpr int32_t kSetBlockSize = 11;
constexpr int32_t kMainsChanged = 12;
constexpr int32_t kConnectOutput = 32;
constexpr int32_t kSetBlockSizeAndSampleRate = 43;
constexpr int32_t kGetEffectName = 45;
constexpr int32_t kGetVendorString = 47;
constexpr int32_t kGetVstVersion = 58;

// Opcodes of the host callback.
constexpr int32_t kHostVersion = 1;
constexpr int32_t kHostGetSampleRate = 16;
constexpr int32_t kHostGetBlockSize = 17;

// What this host reports as its own VST version.
constexpr intptr_t kHostVersionAnswer = 2300;
} // namespace Vst
