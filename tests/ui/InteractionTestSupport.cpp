#include "tests/ui/InteractionTestSupport.h"

#include "midi/MIDIIO.h"
#include "model/PlacedControl.h"
#include "ui/LCDFont.h"

void InteractionWindow::RefreshControl(CPlacedControl& control, bool /*deferred*/)
{
    refreshed.push_back(control.GetIndex());
}

PanelFixture::PanelFixture()
{
    LCDFont::Load(DORVA_IMAGES_DIR "/Font.png");
    App().SetMainWindow(&frame, &window);
    window.current = &editorTemplate;
    view.CreateControls(&editorTemplate);
}

PanelFixture::~PanelFixture()
{
    App().SetMainWindow(nullptr, nullptr);
    MIDIIO::Shutdown();
    LoadTestFont();
}

wxPoint PanelFixture::Centre(int index) const
{
    return view.ControlCentre(index);
}

void PanelFixture::Press(const wxPoint& point, bool ctrl)
{
    view.OnMouseButton(point, ctrl, false, true, false, false);
}

void PanelFixture::Release(const wxPoint& point, bool ctrl)
{
    view.OnMouseButton(point, ctrl, false, true, true, false);
}

void PanelFixture::Click(const wxPoint& point, bool ctrl)
{
    Press(point, ctrl);
    Release(point, ctrl);
}

void PanelFixture::DoubleClick(const wxPoint& point)
{
    Click(point);
    view.OnMouseButton(point, false, true, true, true, false);
}

std::vector<int> PanelFixture::Selected()
{
    std::vector<int> indices;
    const Selection& selection = view.GetSelection();
    for (std::size_t i = 0; i < selection.Size(); ++i)
        indices.push_back(selection[i].GetIndex());
    return indices;
}
