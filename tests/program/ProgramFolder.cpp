#include "tests/program/ProgramFolder.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder()
{
    const fs::path built(DORVA_PROGRAM);
    std::error_code linked;
    fs::create_hard_link(built, Program(), linked);
    if (linked)
        fs::copy_file(built, Program());
    for (const char* shipped : {"Common.xrc", "DorvaSynthEditor.xrc", "images", "FactorySettings.blk"})
        if (fs::exists(built.parent_path() / shipped))
            fs::copy(built.parent_path() / shipped, File(shipped), fs::copy_options::recursive);
}

std::string ProgramFolder::Program() const
{
    return File(fs::path(DORVA_PROGRAM).filename().string());
}

void ProgramFolder::Remove(const std::string& relative)
{
    fs::remove_all(File(relative));
}

void ProgramFolder::Write(const std::string& relative, const std::string& content)
{
    std::ofstream(File(relative), std::ios::binary | std::ios::trunc) << content;
}
