#include "ui/ResourceContract.h"

#include <cstring>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/gauge.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace
{
constexpr ControlKind Text = ControlKind::Text;
constexpr ControlKind Number = ControlKind::NumberEntry;
constexpr ControlKind Spin = ControlKind::Spin;
constexpr ControlKind Check = ControlKind::CheckBox;
constexpr ControlKind Choice = ControlKind::Choice;
constexpr ControlKind Radio = ControlKind::Radio;
constexpr ControlKind Button = ControlKind::Button;
constexpr ControlKind List = ControlKind::List;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind Spacer = ControlKind::Spacer;
constexpr ControlKind Gauge = ControlKind::Gauge;
constexpr ControlKind Line = ControlKind::Line;

constexpr bool kPanel = true;
constexpr bool kDialog = false;
constexpr bool kDevice = true;
constexpr bool kCommon = false;

// Besides the names the classes look up, each list holds the named controls
// that only receive events (buttons such as "Restore_Defaults"). The pot and
// MMC panels carry one hidden radio button more ("No_Display_Format",
// "No_MMC_Command"): GTK cannot clear a radio group, so selecting the hidden
// one is how a panel shows that no format or command applies.
std::vector<ContractResource> MakeContract()
{
    return {
        {"ID_WELCOMEDIALOG", kDialog, kCommon,
         {{"wxID_STATIC", Label},
          {"Create_A_New_Template", Radio},
          {"Listen_For_A_Template", Radio},
          {"Update_The_OS", Radio},
          {"Send_Bulk_Dumps", Radio},
          {"Read_The_Help_File", Radio},
          {"Nothing", Radio},
          {"Dont_Show_Again", Check},
          {"wxID_OK", Button}}},
        {"ID_GENERICDIALOG", kPanel, kCommon,
         {{"Name", Text},
          {"ID_PARAMNAMETEXT", Label},
          {"Parameter_Name", Text},
          {"Type", Choice},
          {"ID_MIDIGROUPTEXT", Label},
          {"Midi_Port_Group", Choice},
          {"Enable_USB_Port", Check},
          {"Enable_USB_Port_B", Check},
          {"Enable_USB_Port_C", Check},
          {"Enable_Midi_Port_1", Check},
          {"Enable_Midi_Port_2", Check},
          {"ID_SEPARATOR", Line}}},
        {"ID_MIDICHANNELDIALOG", kPanel, kCommon,
         {{"ID_MIDICHANGROUPTEXT", Label}, {"Midi_Chanel_Group", Choice}, {"Midi_Channel", Number}}},
        {"ID_CCDIALOG", kPanel, kCommon, {{"CC_Number", Number}}},
        {"ID_NRPNDIALOG", kPanel, kCommon, {{"Most_Significant_Byte", Number}, {"Least_Significant_Byte", Number}}},
        {"ID_SNAPVALUEDIALOG", kPanel, kCommon, {{"ID_SNAPLABEL", Label}, {"Snapshot_Value", Number}}},
        {"ID_POTSPECIFICDIALOG", kPanel, kCommon,
         {{"High_Value", Number},
          {"Low_Value", Number},
          {"ID_CATCHUPTEXT", Label},
          {"Pot_Strategy", Choice},
          {"Do_Pot_Pickup", Check},
          {"Send_14_Bit_Values", Check},
          {"ID_DISPFMTTEXT", Label},
          {"Display_0_To_127", Radio},
          {"Display_Minus_64_To_63", Radio},
          {"REL_1", Radio},
          {"REL_2", Radio},
          {"A_POT", Radio},
          {"No_Display_Format", Radio}}},
        {"ID_BUTTONSPECIFICDIALOG", kPanel, kCommon,
         {{"Release_Stroke_Max_Value", Number},
          {"Press_Stroke_Min_Value", Number},
          {"ID_DISPFMTTEXT", Label},
          {"Display_0_To_127", Radio},
          {"Display_Minus_64_To_63", Radio},
          {"Display_On_Stroke_Off", Radio},
          {"Normal_Button", Radio},
          {"Momentary_Button", Radio},
          {"Toggle_Button", Radio},
          {"Step_Button", Radio},
          {"Button_Step_Size", Spin}}},
        {"ID_SYSEXDIALOG", kPanel, kCommon,
         {{"Sys_Ex_Message", Text}, {"Message_Status", Text}, {"ID_SETBUTTON", Button}}},
        {"ID_NOTEONDIALOG", kPanel, kCommon,
         {{"Note_Number", Number},
          {"ID_NOTENAME", Label},
          {"Note_Velocity", Number},
          {"Normal_Button", Radio},
          {"Momentary_Button", Radio},
          {"Toggle_Button", Radio}}},
        {"ID_DRUMNOTEDIALOG", kPanel, kCommon,
         {{"Note_Number", Number},
          {"ID_NOTENAME", Label},
          {"Velocity_Curve", Number},
          {"Auto_Off", Number},
          {"Off_Sync", Choice}}},
        {"ID_MMCDIALOG", kPanel, kCommon,
         {{"MMC_Device_Number", Number},
          {"ID_STOP", Radio},
          {"ID_PLAY", Radio},
          {"ID_DEFPLAY", Radio},
          {"ID_FORWARD", Radio},
          {"ID_REWIND", Radio},
          {"ID_RECORD", Radio},
          {"ID_RECEXIT", Radio},
          {"ID_RECPAUSE", Radio},
          {"ID_PAUSE", Radio},
          {"ID_EJECT", Radio},
          {"ID_CHASE", Radio},
          {"ID_ERRRESET", Radio},
          {"ID_MMCRESET", Radio},
          {"No_MMC_Command", Radio}}},
        {"ID_KBDZONEDIALOG", kDialog, kCommon,
         {{"Top_Note", Spin},
          {"Top_Note_Name", Label},
          {"Bottom_Note", Spin},
          {"Bottom_Note_Name", Label},
          {"Velocity_Offset", Spin},
          {"Transpose", Spin},
          {"After_Touch", Check},
          {"Pitch_Bend", Check},
          {"Mod_Wheel", Check},
          {"ID_MIDICHANGROUPTEXT", Label},
          {"Midi_Channel_Group", Choice},
          {"ID_TEXTSPACER1", Spacer},
          {"Midi_Channel", Spin},
          {"ID_TEXTSPACER2", Spacer},
          {"ID_MIDIGROUPTEXT", Label},
          {"Midi_Port_Group", Choice},
          {"Enable_USB_Port", Check},
          {"Enable_USB_Port_2", Check},
          {"Enable_Midi_Port_1", Check},
          {"Enable_Midi_Port_2", Check},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_TEMPLATEDIALOG", kDialog, kDevice,
         {{"Template_Settings", ControlKind::Notebook},
          {"Template_Panel", ControlKind::Page},
          {"Keyboard_Panel", ControlKind::Page},
          {"Template_Name", Text},
          {"ID_MFRNAMELABEL", Label},
          {"Manufacturer_Name", Text},
          {"ID_OVERRIDE_TEXT", Label},
          {"Override_Midi_Channel", Spin},
          {"ID_GROUPPAGECOUNTTEXT", Label},
          {"Number_Of_Group_Pages", Spin},
          {"ID_CURRENTPAGETEXT", Label},
          {"Group_Page_Number", Spin},
          {"PADXTYPE_TEXT", Label},
          {"Pad_X_Type", Choice},
          {"PADYTYPE_TEXT", Label},
          {"Pad_Y_Type", Choice},
          {"Synth_By_Control_Text", Label},
          {"Synth_By_Control", Choice},
          {"Synth_By_Midi_Text", Label},
          {"Synth_By_MIDI", Check},
          {"Global_Hybrid", Label},
          {"Hybrid", Check},
          {"ID_SNAPSPACER", Spacer},
          {"Auto_Snapshot", Check},
          {"ID_SYNTHSPACER", Spacer},
          {"Synth_Template", Check},
          {"ID_CATCHUPSPACER", Spacer},
          {"Pot_Pickup", Check},
          {"ID_KBDCHANTEXT", Label},
          {"Keybaord_Midi_Channel", Spin},
          {"ID_VELCURVETEXT", Label},
          {"Velocity_Curve", Spin},
          {"OCTAVE_TEXT", Label},
          {"Octave_Setting", Spin},
          {"TRANSPOSE_TEXT", Label},
          {"Transpose", Spin},
          {"ID_AFTERSPACER", Spacer},
          {"After_Touch", Check},
          {"ID_MIDI1SPACER", Spacer},
          {"Enable_Midi_Port_1", Check},
          {"ID_MIDI2SPACER", Spacer},
          {"Enable_Midi_Port_2", Check},
          {"IUD_USBSPACER", Spacer},
          {"Enable_USB_Port", Check},
          {"ID_USB2SPACER", Spacer},
          {"Enable_USB_Port_B", Check},
          {"Restore_Defaults", Button},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_DIALOG", kDialog, kCommon,
         {{"Common_Channel", Spin},
          {"Common_Midi_Port_1", Check},
          {"Common_Midi_Port_2", Check},
          {"Common_USB_Port", Check},
          {"Common_USB_Port_B", Check},
          {"Common_USB_Port_C", Check},
          {"ID_KBDCHANTEXT", Label},
          {"Midi_Channel", Spin},
          {"As_Common_Channel", Check},
          {"Midi_Port_1", Check},
          {"Midi_Port_2", Check},
          {"USB_Port", Check},
          {"USB_Port_2", Check},
          {"As_Common_Ports", Check},
          {"KEYBOARD_GROUP", ControlKind::GroupBox},
          {"Restore_Defaults", Button},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_SELECTMIDIDEVICESDIALOG", kDialog, kCommon,
         {{"Input_Midi_Device", Choice},
          {"Output_Midi_Device", Choice},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_OLDOSDIALOG", kDialog, kCommon, {{"Dont_Show_This_Message_Again", Check}, {"wxID_OK", Button}}},
        {"ID_PREFSDIALOG", kDialog, kCommon,
         {{"Startup_Action", Choice},
          {"Warn_On_Old_OS", Check},
          {"Send_Error_Reports", Check},
          {"Show_Control_Tooltips", Check},
          {"Abbreviate_Names", Check},
          {"ID_ABBREV_SPACER", Spacer},
          {"Auto_Complete_Names", Check},
          {"Use_Expanding_Pages", Check},
          {"Release_Midi_Driver_In_Background", Check},
          {"Purge_Recent_Files", Button},
          {"Choose_VST_Directory", Button},
          {"Restore_Defaults", Button},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_UPDATEOSDIALOG", kDialog, kCommon,
         {{"Current_OS_Version", Text},
          {"New_OS_Version", Text},
          {"Load_New_OS", Button},
          {"Select_MIDI_Devices", Button},
          {"Send_OS_To_Device", Button},
          {"wxID_OK", Button},
          {"ID_PROGLINE", Line},
          {"ID_GAUGE", Gauge}}},
        {"ID_CONFIRMOSUPDATEDIALOG", kDialog, kCommon,
         {{"ID_MESSAGE", Label}, {"Tell_Me_How", Button}, {"wxID_OK", Button}, {"wxID_CANCEL", Button}}},
        {"ID_BULKDUMPDIALOG", kDialog, kCommon,
         {{"Dump_Contents", List},
          {"wxID_STATIC", Label},
          {"Move_Item_Up", Button},
          {"Move_Item_Down", Button},
          {"Listen_For_Dump", Button},
          {"Upload_Dump", Button},
          {"Upload_Factory_Settings", Button},
          {"Open_Dump", Button},
          {"Save_Dump", Button},
          {"Save_All", Button},
          {"wxID_OK", Button},
          {"ID_PROGLINE", Line},
          {"ID_PORGMESSAGE", Label},
          {"ID_PROGRESS", Gauge},
          {"wxID_CANCEL", Button}}},
        {"ID_BULKENTRYRENAMEDIALOG", kDialog, kCommon,
         {{"ID_TEXT", Label}, {"Control_Name", Text}, {"wxID_OK", Button}, {"wxID_CANCEL", Button}}},
        {"ID_VSTSELECTOR", kDialog, kCommon,
         {{"VST_Plugins_Found", List},
          {"ID_CREATEAS", Label},
          {"Create_As_Normal_Template", Radio},
          {"Create_As_Cubase_Map", Radio},
          {"Choose_VST_Directory", Button},
          {"wxID_OK", Button},
          {"wxID_CANCEL", Button}}},
        {"ID_EXAMINEPROGRESS", kDialog, kCommon, {{"ID_PLUGNAME", Label}}},
    };
}
} // namespace

const std::vector<ContractResource>& ResourceContract()
{
    static const std::vector<ContractResource> contract = MakeContract();
    return contract;
}

const ContractResource* FindContractResource(const char* name)
{
    for (const ContractResource& resource : ResourceContract())
        if (std::strcmp(resource.name, name) == 0)
            return &resource;
    return nullptr;
}

const wxClassInfo* ClassOfKind(ControlKind kind)
{
    switch (kind)
    {
    case ControlKind::Text:
    case ControlKind::NumberEntry:
        return wxCLASSINFO(wxTextCtrl);
    case ControlKind::Spin:
        return wxCLASSINFO(wxSpinCtrl);
    case ControlKind::CheckBox:
        return wxCLASSINFO(wxCheckBox);
    case ControlKind::Choice:
        return wxCLASSINFO(wxChoice);
    case ControlKind::Radio:
        return wxCLASSINFO(wxRadioButton);
    case ControlKind::Button:
        return wxCLASSINFO(wxButton);
    case ControlKind::List:
        return wxCLASSINFO(wxDataViewListCtrl);
    case ControlKind::Label:
    case ControlKind::Spacer:
        return wxCLASSINFO(wxStaticText);
    case ControlKind::Gauge:
        return wxCLASSINFO(wxGauge);
    case ControlKind::Line:
        return wxCLASSINFO(wxStaticLine);
    case ControlKind::GroupBox:
        return wxCLASSINFO(wxStaticBox);
    case ControlKind::Notebook:
        return wxCLASSINFO(wxNotebook);
    case ControlKind::Page:
        return wxCLASSINFO(wxPanel);
    }
    return nullptr;
}

namespace
{
int CountWindowsWithId(const wxWindow* window, int id)
{
    int count = window->GetId() == id ? 1 : 0;
    for (const wxWindow* child : window->GetChildren())
        count += CountWindowsWithId(child, id);
    return count;
}

// The checks a kind needs beyond its class; empty when it passes.
std::string KindProblem(const wxWindow* window, ControlKind kind)
{
    if (!window->IsKindOf(ClassOfKind(kind)))
        return std::string("is a ") + wxString(window->GetClassInfo()->GetClassName()).utf8_str().data();
    switch (kind)
    {
    case ControlKind::NumberEntry:
        // Once the class is linked in, the resource must make it.
        if (const wxClassInfo* number = wxClassInfo::FindClass("NumberTextCtrl"))
            if (!window->IsKindOf(number))
                return "is not made as NumberTextCtrl";
        break;
    case ControlKind::List:
        if (window->HasFlag(wxDV_MULTIPLE))
            return "selects more than one row";
        break;
    case ControlKind::Spacer:
        if (!window->GetLabel().empty())
            return "is not empty";
        break;
    case ControlKind::Page:
        if (!dynamic_cast<wxNotebook*>(window->GetParent()))
            return "is not a notebook page";
        break;
    default:
        break;
    }
    return std::string();
}
} // namespace

std::vector<std::string> ContractProblems(wxWindow* root, const ContractResource& resource)
{
    std::vector<std::string> problems;
    for (const ContractControl& control : resource.controls)
    {
        const std::string prefix = std::string(resource.name) + " " + control.name + " ";
        const int id = XRCID(control.name);
        const wxWindow* window = root->FindWindow(id);
        if (window == nullptr)
        {
            problems.push_back(prefix + "is missing");
            continue;
        }
        if (CountWindowsWithId(root, id) > 1)
            problems.push_back(prefix + "names more than one window");
        const std::string kindProblem = KindProblem(window, control.kind);
        if (!kindProblem.empty())
            problems.push_back(prefix + kindProblem);
    }
    return problems;
}
