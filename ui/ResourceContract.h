#pragma once

#include <string>
#include <vector>

#include "app/ProgramFiles.h"

class wxClassInfo;
class wxWindow;

// The names the code looks up in the XRC resource files, with the kind of
// control each name must be. The dialog and panel classes take their names
// from here; the resource test checks the files against it.

enum class ControlKind
{
    Text,        // wxTextCtrl
    NumberEntry, // wxTextCtrl made as NumberTextCtrl (subclass in the resource)
    Spin,        // wxSpinCtrl; the spin entry check reads its range from the resource
    CheckBox,
    Choice,
    Radio,
    Button,
    List,     // wxDataViewListCtrl, one row selected at a time: GTK's own list, which screen readers read
    Label,    // wxStaticText the code relabels, shows or hides
    Spacer,   // empty wxStaticText: spacers that code looks up must be windows
    Gauge,
    Line,     // wxStaticLine
    GroupBox, // wxStaticBox of a wxStaticBoxSizer
    Notebook,
    Page,     // wxPanel of a notebook page
};

struct ContractControl
{
    const char* name;
    ControlKind kind;
};

struct ContractResource
{
    const char* name;
    bool isPanel;      // loaded with LoadPanel; otherwise a dialog
    bool deviceFile;   // in the application key's file rather than in Common
    std::vector<ContractControl> controls;
};

// Every resource the code loads by name, in no particular order.
const std::vector<ContractResource>& ResourceContract();

// The entry of one resource; null for a name the contract does not hold.
const ContractResource* FindContractResource(const char* name);

// The toolkit class a control of this kind must be (or derive from).
const wxClassInfo* ClassOfKind(ControlKind kind);

// What a loaded resource lacks against its contract entry, one line per
// control: missing, not of its kind, or sharing its id with another window of
// the resource (a look-up would find either). Empty when all is well. A
// dialog can log these after loading instead of failing on a null control.
std::vector<std::string> ContractProblems(wxWindow* root, const ContractResource& resource);
