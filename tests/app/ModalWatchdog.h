#pragma once

#include <set>

class wxDialog;

// A modal dialog or message box that no test answers fails the running test
// and is ended after a few seconds instead of blocking the run. One a test's
// script answers gets longer: the script marks it before or as it shows.
inline std::set<const wxDialog*>& ScriptedModals()
{
    static std::set<const wxDialog*> dialogs;
    return dialogs;
}
inline void MarkScripted(const wxDialog& dialog)
{
    ScriptedModals().insert(&dialog);
}

// Once the toolkit runs, and removed before it ends (RunDisplayTests does both).
void InstallModalWatchdog();
void RemoveModalWatchdog();
