#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

#include "tests/ui/UiTestSupport.h"
#include "ui/EditControlDialog.h"
#include "ui/ResourceContract.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/BulkEntryRenameDialog.h"
#include "ui/dialogs/EditPortGroups.h"
#include "ui/dialogs/KbdZoneDialog.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/dialogs/UpdateOSDialog.h"
#include "ui/dialogs/WelcomeDialog.h"
#include "ui/panels/ButtonDialog.h"
#include "ui/panels/CCDialog.h"
#include "ui/panels/DrumnoteDialog.h"
#include "ui/panels/GenericDialog.h"
#include "ui/panels/MIDIChannelDialog.h"
#include "ui/panels/MMCDialog.h"
#include "ui/panels/NRPNDialog.h"
#include "ui/panels/NoteOnDialog.h"
#include "ui/panels/PotDialog.h"
#include "ui/panels/SnapValueDialog.h"
#include "ui/panels/SysExDialog.h"
#include "ui/validators/NameValidator.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

// Test names and messages show the resource's name, not its address.
void PrintTo(const ContractResource* resource, std::ostream* out)
{
    *out << resource->name;
}

namespace
{
const char* const kAppKey = "DorvaSynthEditor";

// Loads the resources the way start-up does, from beside the test binary.
class ResourcesLoaded : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        LogRecorder::Install();
        ASSERT_TRUE(LoadResourceFiles(kAppKey));
    }

    void SetUp() override
    {
        LogRecorder::Entries().clear();
        m_frame = new wxFrame(nullptr, wxID_ANY, "Parent");
    }
    void TearDown() override
    {
        for (wxWindow* dialog : m_dialogs)
            delete dialog;
        delete m_frame;
    }

    // The resource made as the code makes it: a panel inside the frame, or a
    // dialog whose parent is the frame. Owned by the fixture.
    wxWindow* Load(const char* name)
    {
        const ContractResource* resource = FindContractResource(name);
        if (resource == nullptr)
            return nullptr;
        if (resource->isPanel)
            return wxXmlResource::Get()->LoadPanel(m_frame, name);
        wxDialog* dialog = wxXmlResource::Get()->LoadDialog(m_frame, name);
        if (dialog != nullptr)
            m_dialogs.push_back(dialog);
        return dialog;
    }

    template <class T>
    static T* Find(wxWindow* root, const char* name)
    {
        return dynamic_cast<T*>(root->FindWindow(XRCID(name)));
    }

    // What the toolkit logged while loading, less the notice that the number
    // entry class is not linked into this binary (the resource then makes a
    // plain text control, which the kind check still accepts).
    static std::string LoadProblems()
    {
        const bool numberClassKnown = wxClassInfo::FindClass("NumberTextCtrl") != nullptr;
        std::string problems;
        for (const LogRecorder::Entry& entry : LogRecorder::Entries())
            if (entry.level <= wxLOG_Warning && (numberClassKnown || !entry.text.Contains("NumberTextCtrl")))
                problems += std::string(entry.text.utf8_str()) + "\n";
        return problems;
    }

    wxFrame* m_frame = nullptr;
    std::vector<wxWindow*> m_dialogs;
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

class EveryResource : public ResourcesLoaded, public testing::WithParamInterface<const ContractResource*>
{
};

TEST_P(EveryResource, LoadsByNameWithEveryControlOfItsKind)
{
    const ContractResource& resource = *GetParam();
    wxWindow* root = Load(resource.name);
    ASSERT_NE(root, nullptr) << resource.name << " did not load:\n" << LogRecorder::Problems();
    EXPECT_EQ(LoadProblems(), "");

    EXPECT_EQ(Lines(ContractProblems(root, resource)), "");

    std::set<std::string> seen;
    for (const ContractControl& control : resource.controls)
        EXPECT_TRUE(seen.insert(control.name).second) << control.name << " listed twice in the contract";
}

std::string ResourceName(const testing::TestParamInfo<const ContractResource*>& info)
{
    return info.param->name;
}

std::vector<const ContractResource*> AllResources()
{
    std::vector<const ContractResource*> all;
    for (const ContractResource& resource : ResourceContract())
        all.push_back(&resource);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Contract, EveryResource, testing::ValuesIn(AllResources()), ResourceName);

TEST(ContractProblems, NameEachControlThatBreaksTheContract)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Fake");
    new wxTextCtrl(frame, XRCID("Fake_Text"));
    new wxTextCtrl(frame, XRCID("Fake_Wrong"));
    new wxButton(frame, XRCID("Fake_Twice"), "One");
    new wxButton(frame, XRCID("Fake_Twice"), "Two");
    new wxDataViewListCtrl(frame, XRCID("Fake_List"), wxDefaultPosition, wxDefaultSize, wxDV_MULTIPLE);
    new wxStaticText(frame, XRCID("Fake_Spacer"), "text");
    const ContractResource fake{"Fake", true, false,
                                {{"Fake_Text", ControlKind::Text},
                                 {"Fake_Missing", ControlKind::CheckBox},
                                 {"Fake_Wrong", ControlKind::Choice},
                                 {"Fake_Twice", ControlKind::Button},
                                 {"Fake_List", ControlKind::List},
                                 {"Fake_Spacer", ControlKind::Spacer}}};
    EXPECT_EQ(Lines(ContractProblems(frame, fake)), "Fake Fake_Missing is missing\n"
                                                    "Fake Fake_Wrong is a wxTextCtrl\n"
                                                    "Fake Fake_Twice names more than one window\n"
                                                    "Fake Fake_List selects more than one row\n"
                                                    "Fake Fake_Spacer is not empty\n");
    delete frame;
}

// The files as documents: where each resource lives and how it is declared.
class ResourceDocuments : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_common.Load(GetResourceFilePath(kCommonResourceName, "xrc")));
        ASSERT_TRUE(m_device.Load(GetResourceFilePath(kAppKey, "xrc")));
    }

    static wxXmlNode* FindNamed(wxXmlNode* node, const wxString& name)
    {
        for (wxXmlNode* child = node->GetChildren(); child != nullptr; child = child->GetNext())
        {
            if (child->GetName() == "object" && child->GetAttribute("name") == name)
                return child;
            if (wxXmlNode* found = FindNamed(child, name))
                return found;
        }
        return nullptr;
    }

    static wxXmlNode* TopLevel(wxXmlDocument& document, const wxString& name)
    {
        for (wxXmlNode* child = document.GetRoot()->GetChildren(); child != nullptr; child = child->GetNext())
            if (child->GetName() == "object" && child->GetAttribute("name") == name)
                return child;
        return nullptr;
    }

    wxXmlDocument m_common, m_device;
};

TEST_F(ResourceDocuments, EachResourceSitsOnceInItsFileWithItsClassAndItsNumberEntries)
{
    for (const ContractResource& resource : ResourceContract())
    {
        SCOPED_TRACE(resource.name);
        wxXmlNode* inCommon = TopLevel(m_common, resource.name);
        wxXmlNode* inDevice = TopLevel(m_device, resource.name);
        // The toolkit takes the first file that holds a name, so a second copy
        // would never be seen.
        EXPECT_FALSE(inCommon && inDevice) << "in both files";
        wxXmlNode* node = resource.deviceFile ? inDevice : inCommon;
        ASSERT_NE(node, nullptr) << "not in " << (resource.deviceFile ? kAppKey : kCommonResourceName);
        EXPECT_EQ(node->GetAttribute("class"), resource.isPanel ? "wxPanel" : "wxDialog");
        for (const ContractControl& control : resource.controls)
        {
            const wxString subclass = control.kind == ControlKind::NumberEntry ? "NumberTextCtrl" : "";
            wxXmlNode* found = FindNamed(node, control.name); // none: a name the sizer gives its static box
            EXPECT_TRUE(!found || found->GetAttribute("subclass") == subclass) << control.name;
        }
    }
}

TEST_F(ResourceDocuments, EveryResourceInTheFilesIsInTheContract)
{
    for (wxXmlDocument* document : {&m_common, &m_device})
        for (wxXmlNode* child = document->GetRoot()->GetChildren(); child != nullptr; child = child->GetNext())
            if (child->GetName() == "object")
            {
                EXPECT_NE(FindContractResource(child->GetAttribute("name").utf8_str()), nullptr)
                    << child->GetAttribute("name") << " is loaded by no code";
            }
}

// The code picks startup actions by position and fills placeholders in.
TEST_F(ResourcesLoaded, TextsTheCodeReliesOnAreThere)
{
    wxChoice* startup = Find<wxChoice>(Load("ID_PREFSDIALOG"), "Startup_Action");
    ASSERT_NE(startup, nullptr);
    EXPECT_EQ(wxJoin(startup->GetStrings(), '|'), "Show welcome dialog|Blank window|New blank template|Open last "
                                                  "template|File open dialog")
        << "item i is the stored value i";
    const std::tuple<const char*, const char*, const char*> placeholders[] = {
        {"ID_BULKENTRYRENAMEDIALOG", "ID_TEXT", "$ENTRY$"},
        {"ID_CONFIRMOSUPDATEDIALOG", "ID_MESSAGE", "PRODUCTNAME"},
        {"ID_WELCOMEDIALOG", "Update_The_OS", "$PRODUCT$"},
    };
    for (const auto& [resource, control, placeholder] : placeholders)
        EXPECT_TRUE(Load(resource)->FindWindow(XRCID(control))->GetLabel().Contains(placeholder)) << control;
}

// Radio buttons group from a wxRB_GROUP button up to the next one; a group
// that runs into another makes one click clear an unrelated setting. A
// hidden button clears its group.
TEST_F(ResourcesLoaded, RadioGroupsAreSeparateAndTheHiddenOneClearsItsGroup)
{
    struct Case
    {
        const char* resource;
        std::vector<const char*> set;
        const char* pick;
        std::vector<const char*> cleared, kept;
        bool pickHidden;
    };
    const Case cases[] = {
        {"ID_POTSPECIFICDIALOG",
         {"REL_2"},
         "No_Display_Format",
         {"Display_0_To_127", "Display_Minus_64_To_63", "REL_1", "REL_2", "A_POT"},
         {},
         true},
        {"ID_MMCDIALOG",
         {"ID_CHASE"},
         "No_MMC_Command",
         {"ID_STOP", "ID_PLAY", "ID_DEFPLAY", "ID_FORWARD", "ID_REWIND", "ID_RECORD", "ID_RECEXIT", "ID_RECPAUSE",
          "ID_PAUSE", "ID_EJECT", "ID_CHASE", "ID_ERRRESET", "ID_MMCRESET"},
         {},
         true},
        {"ID_BUTTONSPECIFICDIALOG",
         {"Display_Minus_64_To_63", "Toggle_Button"},
         "Step_Button",
         {"Toggle_Button"},
         {"Display_Minus_64_To_63"},
         false},
        {"ID_WELCOMEDIALOG",
         {"Read_The_Help_File"},
         "Nothing",
         {"Read_The_Help_File", "Create_A_New_Template"},
         {},
         false},
    };
    for (const Case& c : cases)
    {
        wxWindow* root = Load(c.resource);
        auto radio = [root](const char* name) {
            if (wxRadioButton* button = Find<wxRadioButton>(root, name))
                return button;
            throw std::runtime_error(std::string(name) + " is missing");
        };
        for (const char* name : c.set)
            radio(name)->SetValue(true);
        radio(c.pick)->SetValue(true);
        for (const char* name : c.cleared)
            EXPECT_FALSE(radio(name)->GetValue()) << c.pick << " leaves " << name;
        for (const char* name : c.kept)
            EXPECT_TRUE(radio(name)->GetValue()) << c.pick << " clears " << name;
        EXPECT_EQ(radio(c.pick)->IsShown(), !c.pickHidden) << c.pick;
    }
}

// Rows of the template settings are taken out as pairs; the rows left must
// keep each label beside its own control.
TEST_F(ResourcesLoaded, TemplateSettingsRowsComeOutAsPairs)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"ID_MFRNAMELABEL", "Manufacturer_Name"}, {"ID_OVERRIDE_TEXT", "Override_Midi_Channel"},
        {"ID_GROUPPAGECOUNTTEXT", "Number_Of_Group_Pages"}, {"ID_CURRENTPAGETEXT", "Group_Page_Number"},
        {"PADXTYPE_TEXT", "Pad_X_Type"}, {"PADYTYPE_TEXT", "Pad_Y_Type"},
        {"Synth_By_Control_Text", "Synth_By_Control"}, {"Synth_By_Midi_Text", "Synth_By_MIDI"},
        {"Global_Hybrid", "Hybrid"}, {"ID_SNAPSPACER", "Auto_Snapshot"}, {"ID_SYNTHSPACER", "Synth_Template"},
        {"ID_CATCHUPSPACER", "Pot_Pickup"}, {"ID_KBDCHANTEXT", "Keybaord_Midi_Channel"},
        {"ID_VELCURVETEXT", "Velocity_Curve"}, {"OCTAVE_TEXT", "Octave_Setting"}, {"TRANSPOSE_TEXT", "Transpose"},
        {"ID_AFTERSPACER", "After_Touch"}, {"ID_MIDI1SPACER", "Enable_Midi_Port_1"},
        {"ID_MIDI2SPACER", "Enable_Midi_Port_2"}, {"IUD_USBSPACER", "Enable_USB_Port"},
        {"ID_USB2SPACER", "Enable_USB_Port_B"},
    };
    for (const auto& removed : rows)
    {
        SCOPED_TRACE(removed.second);
        wxWindow* dialog = Load("ID_TEMPLATEDIALOG");
        ASSERT_NE(dialog, nullptr);
        RemoveWindowIf(true, dialog->FindWindow(XRCID(removed.first)));
        RemoveWindowIf(true, dialog->FindWindow(XRCID(removed.second)));
        dialog->Layout();
        for (const auto& row : rows)
        {
            if (row == removed)
                continue;
            wxWindow* label = dialog->FindWindow(XRCID(row.first));
            wxWindow* control = dialog->FindWindow(XRCID(row.second));
            ASSERT_TRUE(label && control);
            ASSERT_EQ(label->GetParent(), control->GetParent()) << row.second << " and its label on one page";
            const wxRect l = label->GetRect(), c = control->GetRect();
            EXPECT_LT(l.GetRight(), c.GetLeft()) << row.second << " right of its label";
            EXPECT_LE(std::abs((l.GetTop() + l.GetBottom()) - (c.GetTop() + c.GetBottom())), 2 * 2)
                << row.second << " on the row of its label";
        }
    }
}
} // namespace

namespace
{
struct ClassRecord
{
    const wxClassInfo* info;
    const char* name;
    const wxClassInfo* base;
};
} // namespace

// Every window class made from the resources, with the validators and the
// number entry, can be found and made empty by name, and knows what it is.
TEST(ClassRecords, EachWindowClassCanBeMadeByNameAndKnowsItsBase)
{
#define RECORD(cls, base)                                                                                              \
    {                                                                                                                  \
        CLASSINFO(cls), #cls, CLASSINFO(base)                                                                          \
    }
    const ClassRecord records[] = {
        RECORD(CEditControlDialog, wxFrame),
        RECORD(CPotDialog, wxPanel),
        RECORD(CNRPNDialog, wxPanel),
        RECORD(CSnapValueDialog, wxPanel),
        RECORD(CGenericDialog, wxPanel),
        RECORD(CSysExDialog, wxPanel),
        RECORD(CCCDialog, wxPanel),
        RECORD(CMIDIChannelDialog, wxPanel),
        RECORD(CButtonDialog, wxPanel),
        RECORD(CNoteOnDialog, wxPanel),
        RECORD(CDrumnoteDialog, wxPanel),
        RECORD(CMMCDialog, wxPanel),
        RECORD(CWelcomeDialog, wxDialog),
        RECORD(CKbdZoneDialog, wxDialog),
        RECORD(CTemplateSettings, wxDialog),
        RECORD(CSelectMIDIDevices, wxDialog),
        RECORD(COldOSDialog, wxDialog),
        RECORD(CPreferencesDialog, wxDialog),
        RECORD(CUpdateOSDialog, wxDialog),
        RECORD(CEditPortGroups, wxDialog),
        RECORD(CBulkDumpDialog, wxDialog),
        RECORD(CConfirmOSUpdateDialog, wxDialog),
        RECORD(CBulkEntryRenameDialog, wxDialog),
        RECORD(NumberTextCtrl, wxTextCtrl),
        RECORD(CNumberValidator, wxTextValidator),
        RECORD(CNameValidator, wxTextValidator),
    };
#undef RECORD
    for (const ClassRecord& record : records)
    {
        const wxClassInfo* found = wxClassInfo::FindClass(record.name);
        ASSERT_EQ(found, record.info) << record.name;
        EXPECT_STREQ(found->GetBaseClassName1(), record.base->GetClassName()) << record.name;
        std::unique_ptr<wxObject> made(found->CreateObject());
        ASSERT_NE(made, nullptr) << record.name << " cannot be made empty";
        EXPECT_EQ(made->GetClassInfo(), record.info) << record.name;
        EXPECT_TRUE(made->IsKindOf(record.base)) << record.name;
    }
}
