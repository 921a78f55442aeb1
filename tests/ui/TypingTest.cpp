// Typing into the fields of the real settings window and of the template
// settings dialog, key by key through the X server.

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "tests/ui/FieldInput.h"
#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"
#include "ui/EditControlDialog.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/panels/AutoCompleteMenu.h"

using namespace RealInput;

namespace
{
constexpr int kKnob = 0;
constexpr int kButton = 22;

// One entry typed into a field: what is typed, then what the field shows,
// what the control or setting holds and how many undo steps it made.
struct Entry
{
    const char* what;
    std::function<void()> typing;
    const char* shown;
    int stored;
    int steps;
};

void SelectAllAndType(const char* text)
{
    Key('A', wxMOD_CONTROL);
    Type(text);
}

void EmptyTheField()
{
    Key('A', wxMOD_CONTROL);
    Key(WXK_BACK);
}

class TypingTest : public MainWindowTest
{
protected:
    // Opens the settings window of the control as a user does: a double click on it.
    template <typename T>
    T* SettingsField(int index, const char* name)
    {
        DoubleClick(Panel(), Centre(index));
        EXPECT_TRUE(Frame().IsControlSettingsShown());
        return dynamic_cast<T*>(Frame().GetControlSettings()->FindWindow(XRCID(name)));
    }
    // A type chosen from the settings window's type choice with the keys, in
    // the window just opened: Tab goes from the name to the choice, Space
    // opens its list on the item shown (the first when none is), the arrows
    // go down it, Enter takes the item.
    void ChooseType(int position)
    {
        auto* type = dynamic_cast<wxChoice*>(Frame().GetControlSettings()->FindWindow(XRCID("Type")));
        ASSERT_NE(type, nullptr);
        Key(WXK_TAB);
        const int from = std::max(type->GetSelection(), 0);
        Key(WXK_SPACE);
        for (int step = from; step < position; ++step)
            Key(WXK_DOWN);
        Key(WXK_RETURN);
        AwaitSettings();
    }
    // The control's settings on show as a keyboard user opens them: a click
    // selects it, Enter opens the window with the keys on its first field.
    CEditControlDialog* OpenSettings(int index)
    {
        Click(Panel(), Centre(index));
        Key(WXK_RETURN);
        CEditControlDialog* settings = Frame().GetControlSettings();
        EXPECT_TRUE(PumpUntil([settings] { return settings->IsShownOnScreen(); }));
        return settings;
    }
    // The idle step builds the window anew for a new type, and shows it for
    // the control whose type an undo or redo changed.
    void AwaitSettings()
    {
        CEditControlDialog* settings = Frame().GetControlSettings();
        EXPECT_TRUE(PumpUntil([settings] { return settings->GetControl() && settings->IsShown(); }));
    }
    // Types each entry into field and checks it.
    void Check(wxWindow* field, const std::vector<Entry>& entries, const std::function<int()>& stored,
               const std::function<wxString()>& shown)
    {
        CEditorTemplate& current = *Frame().GetCurrentTemplate();
        for (const Entry& entry : entries)
        {
            ASSERT_TRUE(Focus(field)) << entry.what;
            const int before = current.GetHistorySize();
            entry.typing();
            EXPECT_EQ(shown(), entry.shown) << entry.what;
            EXPECT_EQ(stored(), entry.stored) << entry.what;
            EXPECT_EQ(current.GetHistorySize() - before, entry.steps) << entry.what;
        }
    }
};
} // namespace

TEST_F(TypingTest, TheStepSizeTakesWhatIsTypedOverItAndKeepsTheFocus)
{
    CBaseControlState& button = *AddTemplate("Steps").GetControl(kButton);
    button.SetType(ControlMessageType::CC, false);
    button.SetAction(ControlAction::Step);
    button.SetMultiStep(4);
    auto* step = SettingsField<wxSpinCtrl>(kButton, "Button_Step_Size");
    ASSERT_NE(step, nullptr);
    const std::vector<Entry> entries = {
        {"one digit over the selection", [] { SelectAllAndType("5"); }, "5", 5, 1},
        {"two digits: a step each", [] { SelectAllAndType("12"); }, "12", 12, 2},
        {"a third digit beyond 127 is refused", [] { SelectAllAndType("200"); }, "20", 20, 2},
        {"a letter over the value changes nothing", [] { SelectAllAndType("x"); }, "20", 20, 0},
        {"emptied, then Tab: the minimum", [] { EmptyTheField(); Key(WXK_TAB); }, "1", 1, 1},
        {"emptied, then Enter: the minimum", [] { SelectAllAndType("9"); EmptyTheField(); Key(WXK_RETURN); },
         "1", 1, 2},
    };
    Check(step, entries, [&button] { return int(button.GetMultiStep()); }, [step] { return step->GetTextValue(); });
    EXPECT_EQ(wxWindow::FindFocus(), step) << "typing never lost the focus";
}

TEST_F(TypingTest, APanelNumberFieldCommitsAtEnterOrWhenLeft)
{
    CBaseControlState& knob = *AddTemplate("Channels").GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetMIDIChannelOrMMCDeviceNum(5);
    auto* channel = SettingsField<wxTextCtrl>(kKnob, "Midi_Channel");
    ASSERT_NE(channel, nullptr);
    const std::vector<Entry> entries = {
        {"typed over and Enter", [] { SelectAllAndType("7"); Key(WXK_RETURN); }, "7", 7, 1},
        {"the same value again", [] { SelectAllAndType("7"); Key(WXK_RETURN); }, "7", 7, 0},
        {"out of range, then Tab", [] { SelectAllAndType("17"); Key(WXK_TAB); }, "7", 7, 0},
        {"emptied, then Tab", [] { EmptyTheField(); Key(WXK_TAB); }, "7", 7, 0},
        {"letters are refused", [] { SelectAllAndType("1x6"); Key(WXK_TAB); }, "16", 16, 1},
        {"text pasted over it is refused", [channel] { FieldInput::PasteOver(channel, "1x"); }, "16", 16, 0},
        {"a number pasted", [channel] { FieldInput::PasteOver(channel, "9"); Key(WXK_TAB); }, "9", 9, 1},
        {"letters pasted by a middle click are refused", [channel] { FieldInput::MiddleClickPaste(channel, "abc"); },
         "9", 9, 0},
        {"letters dropped from another program are refused", [channel] { FieldInput::DropOver(channel, "7abc"); },
         "9", 9, 0},
    };
    Check(channel, entries, [&knob] { return knob.GetMIDIChannelOrMMCDeviceNum(); },
          [channel] { return channel->GetValue(); });
}

TEST_F(TypingTest, TheTemplateSettingsTakeWhatIsTypedOverAValue)
{
    CEditorTemplate& current = AddTemplate("Settings");
    current.GetLocals().Override_Midi_Channel = 0;
    ASSERT_TRUE(Focus(Panel()));
    wxString shown;
    ModalScript<CTemplateSettings> script([&shown](CTemplateSettings& dialog) {
        auto* override = dynamic_cast<wxSpinCtrl*>(dialog.FindWindow(XRCID("Override_Midi_Channel")));
        ASSERT_NE(override, nullptr);
        const std::pair<std::function<void()>, const char*> entries[] = {
            {[] { SelectAllAndType("7"); }, "7"},
            // Refused: back to what the dialog showed at first.
            {[] { SelectAllAndType("17"); }, "0"},
            {[] { EmptyTheField(); Key(WXK_TAB); }, "0"},
            {[] { SelectAllAndType("5"); EmptyTheField(); Key(WXK_RETURN); }, "0"},
            {[] { SelectAllAndType("12"); }, "12"},
        };
        for (const auto& [typing, expected] : entries)
        {
            ASSERT_TRUE(Focus(override));
            typing();
            shown += override->GetTextValue() + " ";
        }
        Click(dialog.FindWindow(wxID_OK));
    });
    Key('T', wxMOD_CONTROL);
    EXPECT_EQ(shown, "7 0 0 0 12 ");
    EXPECT_EQ(current.GetLocals().Override_Midi_Channel, 12);
    EXPECT_EQ(current.GetHistorySize(), 1);
    EXPECT_EQ(current.GetUndoText(), "Edit Template Settings");
}

TEST_F(TypingTest, TheNameFieldKeepsWhatTheUnitCanShowHoweverItComes)
{
    CBaseControlState& knob = *AddTemplate("Names").GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    auto* name = SettingsField<wxTextCtrl>(kKnob, "Name");
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(Focus(name));
    SelectAllAndType("Vol");
    auto* completion = WaitForShown<CAutoCompleteMenu>();
    ASSERT_NE(completion, nullptr);
    // The pop-up asks for the keys; a window manager gives them to it.
    ASSERT_TRUE(Focus(completion->GetList()));
    Type("_");
    EXPECT_EQ(name->GetValue(), "Vol") << "the field's validator refuses it in the list too";
    // No word goes on so: the pop-up goes and the field has the keys again.
    Type("t");
    EXPECT_FALSE(completion->IsShown());
    EXPECT_EQ(wxWindow::FindFocus(), name);
    Type("s");
    EXPECT_EQ(knob.GetName(), "Volts");

    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("Filter_Cutoff~Frequency{1}"));
    wxTheClipboard->Close();
    ASSERT_TRUE(Focus(name));
    Key('A', wxMOD_CONTROL);
    Key('V', wxMOD_CONTROL);
    EXPECT_EQ(name->GetValue(), "FilterCutoffFreq") << "refused characters dropped, cut at 16";
    EXPECT_EQ(knob.GetName(), "FilterCutoffFreq");
    Key(WXK_END);
    Type("y");
    EXPECT_EQ(knob.GetName(), "FilterCutoffFreq");
}

TEST_F(TypingTest, TheSettingsWindowTakesTheKeysWhenItOpensAndEscapeGivesThemBack)
{
    CBaseControlState& knob = *AddTemplate("Open").GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    // Names no word of the completion list starts like.
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"Jq", [this] { Click(Panel(), Centre(kKnob)); Key(WXK_RETURN); }},
        {"Kx", [this] { Click(Panel(), Centre(kKnob)); Key(WXK_SPACE); }},
        {"Wz", [this] { DoubleClick(Panel(), Centre(kKnob)); }},
    };
    for (const auto& [name, open] : openers)
    {
        ASSERT_TRUE(Focus(Panel()));
        open();
        ASSERT_TRUE(PumpUntil([this] { return Frame().GetControlSettings()->IsShownOnScreen(); })) << name;
        // Centred on the screen when first shown, and left where it is after.
        const wxPoint middle = Frame().GetControlSettings()->GetScreenRect().GetPosition() +
                               Frame().GetControlSettings()->GetSize() / 2;
        const wxPoint screenMiddle = wxDisplay(0u).GetClientArea().GetPosition() +
                                     wxDisplay(0u).GetClientArea().GetSize() / 2;
        EXPECT_LE(std::abs(middle.x - screenMiddle.x) + std::abs(middle.y - screenMiddle.y), 2) << name;
        Type(name);
        EXPECT_EQ(knob.GetName(), name) << "the first field had the keys";
        Key(WXK_ESCAPE);
        EXPECT_FALSE(Frame().IsControlSettingsShown()) << name;
        EXPECT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == Panel(); })) << name;
    }
    Key(WXK_RIGHT);
    EXPECT_EQ(Selected(), std::vector<int>{kKnob + 1}) << "the panel has the keys again";
}

TEST_F(TypingTest, AControlOfATypeWithoutPanelsCanBeGivenOne)
{
    // As read from a file: a button cannot send aftertouch.
    CEditorTemplate& current = AddTemplate("Crafted");
    CBaseControlState& button = *current.GetControl(kButton);
    button.SetType(ControlMessageType::Aftertouch, false);
    auto* type = SettingsField<wxChoice>(kButton, "Type");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->GetSelection(), wxNOT_FOUND);
    ChooseType(1);
    EXPECT_EQ(button.GetType(), ControlMessageType::CC);
    EXPECT_EQ(current.GetHistorySize(), 1);
    EXPECT_NE(Frame().GetControlSettings()->FindWindow(XRCID("Button_Step_Size")), nullptr) << "the CC panels";
    EXPECT_EQ(wxWindow::FindFocus(), Frame().GetControlSettings()->FindWindow(XRCID("Type")))
        << "the keys stay on the type in the window built anew";
}

// Ctrl+Z gives back the whole control an edit changed, with what the state
// worked out beside the field (a note cannot step, a default value stays in
// the range, a plain button starts at its low value), and Redo the whole
// control after it; the panels show it.
TEST_F(TypingTest, UndoingAnEditGivesBackWhatTheControlWas)
{
    struct Row
    {
        const char* what;
        int place;
        std::function<void(CBaseControlState&)> prepare;
        std::function<void()> edit;
        const char* before; // type, action, low, high, default value
        const char* after;
        const char* radio = nullptr; // set in the panels after the undo
    };
    // Enter gives the window shown for the selected control the keys; Tab goes on to a field.
    const auto tabTo = [this](const char* name) {
        wxWindow* target = Frame().GetControlSettings()->FindWindow(XRCID(name));
        ASSERT_NE(target, nullptr) << name;
        Key(WXK_RETURN);
        for (int i = 0; i < 20 && wxWindow::FindFocus() != target; ++i)
            Key(WXK_TAB);
        ASSERT_EQ(wxWindow::FindFocus(), target) << name;
    };
    const auto field = [tabTo](const char* name, const char* typed) {
        return [tabTo, name, typed] {
            tabTo(name);
            SelectAllAndType(typed);
            Key(WXK_TAB);
        };
    };
    // Tab reaches a radio group on its checked button; Up checks the one above.
    const auto radioUp = [this, tabTo](const char* checked, const char* above) {
        return [this, tabTo, checked, above] {
            tabTo(checked);
            Key(WXK_UP);
            EXPECT_EQ(wxWindow::FindFocus(), Frame().GetControlSettings()->FindWindow(XRCID(above))) << above;
        };
    };
    const Row rows[] = {
        {"a note cannot step", kButton, [](CBaseControlState& s) { s.SetAction(ControlAction::Step); },
         [this] {
             Key(WXK_RETURN); // the window shown for the selected control takes the keys
             ChooseType(6);
         },
         "1 3 0 127 0", "6 0 0 127 0", "Step_Button"},
        {"a low value above the default pulls it up", kKnob, [](CBaseControlState& s) { s.SetSnapshotValue(20); },
         field("Low_Value", "30"), "1 0 0 127 20", "1 0 30 127 30"},
        {"a high value below the default pulls it down", kKnob, [](CBaseControlState& s) { s.SetSnapshotValue(40); },
         field("High_Value", "25"), "1 0 0 127 40", "1 0 0 25 25"},
        {"a plain button starts at its low value", kButton,
         [](CBaseControlState& s) { s.SetAction(ControlAction::Momentary), s.SetSnapshotValue(32); },
         radioUp("Momentary_Button", "Normal_Button"), "1 1 0 127 32", "1 0 0 127 0", "Momentary_Button"},
    };
    // The settings window lies over the menus and the controls and takes the keys: Escape first.
    const auto escape = [this] {
        if (!Frame().IsControlSettingsShown())
            return;
        Key(WXK_ESCAPE);
        ASSERT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == Panel(); }));
    };
    const auto step = [&](const std::function<void()>& act) {
        escape();
        act();
        AwaitSettings();
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        CEditorTemplate& current = AddTemplate(row.what);
        CBaseControlState& state = *current.GetControl(row.place);
        state.SetType(ControlMessageType::CC, false);
        row.prepare(state);
        const auto control = [&state] {
            return wxString::Format("%d %d %d %d %d", state.GetType(), state.GetAction(), state.GetOffValue(),
                                    state.GetOnValue(), state.GetSnapshotValue())
                .ToStdString();
        };
        const auto shown = [this](const char* name) { return Frame().GetControlSettings()->FindWindow(XRCID(name)); };
        escape();
        EditControl(row.place);
        row.edit();
        EXPECT_EQ(control(), row.after);
        EXPECT_EQ(current.GetHistorySize(), 1);
        step([] { Key('Z', wxMOD_CONTROL); });
        EXPECT_EQ(control(), row.before);
        if (auto* value = dynamic_cast<wxTextCtrl*>(shown("Snapshot_Value")))
            EXPECT_EQ(value->GetValue().ToStdString(), std::to_string(state.GetSnapshotValue()));
        if (row.radio)
        {
            auto* radio = dynamic_cast<wxRadioButton*>(shown(row.radio));
            ASSERT_NE(radio, nullptr);
            EXPECT_TRUE(radio->GetValue()) << row.radio;
        }
        step([this] { ChooseMenu(MenuId::Redo); });
        EXPECT_EQ(control(), row.after);
        step([this] { ChooseMenu(MenuId::Undo); });
        EXPECT_EQ(control(), row.before);
    }
}

// The type chosen as a user does, on the choice that Tab reached from the
// name: the window is built anew for the type and the keys stay on the
// choice, so a letter renames nothing and Down picks the next type.
TEST_F(TypingTest, TheKeysStayOnTheTypeChoiceThatRebuiltTheWindow)
{
    CBaseControlState& knob = *AddTemplate("Types").GetControl(kKnob);
    knob.SetName("Cutoff");
    const std::pair<const char*, std::function<void(wxWindow*)>> ways[] = {
        {"Down", [](wxWindow*) { Key(WXK_DOWN); }},
        {"Space, Down, Enter", [](wxWindow*) { Key(WXK_SPACE); Key(WXK_DOWN); Key(WXK_RETURN); }},
        {"a click opens the list", [](wxWindow* type) { Click(type); Key(WXK_DOWN); Key(WXK_RETURN); }},
    };
    for (const auto& [way, choose] : ways)
    {
        knob.SetType(ControlMessageType::CC, false);
        CEditControlDialog* settings = OpenSettings(kKnob);
        Key(WXK_TAB);
        const auto changedFrom = [&knob, settings](int type) {
            return PumpUntil([&knob, settings, type] {
                return knob.GetType() != type && settings->GetControl() && settings->IsShownOnScreen();
            });
        };
        choose(settings->FindWindow(XRCID("Type")));
        ASSERT_TRUE(changedFrom(ControlMessageType::CC)) << way;
        Type("q");
        const int chosen = knob.GetType();
        Key(WXK_DOWN);
        EXPECT_TRUE(changedFrom(chosen)) << way << ": the next type";
        EXPECT_EQ(knob.GetName(), "Cutoff") << way;
        Key(WXK_ESCAPE);
        ASSERT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == Panel(); })) << way;
    }
}

// Undo and redo leave the keys with the front panel, also when they show the
// settings window again: Ctrl+Z pressed n times undoes n steps.
TEST_F(TypingTest, EveryCtrlZAndCtrlYTakesOneStepWhereverTheSettingsWindowWas)
{
    CEditorTemplate& current = AddTemplate("Steps");
    CBaseControlState& knob = *current.GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    OpenSettings(kKnob);
    Type("Ab");
    ChooseType(2);
    ASSERT_EQ(knob.GetType(), ControlMessageType::NRPN);
    Key(WXK_ESCAPE);
    ASSERT_EQ(current.GetCurrentIndex(), 2);
    const struct
    {
        int key;
        int position;
        const char* name;
        int type;
    } presses[] = {
        {'Z', 1, "Ab", ControlMessageType::CC}, {'Y', 2, "Ab", ControlMessageType::NRPN},
        {'Z', 1, "Ab", ControlMessageType::CC}, {'Z', 0, "A", ControlMessageType::CC},
        {'Z', -1, "", ControlMessageType::CC},  {'Y', 0, "A", ControlMessageType::CC},
    };
    for (const auto& press : presses)
    {
        Key(press.key, wxMOD_CONTROL);
        AwaitSettings();
        IdlePasses();
        EXPECT_EQ(current.GetCurrentIndex(), press.position) << char(press.key) << " to " << press.position;
        EXPECT_EQ(knob.GetName(), press.name) << press.position;
        EXPECT_EQ(knob.GetType(), press.type) << press.position;
        EXPECT_EQ(wxWindow::FindFocus(), Panel()) << press.position << ": the front panel has the keys";
    }
}

// Enter, Space or a double click on the control that the settings window
// shows already give the window the keys; the front panel had them after
// an undo showed the window.
TEST_F(TypingTest, EditingTheControlTheWindowShowsGivesItTheKeys)
{
    CBaseControlState& knob = *AddTemplate("Again").GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"Jq", [] { Key(WXK_RETURN); }},
        {"Kx", [] { Key(WXK_SPACE); }},
        {"Wz", [this] { DoubleClick(Panel(), Centre(kKnob)); }},
    };
    for (const auto& [name, edit] : edits)
    {
        OpenSettings(kKnob);
        Type("q");
        Key(WXK_ESCAPE);
        Key('Z', wxMOD_CONTROL);
        AwaitSettings();
        ASSERT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == Panel(); })) << name;
        edit();
        Type(name);
        EXPECT_EQ(knob.GetName(), name) << "the window took the keys";
        Key(WXK_ESCAPE);
    }
}

// Enter ends the entry of a name: the caret goes to its end, so Backspace
// takes one letter, also of a name all selected as the window opened.
TEST_F(TypingTest, EnterEndsTheNameWithoutSelectingIt)
{
    CBaseControlState& knob = *AddTemplate("Enter").GetControl(kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetName("Jqx");
    OpenSettings(kKnob);
    Key(WXK_RETURN);
    Key(WXK_BACK);
    EXPECT_EQ(knob.GetName(), "Jq");
}
