#include "tests/ui/InteractionTestSupport.h"

#include "midi/MIDIIO.h"
#include "model/PlacedControl.h"
#include "ui/LCDFont.h"

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

void PanelFixture::Click(const wxPoint& point)
{
    view.OnMouseButton(point, false, false, true, false, false);
    view.OnMouseButton(point, false, false, true, true, false);
}

std::vector<int> PanelFixture::Selected()
{
    std::vector<int> indices;
    const Selection& selection = view.GetSelection();
    for (std::size_t i = 0; i < selection.Size(); ++i)
        indices.push_back(selection[i].GetIndex());
    return indices;
}
