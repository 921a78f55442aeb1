#pragma once

#include <string>

#include "model/SysExSerialise.h"

class CSysExHeader;

// One entry of a bank: a template or a patch. Read takes one whole entry
// dump; Write gives it back with the entry's bulk flag (header byte 7) and
// location (header byte 12), the two bytes a bank rewrites when it moves
// entries about.
class IBulkEntry : public ISysExSerialise
{
public:
    // The name the bank's list shows (a template's display name).
    virtual std::string GetName() const = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual void SetLocation(int location) = 0;
    virtual void SetBulkFlag(bool flag) = 0;
    // A file name for saving the entry on its own, ending in ".syx".
    virtual std::string GetDefaultFileName() const = 0;
    virtual void SetFilePath(const std::string& path) = 0;
    // The length of the entry's one dump message.
    virtual int GetSysExSize() const = 0;
    virtual void ResetToDefaults() = 0;
    virtual CSysExHeader& GetHeader() = 0;
    virtual const CSysExHeader& GetHeader() const = 0;
};
