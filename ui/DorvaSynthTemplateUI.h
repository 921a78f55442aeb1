#pragma once

#include "ui/TemplateUI.h"

// The DorvaSynth's front panel: 51 control buttons at fixed places over the
// panel picture (22 pots, 22 buttons, the sustain pedal, two wheels and four
// pad axes), and the Listen and Send buttons.
class CDorvaSynthTemplateUI : public CTemplateUI
{
public:
    CDorvaSynthTemplateUI();

    // Rebuilds the 51 control buttons for the template, in the order hit
    // tests and navigation rely on: pot rows A and B, button rows A and B,
    // then the pedal, the wheels and the pad axes.
    void CreateControls(CEditorTemplate* editorTemplate) override;
    CEditorTemplate* GetTemplate() override { return m_template; }

private:
    CEditorTemplate* m_template = nullptr;
};
