#pragma once

#include <string>

// The plug-in parameter mapped onto a control. The short name follows the
// control's name (CBaseControlState::SetName keeps them equal).
struct ImportedParamRecord
{
    std::string fullName;
    std::string shortName;
    int index = -1; // -1: no parameter

    void Assign(const ImportedParamRecord& source) { *this = source; }
};
