#include <functional>

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "model/ControlState.h"
#include "model/commands/ControlEditCommands.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "tests/ui/RealInput.h"
#include "ui/panels/ControlPanel.h"
#include "ui/validators/NameValidator.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"
#include "ui/validators/WholeNumber.h"

using namespace RealInput;

namespace
{
class Fields : public PanelTest
{
protected:
    wxTextCtrl* Field(const wxValidator& validator)
    {
        auto* text = new wxTextCtrl(frame, wxID_ANY);
        text->SetValidator(validator);
        frame->GetSizer()->Add(text);
        frame->Show();
        frame->Layout();
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

TEST_F(Fields, TypedKeysPassOnlyWhereTheValidatorsLetThem)
{
    struct Row
    {
        const char* what;
        bool name;
        const char* start;
        long from, to;
        std::function<void()> typing;
        const char* result;
        int refused;
    };
    const auto typed = [](const char* text) { return [text] { Type(text); }; };
    const Row rows[] = {
        {"a minus in front of a number", false, "12", 0, 0, typed("-"), "-12", 0},
        {"a minus after digits", false, "12", 2, 2, typed("-"), "12", 1},
        {"a second minus", false, "-12", 0, 0, typed("-"), "-12", 1},
        {"letters and the list's punctuation", false, "12", 2, 2, typed("xa:?5"), "125", 4},
        {"a digit over a selection", false, "12", 0, 1, typed("5"), "52", 0},
        {"Backspace and the arrows", false, "-12", 3, 3, [] { Key(WXK_BACK); Key(WXK_LEFT); Key(WXK_DELETE); }, "-", 0},
        {"a name at its maximum", true, "ABCDEFGHIJKLMNOP", 16, 16, typed("Q"), "ABCDEFGHIJKLMNOP", 1},
        {"a name at its maximum, text selected", true, "ABCDEFGHIJKLMNOP", 3, 5, typed("Q"), "ABCQFGHIJKLMNOP", 0},
        {"characters a name may not hold", true, "Osc", 3, 3, typed("_~[\\]^`{|}"), "Osc", 10},
        {"characters a name may hold", true, "Osc", 3, 3, typed("=\"@ #z9>"), "Osc=\"@ #z9>", 0},
    };
    for (const Row& row : rows)
    {
        wxTextCtrl* field = row.name ? Field(CNameValidator(16)) : Field(CNumberValidator());
        field->ChangeValue(row.start);
        ASSERT_TRUE(Focus(field)) << row.what;
        field->SetSelection(row.from, row.to);
        const int refused = RefusedKeyCount();
        row.typing();
        EXPECT_EQ(field->GetValue(), row.result) << row.what;
        EXPECT_EQ(RefusedKeyCount() - refused, row.refused) << row.what;
        field->Destroy();
    }
}

// The number field commits a whole number within its bounds (given in
// either order) for the control it was bound to, at Enter.
TEST_F(Fields, TheNumberFieldCommitsOnlyAnAcceptedEntryForItsOwnControl)
{
    auto field = [this](int shown, bool bound) {
        auto* made = new NumberTextCtrl;
        made->Create(frame, wxID_ANY);
        made->SetRange(0, 127);
        if (bound)
            made->BindCommandCreator(&CreatorOf<CSetMIDIChannelOrMMCDeviceNumCommand>(), Placed(Place::kKnob));
        made->ShowValue(shown);
        frame->GetSizer()->Add(made);
        return made;
    };
    NumberTextCtrl* channel = field(5, true);
    TypeInto(channel, "64", WXK_RETURN);
    EXPECT_EQ(State(Place::kKnob).GetMIDIChannelOrMMCDeviceNum(), 64);
    TypeInto(channel, "128", WXK_RETURN);
    EXPECT_EQ(channel->GetValue(), "64");

    NumberTextCtrl* unbound = field(3, false);
    TypeInto(unbound, "4", WXK_RETURN);
    EXPECT_EQ(unbound->GetValue(), "3") << "nothing to commit to";

    CDorvaSynthTemplate other;
    host.window.current = &other;
    TypeInto(channel, "8", WXK_RETURN);
    EXPECT_EQ(channel->GetValue(), "64") << "the control's template is no longer current";
    EXPECT_EQ(other.GetHistorySize(), 0);
    EXPECT_EQ(Commands(), 1);
}
