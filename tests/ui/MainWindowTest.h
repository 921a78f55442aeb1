#pragma once

#include <string>
#include <vector>

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/TemplateLoader.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/TemplateUI.h"

// The real main window after start-up (start-up action "nothing") on the
// loopback devices "In" and "Out", with the resources its dialogs and panels
// are made from.
class MainWindowTest : public UiTest
{
protected:
    using Labels = std::vector<wxString>;

    MainWindowTest()
    {
        static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
        EXPECT_TRUE(loaded);
        TestApp().realMainWindow = true;
        Start({"In"}, [](Preferences&) {});
    }
    // Start-up (again) with these devices and preferences.
    template <typename Change>
    void Start(std::vector<std::string> inputs, Change change, std::vector<std::string> outputs = {"Out"})
    {
        TestApp().Stop();
        UseDevices(std::move(inputs), std::move(outputs));
        WritePreferences([&change](Preferences& p) {
            p.startupAction = 1;
            p.showOldOSDialog = 0;
            change(p);
        });
        EXPECT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
        EXPECT_TRUE(m_frame && RealInput::Focus(Panel()));
    }

    CMainFrame& Frame() { return *m_frame; }
    // The child the front panel is drawn in.
    wxWindow* Panel() { return m_frame->GetPanelWindow(); }
    CTemplateUI& View() { return *m_frame->GetView(); }
    wxPoint Centre(int index) { return View().ControlCentre(index); }
    std::vector<int> Selected()
    {
        std::vector<int> indices;
        for (std::size_t i = 0; i < Frame().GetSelection().Size(); ++i)
            indices.push_back(Frame().GetSelection()[i].GetIndex());
        return indices;
    }
    wxMenuItem* Item(int id) { return Frame().GetMenuBar()->FindItem(id); }
    bool Enabled(int id) { return Item(id) && Item(id)->IsEnabled(); }
    wxString MenuLabel(int id) { return Item(id)->GetItemLabel(); }
    bool Listening() { return Item(MenuId::Listen)->IsChecked(); }
    wxString Status(int field = 0) { return Frame().GetStatusBar()->GetStatusText(field); }
    // The texts of the message boxes shown so far, which are forgotten.
    Labels Boxes()
    {
        Labels texts;
        for (const auto& box : m_boxes.boxes)
            texts.push_back(box.text);
        m_boxes.boxes.clear();
        return texts;
    }
    // A new template named name, not yet saved anywhere; it becomes current.
    CEditorTemplate& AddTemplate(const std::string& name)
    {
        auto created = CDorvaSynthAnswers().CreateTemplate();
        created->SetName(name);
        Frame().AddTemplate(std::move(created));
        return *Frame().GetCurrentTemplate();
    }
    Labels TemplateMenu()
    {
        Labels labels;
        for (int id = MenuId::OpenTemplate; Item(id); ++id)
            labels.push_back(MenuLabel(id));
        return labels;
    }
    // Tab selects the first control, Delete clears it: one undo step.
    void DeleteFirstControl()
    {
        ASSERT_TRUE(RealInput::Focus(Panel()));
        RealInput::Key(WXK_TAB);
        RealInput::Key(WXK_DELETE);
        ASSERT_TRUE(Frame().GetCurrentTemplate()->CanUndo());
    }
    void ChooseMenu(int id) { ASSERT_TRUE(RealInput::ChooseMenuItem(&Frame(), id)) << "menu item " << id; }
    // The file chooser's next answer, and the key that opens it.
    void ChooseFile(const std::string& path, int key, int modifiers = wxMOD_CONTROL)
    {
        m_chooser.answer = ToWx(path);
        ASSERT_TRUE(RealInput::Focus(Panel()));
        RealInput::Key(key, modifiers);
    }
    // The desktop's own file chooser for the key instead of the script;
    // user acts on it inside its loop.
    void ChooseInRealChooser(int key, int modifiers, std::function<void(wxFileDialog&)> user)
    {
        struct Real
        {
            FileDialogFunction script = SetFileDialogFunction(nullptr);
            ~Real() { SetFileDialogFunction(script); }
        } real;
        DialogScript<wxFileDialog> chooser(std::move(user));
        ASSERT_TRUE(RealInput::Focus(Panel()));
        RealInput::Key(key, modifiers);
        EXPECT_EQ(chooser.titles.size(), 1u) << "no chooser showed";
    }
    // The control's settings on show: a click on it, then Enter.
    void EditControl(int index)
    {
        RealInput::Click(Panel(), Centre(index));
        RealInput::Key(WXK_RETURN);
        ASSERT_TRUE(Frame().IsControlSettingsShown());
        ASSERT_TRUE(RealInput::Focus(Panel()));
    }
    // A few whole idle passes, for what must not happen in them.
    void IdlePasses(int count = 3)
    {
        for (int i = 0; i < count; ++i)
            TestApp().ProcessIdle();
    }

    CMainFrame* m_frame = nullptr;
    FileChooserScript m_chooser; // answers Cancel until told otherwise
};
