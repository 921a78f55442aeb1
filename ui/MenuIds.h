#pragma once

#include <wx/defs.h>

// The main window's command ids: menu items, the event table and the
// accelerators share them. Ids 49 and up are ranges counted from their base.
namespace MenuId
{
enum
{
    Exit = 2,
    Open = 3,
    Import = 4,
    Save = 5,
    SaveAs = 6,
    Close = 8,
    New = 10,
    NewFromSelection = 11,
    ImportNamesFromPlugin = 12,
    RecentFilesMenu = 13,
    RecentFile = 14, // 14..21
    Cut = 22,
    Copy = 23,
    Paste = 24,
    Delete = 25,
    Undo = 26,
    Redo = 27,
    EditSelection = 28,
    GetInfo = 29,
    SelectAll = 30,
    Listen = 31,
    Upload = 32,
    SelectMidiDevices = 33,
    BulkDumps = 34,
    PatchLibrarian = 35,
    UpdateOS = 36,
    ViewHelp = 37,
    VisitWebsite = 38,
    OnlineSupport = 39,
    TemplateSettings = 40,
    MidiGroups = 41,
    AudioFxSettings = 42,
    EnableZones = 43,
    EditZoneMenu = 44,
    EditZone = 45, // 45..48
    OpenTemplate = 49, // 49..113
    OpenTemplateLast = 113,
    ViewInfo = 114,
    ViewName = 115,
    ViewMidiChannel = 116,
    ImportedControlsMenu = 117,
    ImportedControl = 118, // 118..630
    ImportedControlLast = 630,
    About = wxID_ABOUT,
    Preferences = wxID_PREFERENCES,
};
constexpr int kRecentFileCount = 8;
constexpr int kZoneCount = 4;
} // namespace MenuId
