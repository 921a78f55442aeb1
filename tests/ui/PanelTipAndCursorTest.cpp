// What the pointer shows over the front panel of the real main window: the
// tip and its delay, watched on the X server as a user sees them, and the
// cursor over a control that refuses a drop, read back from the X server.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"
#include "ui/FrontPanelWindow.h"
#include "ui/PanelTipWindow.h"

// After the toolkit's headers: Xlib's macros (Status, None) would break them.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

using namespace RealInput;

namespace
{
using Clock = std::chrono::steady_clock;

// The windows on the X server that float over others without the window
// manager (tips, menus) and are mapped now.
std::set<Window> FloatingWindows()
{
    Display* display = XOpenDisplay(nullptr);
    std::set<Window> found;
    if (!display)
        return found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    {
        for (unsigned i = 0; i < count; ++i)
        {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.override_redirect &&
                attributes.map_state == IsViewable)
                found.insert(children[i]);
        }
        XFree(children);
    }
    XCloseDisplay(display);
    return found;
}

std::string CursorName()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    std::string name;
    if (XFixesCursorImage* image = XFixesGetCursorImage(display))
    {
        name = image->name ? image->name : "";
        XFree(image);
    }
    XCloseDisplay(display);
    return name;
}

class PanelPointer : public MainWindowTest
{
protected:
    PanelPointer() { m_before = FloatingWindows(); }

    // A window floats over the others that did not before the test.
    bool TipShown()
    {
        const std::set<Window> now = FloatingWindows();
        return std::any_of(now.begin(), now.end(), [this](Window w) { return m_before.count(w) == 0; });
    }
    // The text of the tip on show; empty with none.
    wxString ShownTip()
    {
        auto* panel = dynamic_cast<CFrontPanelWindow*>(Panel());
        const CPanelTipWindow* tip = panel ? panel->GetShownTip() : nullptr;
        return tip && TipShown() ? tip->GetText() : wxString();
    }
    // Watches for a tip as long as GTK's own would take to show, and longer.
    bool TipStaysAway() { return !PumpUntil([this] { return TipShown(); }, Milliseconds(900)); }

    // Empty panel space: above the first pot.
    const wxPoint kEmpty{5, 5};

private:
    std::set<Window> m_before;
};
} // namespace

TEST_F(PanelPointer, TheTipShowsAfter300MillisecondsOverAControlAndNeverOverEmptySpace)
{
    CEditorTemplate& current = AddTemplate("Tips");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    current.GetControl(0)->SetName("Cutoff");
    ASSERT_EQ(View().ControlButtonAt(kEmpty), nullptr);
    MoveTo(Panel(), kEmpty);
    ASSERT_FALSE(TipShown());

    const auto arrived = Clock::now();
    MoveTo(Panel(), Centre(0));
    ASSERT_TRUE(PumpUntil([this] { return TipShown(); }, Milliseconds(2000)));
    const auto delay = std::chrono::duration_cast<Milliseconds>(Clock::now() - arrived).count();
    EXPECT_GE(delay, 280);
    EXPECT_LE(delay, 460) << "the tip waits 300 ms, with some time for the X server (GTK waits 500)";
    std::printf("the tip showed %lld ms after the pointer's arrival\n", static_cast<long long>(delay));

    MoveTo(Panel(), kEmpty);
    EXPECT_TRUE(PumpUntil([this] { return !TipShown(); }, Milliseconds(300))) << "leaving the control ends its tip";
    EXPECT_TRUE(TipStaysAway()) << "empty space shows no tip";

    MoveTo(Panel(), Centre(0));
    ASSERT_TRUE(PumpUntil([this] { return TipShown(); }, Milliseconds(2000)));
    ChooseMenu(MenuId::Close);
    ASSERT_EQ(Frame().GetTemplateCount(), 0);
    MoveTo(Panel(), Centre(0));
    EXPECT_TRUE(TipStaysAway()) << "no template: no tip where the control was";
}

TEST_F(PanelPointer, AfterADropTheTipDescribesTheControlNowUnderThePointer)
{
    CEditorTemplate& current = AddTemplate("Drops");
    // Pot 3 is unassigned: a drop there moves.
    for (const auto& [index, name] : {std::pair(0, "Cutoff"), std::pair(1, "Resonance"), std::pair(3, "Volume")})
    {
        current.GetControl(index)->SetType(ControlMessageType::CC, false);
        current.GetControl(index)->SetName(name);
    }
    ASSERT_TRUE(Focus(Panel()));
    // Each row: a drag from one control onto another (Ctrl held at the
    // release copies), or Ctrl+Z with the pointer resting where the last
    // row left it; the name the tip then shows.
    struct Row
    {
        int from;
        int to;
        int modifiers;
        const char* tip;
    };
    const Row rows[] = {
        {0, 1, wxMOD_NONE, "Cutoff"},         // swapped with Resonance
        {1, 2, wxMOD_NONE, "Cutoff"},         // moved onto the unassigned pot
        {0, 3, wxMOD_CONTROL, "Resonance"},   // copied over Volume
        {-1, 3, wxMOD_NONE, "Volume"},        // the copy undone
    };
    for (const Row& row : rows)
    {
        if (row.from < 0)
            Key('Z', wxMOD_CONTROL);
        else
            Drag(Panel(), Centre(row.from), Centre(row.to), row.modifiers);
        ASSERT_EQ(View().GetHoverIndex(), row.to);
        EXPECT_TRUE(PumpUntil([&] { return ShownTip().Contains(row.tip); }))
            << row.from << " to " << row.to << ": the tip reads \"" << ShownTip() << "\", not " << row.tip;
    }
}

TEST_F(PanelPointer, ARefusedDropShowsTheDesktopsNotAllowedCursor)
{
    CEditorTemplate& current = AddTemplate("Cursor");
    // A program change cannot sit on a pot.
    current.GetControl(22)->SetType(ControlMessageType::ProgramChange, false);
    ASSERT_TRUE(Focus(Panel()));
    // The press selects the control and starts dragging it.
    wxUIActionSimulator simulator;
    simulator.MouseMove(Panel()->ClientToScreen(Centre(22)));
    simulator.MouseDown();
    // Released however the test ends, so that later tests find the button up.
    struct Release
    {
        wxUIActionSimulator& simulator;
        ~Release()
        {
            simulator.MouseUp();
            Settle();
        }
    } release{simulator};
    Settle();
    // The pointer goes as a hand moves it, a few pixels at a time, until the
    // view has it over the control.
    const auto moveOnto = [&](int index) {
        for (int step = 0; step < 3 && View().GetHoverIndex() != index; ++step)
        {
            simulator.MouseMove(Panel()->ClientToScreen(Centre(index) + wxPoint(step, step)));
            PumpUntil([&] { return View().GetHoverIndex() == index; }, Milliseconds(300));
        }
        return View().GetHoverIndex() == index;
    };
    ASSERT_TRUE(moveOnto(23));
    ASSERT_TRUE(moveOnto(1));
    ASSERT_TRUE(View().IsDropReady());
    // The toolkit sends the cursor when it next flushes its requests.
    EXPECT_TRUE(PumpUntil([] { return CursorName() == "not-allowed"; }, Milliseconds(1000))) << CursorName();
    ASSERT_TRUE(moveOnto(23));
    EXPECT_TRUE(PumpUntil([] { return CursorName() != "not-allowed"; }, Milliseconds(1000)))
        << "over a button the drop is allowed";
}
