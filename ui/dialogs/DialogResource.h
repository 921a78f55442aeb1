#pragma once

#include <functional>
#include <initializer_list>

#include <wx/window.h>
#include <wx/xrc/xmlres.h>

class wxDialog;

// Loads a dialog resource into dialog. A missing resource is logged naming
// it and the file it should come from, and leaves the dialog uncreated
// (false): callers check IsLoaded before running it.
bool LoadDialogResource(wxDialog* dialog, wxWindow* parent, const char* name);

// The control of that resource name and class inside root, or null.
template <typename T>
T* FindControl(wxWindow* root, const char* name)
{
    return dynamic_cast<T*>(root->FindWindow(XRCID(name)));
}

// Fits the dialog to its sizer, makes that its minimum and centres it on its
// parent in both directions.
void FitAndCentre(wxDialog* dialog);

// Shows or hides a group of controls (a progress area), then lays the
// dialog out again and fits it to what is shown. Null entries are skipped.
void ShowArea(wxDialog* dialog, std::initializer_list<wxWindow*> windows, bool show);

// Gives the keys to the first of windows that can take them (shown and
// enabled); null entries are skipped. False when none could. In a window
// that is not active the keys wait there for the user: another program
// keeps its own.
bool GiveKeysToFirst(std::initializer_list<wxWindow*> windows);

// Runs change, which enables or disables controls. GTK drops the keys with a
// focused control that goes off; when the one that had them did, the first
// of fallbacks that can take them gets them.
void KeepKeysWhile(const std::function<void()>& change, std::initializer_list<wxWindow*> fallbacks);

class wxCheckBox;

// Gives the port check boxes the device's port names (null boxes skipped).
void LabelPortCheckBoxes(wxCheckBox* midiPort1, wxCheckBox* midiPort2, wxCheckBox* usbPort, wxCheckBox* usbPortB);
