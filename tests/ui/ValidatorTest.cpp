#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "model/ControlState.h"
#include "model/commands/ControlEditCommands.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/ControlPanel.h"
#include "ui/validators/NameValidator.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"
#include "ui/validators/WholeNumber.h"

namespace
{
// Sends one typed character through the field's validator, as the toolkit
// does before the field sees it; true when the key is let through.
bool Type(wxTextCtrl* text, int key)
{
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = key;
    event.m_uniChar = key < 300 ? key : WXK_NONE;
    event.SetEventObject(text);
    const bool handled = text->GetValidator()->ProcessEventLocally(event);
    return !handled && event.GetSkipped();
}

class Fields : public PanelTest
{
protected:
    wxTextCtrl* NumberField(const wxString& value, long caret)
    {
        auto* text = new wxTextCtrl(frame, wxID_ANY, value);
        text->SetValidator(CNumberValidator());
        text->SetInsertionPoint(caret);
        return text;
    }
    wxTextCtrl* NameField(const wxString& value)
    {
        auto* text = new wxTextCtrl(frame, wxID_ANY, value);
        text->SetValidator(CNameValidator(16));
        text->SetInsertionPointEnd();
        return text;
    }
};
} // namespace

TEST(WholeNumber, SignDigitsAndNothingElse)
{
    int v = 0;
    EXPECT_TRUE(ParseWholeNumber("-12", v));
    EXPECT_EQ(-12, v);
    EXPECT_TRUE(ParseWholeNumber("+7", v));
    EXPECT_EQ(7, v);
    for (const char* bad : {"", "-", "1-", "1 ", " 1", "1.5", "1:", "99999999999"})
        EXPECT_FALSE(ParseWholeNumber(bad, v)) << bad;
}

TEST_F(Fields, NumberFieldTakesAMinusOnlyInFront)
{
    const int beeps = RefusedKeyCount();
    EXPECT_TRUE(Type(NumberField("12", 0), '-'));
    EXPECT_FALSE(Type(NumberField("12", 2), '-'));
    EXPECT_FALSE(Type(NumberField("", 0), '-'));
    EXPECT_FALSE(Type(NumberField("-12", 0), '-'));
    EXPECT_EQ(beeps + 3, RefusedKeyCount());
}

TEST_F(Fields, NumberFieldRefusesLettersAndTheListsPunctuation)
{
    wxTextCtrl* field = NumberField("12", 2);
    EXPECT_FALSE(Type(field, 'x'));
    EXPECT_FALSE(Type(field, 'a'));
    EXPECT_FALSE(Type(field, ':'));
    EXPECT_FALSE(Type(field, '?'));
    EXPECT_TRUE(Type(field, '5'));
}

TEST_F(Fields, NumberFieldReplacesTheSelection)
{
    wxTextCtrl* field = NumberField("12", 0);
    field->SetSelection(0, 1);
    EXPECT_TRUE(Type(field, '5'));
    field->SetSelection(0, 2);
    EXPECT_FALSE(Type(field, '-'));
}

TEST_F(Fields, ControlKeysAlwaysPass)
{
    wxTextCtrl* number = NumberField("-12", 1);
    wxTextCtrl* name = NameField("ABCDEFGHIJKLMNOP");
    for (int key : {int(WXK_BACK), int(WXK_DELETE), int(WXK_LEFT), int(WXK_RIGHT), int(WXK_TAB)})
    {
        EXPECT_TRUE(Type(number, key)) << key;
        EXPECT_TRUE(Type(name, key)) << key;
    }
}

TEST_F(Fields, NameFieldStopsAtItsMaximumUnlessTextIsSelected)
{
    wxTextCtrl* name = NameField("ABCDEFGHIJKLMNOP");
    const int beeps = RefusedKeyCount();
    EXPECT_FALSE(Type(name, 'Q'));
    EXPECT_EQ(beeps + 1, RefusedKeyCount());
    name->SetSelection(3, 5);
    EXPECT_TRUE(Type(name, 'Q'));
    EXPECT_TRUE(Type(NameField("ABCDEFGHIJKLMNO"), 'P'));
}

TEST_F(Fields, NameFieldCharacters)
{
    wxTextCtrl* name = NameField("Osc");
    for (int key : {'_', '~', '[', '\\', ']', '^', '`', '{', '|', '}'})
        EXPECT_FALSE(Type(name, key)) << char(key);
    for (int key : {'=', '"', '@', ' ', '#', 'z', '9', '>'})
        EXPECT_TRUE(Type(name, key)) << char(key);
}

TEST_F(Fields, ClonesKeepTheirSettings)
{
    const CNameValidator name(12);
    std::unique_ptr<wxObject> copy(name.Clone());
    EXPECT_EQ(12, dynamic_cast<CNameValidator&>(*copy).GetMaxLength());
    EXPECT_NE(nullptr, dynamic_cast<CNumberValidator*>(std::unique_ptr<wxObject>(CNumberValidator().Clone()).get()));
}

// ---------------------------------------------------------------------------
// The number field

namespace
{
class NumberField : public PanelTest
{
protected:
    NumberTextCtrl* Field(int shown, int maximum, int minimum)
    {
        auto* field = new NumberTextCtrl;
        field->Create(frame, wxID_ANY);
        field->SetRange(maximum, minimum);
        CPlacedControl placed = Placed(Place::kKnob);
        field->BindCommandCreator(&CreatorOf<CSetMIDIChannelOrMMCDeviceNumCommand>(), placed);
        field->ShowValue(shown);
        return field;
    }
};
} // namespace

TEST_F(NumberField, ACommittedChangeIsOneCommandThatUndoes)
{
    State(Place::kKnob).SetMIDIChannelOrMMCDeviceNum(5);
    NumberTextCtrl* field = Field(5, 16, 1);
    Enter(field, "17");
    EXPECT_EQ("5", field->GetValue());
    EXPECT_EQ(0, Commands());

    Enter(field, "7");
    EXPECT_EQ("7", field->GetValue());
    EXPECT_EQ(1, Commands());
    EXPECT_EQ(7, State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
    EXPECT_EQ("Set Control MIDIChannel / MMC Device", templ.GetUndoText());

    Enter(field, "7");
    EXPECT_EQ(1, Commands());

    templ.Undo();
    EXPECT_EQ(5, State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(NumberField, RefusedEntriesShowTheLastValue)
{
    NumberTextCtrl* field = Field(5, 16, 1);
    for (const char* bad : {"0", "", "-", "abc", "1.5"})
    {
        Enter(field, bad);
        EXPECT_EQ("5", field->GetValue()) << bad;
    }
    EXPECT_EQ(0, Commands());
}

TEST_F(NumberField, EnterCommitsWithoutLeaving)
{
    NumberTextCtrl* field = Field(5, 16, 1);
    EXPECT_TRUE(field->GetWindowStyleFlag() & wxTE_PROCESS_ENTER);
    field->ChangeValue("9");
    wxKeyEvent enter(wxEVT_CHAR);
    enter.m_keyCode = WXK_RETURN;
    enter.SetEventObject(field);
    field->GetEventHandler()->ProcessEvent(enter);
    EXPECT_EQ(9, State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
    EXPECT_EQ(1, Commands());
}

TEST_F(NumberField, BoundsInEitherOrder)
{
    NumberTextCtrl* field = Field(5, 0, 127);
    Enter(field, "64");
    EXPECT_EQ(64, State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
    Enter(field, "128");
    EXPECT_EQ("64", field->GetValue());
}

TEST_F(NumberField, WithoutACreatorNothingIsSubmitted)
{
    auto* field = new NumberTextCtrl;
    field->Create(frame, wxID_ANY);
    field->ShowValue(3);
    Enter(field, "4");
    EXPECT_EQ("3", field->GetValue());
    EXPECT_EQ(0, Commands());
}

TEST_F(NumberField, AnEntryForAControlOfAnotherTemplateIsDropped)
{
    NumberTextCtrl* field = Field(5, 16, 1);
    CDorvaSynthTemplate other;
    host.window.current = &other;
    Enter(field, "8");
    EXPECT_EQ("5", field->GetValue());
    EXPECT_EQ(0, other.GetHistorySize());
    EXPECT_EQ(1, State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(NumberField, TheResourcesMakeItByName)
{
    wxObject* made = wxCreateDynamicObject("NumberTextCtrl");
    EXPECT_NE(nullptr, dynamic_cast<NumberTextCtrl*>(made));
    delete made;
}

namespace
{
wxCommandEvent Typed(wxSpinCtrl* spin, const wxString& text, int clamped)
{
    wxCommandEvent event(wxEVT_TEXT, spin->GetId());
    event.SetString(text);
    event.SetInt(clamped);
    return event;
}
} // namespace

TEST_F(NumberField, SpinEntryCheck)
{
    auto* spin = new wxSpinCtrl(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 127, 20);
    int restore = 20;
    EXPECT_FALSE(NumberTextCtrl::ApplyEntry(spin, restore, -1, Typed(spin, "-", 0)));
    EXPECT_EQ(20, spin->GetValue());
    // GTK reports 127 for a typed 500: the typed text decides.
    EXPECT_FALSE(NumberTextCtrl::ApplyEntry(spin, restore, -1, Typed(spin, "500", 127)));
    EXPECT_EQ(20, restore);
    EXPECT_FALSE(NumberTextCtrl::ApplyEntry(spin, restore, 100, Typed(spin, "101", 101)));
    EXPECT_TRUE(NumberTextCtrl::ApplyEntry(spin, restore, -1, Typed(spin, "33", 33)));
    EXPECT_EQ(33, restore);
    EXPECT_FALSE(NumberTextCtrl::ApplyEntry(spin, restore, -1, Typed(spin, "33", 33)));
    EXPECT_TRUE(NumberTextCtrl::ApplyEntry(spin, restore, -1, Typed(spin, "", 0)));
    EXPECT_EQ(0, spin->GetValue());

    auto* signedSpin = new wxSpinCtrl(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, -64, 63, 5);
    restore = 5;
    EXPECT_FALSE(NumberTextCtrl::ApplyEntry(signedSpin, restore, -1, Typed(signedSpin, "-", -64)));
    EXPECT_EQ(5, restore);
    EXPECT_TRUE(NumberTextCtrl::ApplyEntry(signedSpin, restore, -1, Typed(signedSpin, "-12", -12)));
    EXPECT_EQ(-12, restore);
}
