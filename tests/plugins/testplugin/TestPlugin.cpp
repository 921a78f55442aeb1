// A small VST 2 plug-in for the examiner's tests, built in variants by defines:
// the entry point's name, effect and vendor names, number of parameters,
// magic, VST version, a crash or an exception in effOpen, a crash in the entry
// point, and a library whose loading crashes, never returns, ends the
// process or takes its time. Every call of its entry point and dispatcher is logged; tests read
// it through DorvaTestPluginLog.
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "plugins/VstPluginRecord.h"

#ifndef ENTRY_NAME
#define ENTRY_NAME "VSTPluginMain"
#endif
#ifndef EFFECT_NAME
#define EFFECT_NAME "Test Synth"
#endif
#ifndef VENDOR_NAME
#define VENDOR_NAME "Dorva Test Plug-ins"
#endif
#ifndef PARAM_COUNT
#define PARAM_COUNT 4
#endif
#ifndef MAGIC
#define MAGIC 0x56737450
#endif
#ifndef VST_VERSION
#define VST_VERSION 2400
#endif
#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
// A store through it faults; the compiler cannot know it is null.
int* volatile g_nowhere = nullptr;

#if defined(CRASH_ON_LOAD) || defined(HANG_ON_LOAD) || defined(EXIT_ON_LOAD) || defined(SLOW_ON_LOAD)
// Runs while the loader maps the library, before any entry point is looked up.
__attribute__((constructor)) void OnLoad()
{
#ifdef CRASH_ON_LOAD
    *g_nowhere = 1;
#endif
#ifdef HANG_ON_LOAD
    for (;;)
        pause();
#endif
#ifdef EXIT_ON_LOAD
    std::exit(0);
#endif
#ifdef SLOW_ON_LOAD
    usleep(700000);
#endif
}
#endif

std::string g_log;
VstHostCallbackFunction g_host = nullptr;

// The first four names; any further parameter is "Extra <index>".
const char* const kParamNames[] = {"Filter Cutoff", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd",
                                   "Envelope Attack Time"};

intptr_t Dispatcher(VstPluginRecord* record, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    g_log += std::to_string(opcode) + ":" + std::to_string(index) + ":" + std::to_string(value) + ":" +
             std::to_string(static_cast<int>(opt)) + " ";
    const auto name = [ptr](const std::string& text) { return std::strcpy(static_cast<char*>(ptr), text.c_str()), 1; };
    switch (opcode)
    {
    case Vst::kOpen:
#ifdef CRASH_IN_OPEN
        *static_cast<volatile int*>(record->user) = 1;
#endif
#ifdef THROW_IN_OPEN
        throw std::runtime_error("refusing to open");
#endif
        g_host(record, Vst::kHostGetSampleRate, 0, 0, nullptr, 0.0f);
        g_host(record, Vst::kHostGetBlockSize, 0, 0, nullptr, 0.0f);
        return 0;
    case Vst::kGetVstVersion:
        return VST_VERSION;
    case Vst::kGetEffectName:
        return name(EFFECT_NAME);
    case Vst::kGetVendorString:
        return name(VENDOR_NAME);
    case Vst::kGetParamName:
        if (index >= 0 && index < PARAM_COUNT)
            name(index < 4 ? kParamNames[index] : "Extra " + std::to_string(index));
        return 0;
    case Vst::kClose:
        *record = VstPluginRecord{};
        return 0;
    default:
        return 0;
    }
}
} // namespace

EXPORT const char* DorvaTestPluginLog()
{
    return g_log.c_str();
}

EXPORT VstPluginRecord* PluginEntry(VstHostCallbackFunction host) __asm__(ENTRY_NAME);
EXPORT VstPluginRecord* PluginEntry(VstHostCallbackFunction host)
{
#ifdef CRASH_IN_ENTRY
    *g_nowhere = 1;
#endif
    g_host = host;
    // Hosts are asked for their version before the record exists.
    g_log += "entry:" + std::to_string(host(nullptr, Vst::kHostVersion, 0, 0, nullptr, 0.0f)) + " ";
    // Not allocated: a host that refuses the record (its magic, say) cannot free it.
    static VstPluginRecord instance;
    instance = VstPluginRecord{};
    VstPluginRecord* record = &instance;
    record->magic = MAGIC;
    record->dispatcher = Dispatcher;
    record->numParams = PARAM_COUNT;
    record->numOutputs = 2;
    record->version = 1;
    return record;
}
