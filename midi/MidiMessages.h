#pragma once

#include <cstdint>

#include "model/TemplateModel.h"

// The largest SysEx message sent, F0 and F7 included.
constexpr int kMaxSysExLength = 4352;
// The largest message the input assembles, F0 and F7 included: the largest
// template dump the program reads (a Calder template), so that a dump of
// every model can be received.
constexpr int kMaxSysExReceiveLength = static_cast<int>(kCalderDumpSize);

// One incoming channel or system message, copied by value through the
// short-message queue.
struct MidiShortMessage
{
    uint8_t status = 0;
    int data1 = 0;
    int data2 = 0; // 0 for messages with one data byte
    int64_t time = 0; // arrival in driver milliseconds times 1,000,000; nothing reads it
};

// One complete incoming SysEx message, copied by value through the SysEx
// queue. A queued record always holds an F7; its length is found by that
// first F7 (count is reset to 0 when the message completes).
struct SysExRecord
{
    uint8_t bytes[kMaxSysExReceiveLength] = {};
    int count = 0;
    bool started = false;

    // Number of bytes from the F0 through the first F7; 0 when there is no F7.
    int MessageLength() const
    {
        for (int i = 0; i < kMaxSysExReceiveLength; ++i)
            if (bytes[i] == 0xF7)
                return i + 1;
        return 0;
    }
};
