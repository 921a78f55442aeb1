#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/Command.h"
#include "model/BulkEntry.h"

class CBaseControlState;
class CSysExHeader;
class CTemplateLocals;
class CTemplateGroups;
class CKeyboardZone;
struct ImportedParamRecord;

// A template of any model: one complete set of control assignments plus the
// template-wide settings, exchanged with the unit and with files as one SysEx
// dump. Each model derives its own class that knows its dump and controls; the
// base keeps what every model shares: the file path, the imported controls, the
// undo history, and the dump it was last read from, so that bits the editor
// does not model are written back as they were read.
//
// Edits go through SubmitCommand only. Not copyable: a copy is Assign, a round
// trip through the dump.
class CEditorTemplate : public IBulkEntry
{
public:
    CEditorTemplate();
    ~CEditorTemplate() override;
    CEditorTemplate(const CEditorTemplate&) = delete;
    CEditorTemplate& operator=(const CEditorTemplate&) = delete;

    // Reads a whole dump (ParseSysEx) and keeps it, with the mask of the bits
    // that writing would change. False when the model refuses the dump; the
    // template may then be partly changed.
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    // The model's dump, with every bit the last Read could not reproduce kept
    // as it was read.
    SysExBuffer Write() const override;

    virtual std::string GetDisplayName() const = 0;
    // As a bank entry a template is listed by its display name.
    std::string GetName() const final { return GetDisplayName(); }
    void SetName(const std::string& name) override = 0;
    // Header byte 12 (memory location) and byte 7 (part of a bulk dump).
    void SetLocation(int location) override;
    void SetBulkFlag(bool flag) override;
    // The path when it belongs to this content, else the display name made
    // safe for a file name, with ".syx".
    std::string GetDefaultFileName() const override;
    void SetFilePath(const std::string& path) override;
    int GetSysExSize() const override = 0;
    void ResetToDefaults() override = 0;
    CSysExHeader& GetHeader() override = 0;
    const CSysExHeader& GetHeader() const override = 0;

    // Keyboard zones: none in the base.
    virtual bool GetZonesEnabled() const { return false; }
    virtual void SetZonesEnabled(bool /*enabled*/) {}
    virtual CKeyboardZone* GetKeyboardZone(int /*zone*/) { return nullptr; }
    const CKeyboardZone* GetKeyboardZone(int zone) const
    {
        return const_cast<CEditorTemplate*>(this)->GetKeyboardZone(zone);
    }

    virtual CTemplateLocals& GetLocals() = 0;
    virtual const CTemplateLocals& GetLocals() const = 0;
    // The port and channel groups block, for models that have one.
    virtual CTemplateGroups* GetGroups() { return nullptr; }

    // Builds a template from a plug-in's parameters: one parameter per control
    // index in order, every parameter also kept under the imported controls.
    virtual void ImportParameters(const std::string& pluginName, const std::string& manufacturer,
                                  const std::vector<ImportedParamRecord>& parameters);
    // Fills this template from one of another model. The caller runs
    // ValidateAfterLoad afterwards.
    virtual bool ConvertFrom(const CEditorTemplate& other);
    virtual int GetLastControlIndex() const = 0;
    virtual bool IsIndexValid(int /*index*/) const { return true; }
    // Runs after a dump was loaded or converted: ClampControls here, models
    // add their repairs.
    virtual void ValidateAfterLoad();
    // The control at a panel index, or null.
    virtual CBaseControlState* GetControl(int index) = 0;
    const CBaseControlState* GetControl(int index) const
    {
        return const_cast<CEditorTemplate*>(this)->GetControl(index);
    }
    // The neighbour of an index, wrapping round at both ends.
    virtual int NextControlIndex(int index, bool forward) const;
    // Replaces the whole content by other's through its dump, and starts a
    // fresh history. Nothing happens when other is this template.
    virtual void Assign(const CEditorTemplate& other);
    virtual bool ParseSysEx(const SysExBuffer& bytes, size_t& position) = 0;
    virtual SysExBuffer SerialiseSysEx() const = 0;
    // Adds other's controls whose message type this device supports to the
    // imported controls, each once.
    virtual bool CollectCompatibleControls(const CEditorTemplate& other);
    // Adds other's imported controls to this template's, each once: for a
    // converted template, every control of the file it came from, not only
    // those that found a place on this model.
    virtual bool CopyImportedControls(const CEditorTemplate& other);

    // True when a control at a valid index equals the state.
    bool ContainsControl(const CBaseControlState& state) const;
    // True when the state is one of this template's indexed controls (the
    // very object, not an equal one).
    bool OwnsControl(const CBaseControlState* state) const;
    // Sets each control's continuous flag from its place and clamps its
    // snapshot value; tells the user and marks the template modified when a
    // value changed. Returns whether one did.
    bool ClampControls();

    const std::string& GetFilePath() const { return m_filePath; }
    bool IsPathValid() const { return m_pathValid; }
    void SetPathValid(bool valid) { m_pathValid = valid; }

    std::vector<CBaseControlState>& GetImportedControls() { return m_importedControls; }
    const std::vector<CBaseControlState>& GetImportedControls() const { return m_importedControls; }

    // Set by the other models when a dump was read or defaults were set.
    bool IsInitialised() const { return m_initialised; }
    void SetInitialised(bool initialised) { m_initialised = initialised; }

    // The dump of the last successful Read and the bits writing would change.
    const SysExBuffer& GetKeptDump() const { return m_keptDump; }
    const SysExBuffer& GetLostBitMask() const { return m_lostBitMask; }

    // Undo history. The template owns every submitted command.
    // Executes the command, drops any redo tail and keeps the command.
    void SubmitCommand(std::unique_ptr<ICommand> command);
    void Undo();
    void Redo();
    bool CanUndo() const { return m_currentIndex >= 0; }
    bool CanRedo() const { return m_currentIndex < static_cast<int>(m_history.size()) - 1; }
    // Tells the main window the undo state: Edit menu, title, Template menu, repaint.
    void RefreshUndoState();
    // The current state is the saved one (flag true) or the template is
    // modified until the next save (flag false).
    void MarkSaved(bool flag);
    bool IsAtSavedPoint() const;
    bool IsModified() const { return !IsAtSavedPoint(); }
    void ClearUndoHistory();
    void ResetUndoState();
    // "No command", or the name of the command Undo or Redo would run.
    std::string GetUndoText() const;
    std::string GetRedoText() const;
    int GetCurrentIndex() const { return m_currentIndex; }
    int GetHistorySize() const { return static_cast<int>(m_history.size()); }
    const ICommand* GetCommand(int index) const { return m_history.at(index).get(); }

protected:
    // Hides the control settings window when a command's view update asks for it.
    static void ApplyViewResult(bool keepSettingsOpen);
    // Copies zones 0-3 of other where both templates have them.
    void CopyKeyboardZones(const CEditorTemplate& other);

private:
    // True when a control equal to this one is already imported.
    bool ListsImported(const CBaseControlState& control) const;

    std::string m_filePath;
    std::vector<CBaseControlState> m_importedControls;
    std::vector<std::unique_ptr<ICommand>> m_history;
    int m_currentIndex = -1;
    int m_savedIndex = -1;
    bool m_hasSavedPoint = true;
    bool m_pathValid = false;
    bool m_initialised = false;
    SysExBuffer m_keptDump;
    SysExBuffer m_lostBitMask;
};
