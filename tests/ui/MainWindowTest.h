#pragma once

#include <string>
#include <vector>

#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/ResourceFiles.h"
#include "ui/TemplateUI.h"

// The real main window after start-up (start-up action "nothing"), with the
// resources its dialogs and panels are made from.
class MainWindowTest : public UiTest
{
protected:
    MainWindowTest()
    {
        // This suite's application leaves them out of its start-up.
        static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
        EXPECT_TRUE(loaded);
        TestApp().realMainWindow = true;
        UseDevices({"In"}, {"Out"});
        WritePreferences([](Preferences& p) { p.startupAction = 1; });
        EXPECT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
    }

    CMainFrame& Frame() { return *m_frame; }
    // The child the front panel is drawn in.
    wxWindow* Panel() { return m_frame->GetPanelWindow(); }
    // A new template named name, not yet saved anywhere; it becomes current.
    CEditorTemplate& AddTemplate(const std::string& name)
    {
        auto created = CDorvaSynthAnswers().CreateTemplate();
        created->SetName(name);
        Frame().AddTemplate(std::move(created));
        return *Frame().GetCurrentTemplate();
    }
    std::vector<int> Selected()
    {
        std::vector<int> indices;
        for (std::size_t i = 0; i < Frame().GetSelection().Size(); ++i)
            indices.push_back(Frame().GetSelection()[i].GetIndex());
        return indices;
    }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(0); }
    wxString MenuLabel(int id) { return Frame().GetMenuBar()->FindItem(id)->GetItemLabel(); }
    wxPoint Centre(int index) { return Frame().GetView()->ControlCentre(index); }

    CMainFrame* m_frame = nullptr;
};
