#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/SysExBuffer.h"

// A file of SysEx messages back to back (an OS image), in file order.
class CSysExMetaStream
{
public:
    virtual ~CSysExMetaStream() = default;

    // Replaces the list with the file's messages, read one after the other
    // until the first that is missing or malformed (which is not kept).
    // Bytes between messages are skipped. Answers IsValid.
    virtual bool LoadFromFile(const std::string& path);
    // Every message passes SysExBuffer::IsValid; an empty list passes.
    virtual bool IsValid() const;

    size_t GetCount() const { return m_messages.size(); }
    // index < GetCount(); a wrong index throws std::out_of_range.
    const SysExBuffer& GetMessage(size_t index) const { return m_messages.at(index); }
    void ClearMessages() { m_messages.clear(); }

private:
    std::vector<SysExBuffer> m_messages;
};
