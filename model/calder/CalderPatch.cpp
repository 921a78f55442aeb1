#include "model/calder/CalderPatch.h"

#include <algorithm>

CCalderPatch::CCalderPatch()
{
    ResetBytes();
}

void CCalderPatch::ResetBytes()
{
    m_header = CSysExHeader(kHeaderType);
    m_bytes.fill(0);
    const SysExBuffer header = m_header.Write();
    std::copy(header.begin(), header.end(), m_bytes.begin());
    std::fill_n(m_bytes.begin() + kNameByte, kNameLength, ' ');
    m_bytes.back() = SysExBuffer::kEnd;
    m_header.SetLocation(GetLocation());
    m_header.SetBulkFlag(GetBulkFlag());
}

void CCalderPatch::ResetToDefaults()
{
    CPatch::ResetToDefaults();
    ResetBytes();
}

void CCalderPatch::SetLocation(int location)
{
    CPatch::SetLocation(location);
    m_header.SetLocation(location);
}

void CCalderPatch::SetBulkFlag(bool flag)
{
    CPatch::SetBulkFlag(flag);
    m_header.SetBulkFlag(flag);
}

bool CCalderPatch::Read(const SysExBuffer& bytes, size_t& position)
{
    // A patch is a message of its own: a buffer holding anything more, or a
    // position past its start, is not one.
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    ResetToDefaults();
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin());
    position += kSysExSize;

    // The unit's header type is not checked: only its bytes are kept.
    size_t headerPosition = 0;
    m_header.Read(bytes, headerPosition);

    const std::string name(m_bytes.begin() + kNameByte, m_bytes.begin() + kNameByte + kNameLength);
    SetName(name);
    SetFilePath(name);
    SetBulkFlag(m_bytes[kBulkFlagByte] == 1);
    SetLocation(m_bytes[kLocationByte]);
    return true;
}

SysExBuffer CCalderPatch::Write() const
{
    std::string name = GetName().substr(0, kNameLength);
    name.resize(kNameLength, ' ');

    SysExBuffer out;
    for (size_t i = 0; i < m_bytes.size(); ++i)
    {
        if (i == kBulkFlagByte)
            out.PushByte(GetBulkFlag() ? 1 : 0);
        else if (i == kLocationByte)
            out.PushByte(static_cast<uint8_t>(GetLocation()));
        else if (i >= kNameByte && i < kNameByte + kNameLength)
            out.PushByte(static_cast<uint8_t>(name[i - kNameByte]));
        else
            out.PushByte(m_bytes[i]);
    }
    return out;
}
