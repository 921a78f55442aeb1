// The pointer leaving the main window, moved and released by the X server:
// the idle tick asks where it is only after such events, and still ends the
// hover and a drag out there.

#include <gtest/gtest.h>

#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"

using namespace RealInput;

namespace
{
using PointerOutside = MainWindowTest;
} // namespace

TEST_F(PointerOutside, HoverAndADragEndOutsideTheWindow)
{
    CEditorTemplate& current = AddTemplate("Outside");
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    ASSERT_TRUE(Focus(Panel()));
    const wxSize size = Panel()->GetClientSize();
    const wxPoint outside(size.GetWidth() + 40, size.GetHeight() + 40);

    MoveTo(Panel(), Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return Frame().GetView()->GetHoverIndex() == 0; }));
    MoveTo(Panel(), outside);
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetView()->GetHoverIndex() == -1; })) << "still hovering";

    Drag(Panel(), Centre(0), outside);
    EXPECT_TRUE(PumpUntil([&] { return !Frame().GetView()->IsDragging(); })) << "still dragging";
    EXPECT_EQ(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_EQ(Frame().GetView()->GetHoverIndex(), -1);
}
