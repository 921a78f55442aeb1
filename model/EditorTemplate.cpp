#include "model/EditorTemplate.h"

#include <algorithm>

#include "model/BulkReading.h"
#include "model/FileNameText.h"

bool CEditorTemplate::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!ParseSysEx(bytes, position))
        return false;
    m_keptDump = bytes;

    // The mask is built where it stays, over the common length, each byte
    // as PushByte would store it.
    const SysExBuffer again = SerialiseSysEx();
    const size_t common = std::min(m_keptDump.size(), again.size());
    m_lostBitMask.resize(common);
    const uint8_t* kept = m_keptDump.data();
    const uint8_t* fresh = again.data();
    uint8_t* mask = m_lostBitMask.data();
    for (size_t i = 0; i < common; ++i)
        mask[i] = SysExBuffer::Filtered(static_cast<uint8_t>(kept[i] ^ fresh[i]));
    return true;
}

SysExBuffer CEditorTemplate::Write() const
{
    SysExBuffer out = SerialiseSysEx();
    const size_t length = out.size();
    if (length != m_lostBitMask.size() || length != m_keptDump.size())
        return out;

    // Merged in place, each byte as PushByte would store it.
    uint8_t* bytes = out.data();
    const uint8_t* mask = m_lostBitMask.data();
    const uint8_t* kept = m_keptDump.data();
    for (size_t i = 0; i < length; ++i)
        bytes[i] = SysExBuffer::Filtered(static_cast<uint8_t>((bytes[i] & ~mask[i]) | (kept[i] & mask[i])));
    return out;
}

std::string CEditorTemplate::GetDefaultFileName() const
{
    if (m_pathValid && !m_filePath.empty())
        return m_filePath;
    return MakeFileNameSafe(GetDisplayName()) + ".syx";
}

void CEditorTemplate::SetFilePath(const std::string& path)
{
    m_filePath = path;
}

int CEditorTemplate::NextControlIndex(int index, bool forward) const
{
    const int last = GetLastControlIndex();
    if (forward)
        return index >= last ? 0 : index + 1;
    return index <= 0 ? last : index - 1;
}

void CEditorTemplate::Assign(const CEditorTemplate& other)
{
    if (&other == this)
        return;
    {
        // A copy is a whole dump, header included, even while a bank is read.
        ScopedBulkReading wholeDump(false);
        size_t position = 0;
        Read(other.Write(), position);
    }
    ResetUndoState();
}
