#include "model/EditorTemplate.h"

#include <algorithm>

#include "model/BulkReading.h"
#include "model/FileNameText.h"

bool CEditorTemplate::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!ParseSysEx(bytes, position))
        return false;
    m_keptDump = bytes;

    const SysExBuffer again = SerialiseSysEx();
    m_lostBitMask.Clear();
    const size_t common = std::min(m_keptDump.size(), again.size());
    for (size_t i = 0; i < common; ++i)
        m_lostBitMask.PushByte(static_cast<uint8_t>(m_keptDump[i] ^ again[i]));
    return true;
}

SysExBuffer CEditorTemplate::Write() const
{
    SysExBuffer fresh = SerialiseSysEx();
    if (fresh.size() != m_lostBitMask.size() || fresh.size() != m_keptDump.size())
        return fresh;

    SysExBuffer out;
    for (size_t i = 0; i < fresh.size(); ++i)
    {
        const uint8_t mask = m_lostBitMask[i];
        out.PushByte(static_cast<uint8_t>((fresh[i] & ~mask) | (m_keptDump[i] & mask)));
    }
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
