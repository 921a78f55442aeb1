#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "model/BulkEntry.h"
#include "model/SysExFile.h"

// A bank of a fixed number of entries of one type: the unit's template
// memories or a bank of patches. Entry i carries location i and the bulk flag
// whenever the bank sets or resets it, so locations follow places, not
// entries. Indices must lie below GetCount (the containers throw otherwise).
class IBulkDump
{
public:
    virtual ~IBulkDump() = default;

    // Every entry fresh, at its own location, flagged as part of the bank.
    // The modified flag is left alone.
    virtual void ResetAll() = 0;
    virtual int GetCount() const = 0;
    // Copies the entry into place index (location index, bulk flag set) and
    // marks the bank modified. False, and nothing changes, when the entry is
    // not of this bank's type.
    virtual bool SetEntry(const IBulkEntry& entry, int index) = 0;
    virtual IBulkEntry& GetEntry(int index) = 0;
    virtual const IBulkEntry& GetEntry(int index) const = 0;
    // The entry at index back to a fresh one; marks the bank modified.
    virtual void ResetEntry(int index) = 0;
    // Exchanges two places' entries; each takes its new place's location.
    virtual void SwapEntries(int a, int b) = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    // A whole bank was loaded or received.
    virtual bool IsComplete() const = 0;
    virtual void SetComplete(bool complete) = 0;
    // Reads the first message at or after offset of the file into the entry
    // at index, and moves offset just past that message's F7. On failure the
    // entry and offset are unchanged.
    virtual bool LoadEntryFromFile(int index, const std::string& path, size_t& offset) = 0;
};

// N entries of type T. T is default-constructible into its reset state and
// copy-assignable (a template copies through its dump).
template <typename T, int N>
class CBulkDump : public IBulkDump
{
public:
    CBulkDump() { ResetAll(); }

    void ResetAll() override
    {
        for (int i = 0; i < N; ++i)
            m_entries[i] = Fresh(i);
    }

    int GetCount() const override { return N; }

    bool SetEntry(const IBulkEntry& entry, int index) override
    {
        const T* source = dynamic_cast<const T*>(&entry);
        if (!source)
            return false;
        T& target = *m_entries.at(index);
        if (source != &target)
            target = *source;
        PlaceAt(target, index);
        m_modified = true;
        return true;
    }

    IBulkEntry& GetEntry(int index) override { return *m_entries.at(index); }
    const IBulkEntry& GetEntry(int index) const override { return *m_entries.at(index); }

    void ResetEntry(int index) override
    {
        // A fresh entry rather than ResetToDefaults: a template keeps the dump
        // it was last read from, whose unmodelled bits would survive a reset.
        m_entries.at(index) = Fresh(index);
        m_modified = true;
    }

    void SwapEntries(int a, int b) override
    {
        std::swap(m_entries.at(a), m_entries.at(b));
        PlaceAt(*m_entries[a], a);
        PlaceAt(*m_entries[b], b);
        m_modified = true;
    }

    bool IsModified() const override { return m_modified; }
    void SetModified(bool modified) override { m_modified = modified; }
    bool IsComplete() const override { return m_complete; }
    void SetComplete(bool complete) override { m_complete = complete; }

    bool LoadEntryFromFile(int index, const std::string& path, size_t& offset) override
    {
        std::unique_ptr<T>& slot = m_entries.at(index);
        SysExBuffer message;
        size_t next = offset;
        if (!ReadSysExFromFile(path, message, offset, next))
            return false;
        // Read into a fresh entry so a refused message leaves the bank as it was.
        auto entry = std::make_unique<T>();
        size_t position = 0;
        if (!entry->Read(message, position))
            return false;
        slot = std::move(entry);
        // Past the F7 just read, not offset + entry size: bytes skipped before
        // the message would otherwise bring the next read back into it.
        offset = next;
        return true;
    }

private:
    static void PlaceAt(T& entry, int index)
    {
        entry.SetLocation(index);
        entry.SetBulkFlag(true);
    }
    static std::unique_ptr<T> Fresh(int index)
    {
        auto entry = std::make_unique<T>();
        PlaceAt(*entry, index);
        return entry;
    }

    std::array<std::unique_ptr<T>, N> m_entries;
    bool m_modified = false;
    bool m_complete = false;
};
