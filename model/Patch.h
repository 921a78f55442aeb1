#pragma once

#include <string>

#include "model/BulkEntry.h"

// A sound patch of the patch librarian: the model-independent part. The model
// class knows the dump.
class CPatch : public IBulkEntry
{
public:
    std::string GetName() const override { return m_name; }
    void SetName(const std::string& name) override { m_name = name; }
    void SetLocation(int location) override { m_location = location; }
    void SetBulkFlag(bool flag) override { m_bulkFlag = flag; }
    // The file path, or the name when there is none, made safe for a file
    // name, trailing white space removed, ".syx" added unless it holds one.
    std::string GetDefaultFileName() const override;
    void SetFilePath(const std::string& path) override { m_filePath = path; }
    // Empty name and path, location 0, not part of a bank.
    void ResetToDefaults() override;

    const std::string& GetFilePath() const { return m_filePath; }
    int GetLocation() const { return m_location; }
    bool GetBulkFlag() const { return m_bulkFlag; }

private:
    std::string m_name;
    std::string m_filePath;
    int m_location = 0;
    bool m_bulkFlag = false;
};
