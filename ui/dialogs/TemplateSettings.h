#pragma once

#include <wx/dialog.h>

#include "model/TemplateLocals.h"

class CEditorTemplate;
class wxCheckBox;
class wxChoice;
class wxCommandEvent;
class wxNotebook;
class wxSpinCtrl;
class wxTextCtrl;

// The modal dialog of a template's settings. It edits a copy; OK hands the
// template one "Edit Template Settings" command (one undo step, even when
// nothing changed) and ends with 0; Cancel ends with -1 and leaves the
// template alone. Rows the device lacks are taken out of the layout.
// GUI thread only.
class CTemplateSettings : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CTemplateSettings();
    // The template must outlive the dialog.
    CTemplateSettings(wxWindow* parent, CEditorTemplate& target);

    bool IsLoaded() const { return m_loaded; }
    // The settings the controls show now, as OK would submit them.
    CTemplateLocalData ReadControls() const;

private:
    void FindControls();
    void RemoveRows();
    void FillPadChoice(wxChoice* choice, bool horizontal);
    void FillControls();
    void OnSpinText(wxCommandEvent& event);
    void OnRestoreDefaults(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    CEditorTemplate* m_template = nullptr;
    CTemplateLocalData m_working;
    bool m_loaded = false;

    wxNotebook* m_notebook = nullptr;
    wxTextCtrl* m_name = nullptr;
    wxTextCtrl* m_manufacturer = nullptr;
    wxSpinCtrl* m_overrideChannel = nullptr;
    wxSpinCtrl* m_groupPageCount = nullptr;
    wxSpinCtrl* m_groupPage = nullptr;
    wxChoice* m_padX = nullptr;
    wxChoice* m_padY = nullptr;
    wxChoice* m_synthByControl = nullptr;
    wxCheckBox* m_synthByMidi = nullptr;
    wxCheckBox* m_hybrid = nullptr;
    wxCheckBox* m_autoSnapshot = nullptr;
    wxCheckBox* m_synthTemplate = nullptr;
    wxCheckBox* m_potPickup = nullptr;
    wxSpinCtrl* m_keyboardChannel = nullptr;
    wxSpinCtrl* m_velocityCurve = nullptr;
    wxSpinCtrl* m_octave = nullptr;
    wxSpinCtrl* m_transpose = nullptr;
    wxCheckBox* m_aftertouch = nullptr;
    wxCheckBox* m_midiPort1 = nullptr;
    wxCheckBox* m_midiPort2 = nullptr;
    wxCheckBox* m_usbPort = nullptr;
    wxCheckBox* m_usbPortB = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CTemplateSettings);
};
