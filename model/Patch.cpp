#include "model/Patch.h"

#include <cctype>

#include "model/FileNameText.h"

std::string CPatch::GetDefaultFileName() const
{
    std::string name = MakeFileNameSafe(m_filePath.empty() ? m_name : m_filePath);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.pop_back();
    if (name.find(".syx") == std::string::npos)
        name += ".syx";
    return name;
}

void CPatch::ResetToDefaults()
{
    m_name.clear();
    m_filePath.clear();
    m_location = 0;
    m_bulkFlag = false;
}
