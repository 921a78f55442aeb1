#include "model/SysExMetaStream.h"

#include <algorithm>

#include "model/SysExFile.h"

bool CSysExMetaStream::LoadFromFile(const std::string& path)
{
    ClearMessages();
    size_t offset = 0;
    SysExBuffer message;
    // Each read resumes just past the F7 the previous one consumed, so no
    // message is read twice, whatever stands before it.
    while (ReadSysExFromFile(path, message, offset, offset))
        m_messages.push_back(message);
    return IsValid();
}

bool CSysExMetaStream::IsValid() const
{
    return std::all_of(m_messages.begin(), m_messages.end(),
                       [](const SysExBuffer& message) { return message.IsValid(); });
}
