#include "plugins/dialogs/TemplateFromPlugin.h"

#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/TemplateLocals.h"
#include "tests/plugins/PluginTestSupport.h"
#include "tests/plugins/dialogs/PluginDialogTestSupport.h"
#include "ui/WindowHelpers.h"

namespace
{
const char* const kTooMany =
    "Too many parameters - 12 were not mapped out of a total of 63.\n\nYou can map the other parameters by "
    "right-clicking on a control and choosing \"Imported Controls\".  The menu shows all the parameters from the "
    "plugin - those which have been assigned to the template have a check mark next to them.";

class TemplateFromPluginTest : public PluginDialogTest
{
protected:
    TemplateFromPluginTest()
    {
        InstallTestPlugin("entry-vstpluginmain", VstDir(), "a-synth.so");
        InstallTestPlugin("many-params", VstDir(), "b-many.so");
        InstallTestPlugin("empty-name", VstDir(), "c-noname.so");
    }

    // Runs the command with a user who acts on the selector as the script says.
    std::unique_ptr<CEditorTemplate> Run(std::function<void(wxDialog&)> user)
    {
        ModalScript script(std::move(user));
        std::unique_ptr<CEditorTemplate> result = CreateTemplateFromPlugin(nullptr);
        m_titles = script.titles;
        return result;
    }

    static const CBaseControlState& Control(const CEditorTemplate& made, int index)
    {
        const CBaseControlState* control = made.GetControl(index);
        if (!control)
            throw std::runtime_error("no control " + std::to_string(index));
        return *control;
    }

    std::vector<wxString> m_titles;
};
} // namespace

TEST_F(TemplateFromPluginTest, TheChosenPluginNamesTheControlsInParameterOrder)
{
    auto made = Run([](wxDialog& selector) {
        SelectRow(PluginList(selector), 0);
        ClickButton(selector, wxID_OK);
    });
    EXPECT_EQ(m_titles, std::vector<wxString>{"Select Plugin"});
    ASSERT_NE(made, nullptr);

    // Parameter 1 has no name: controls 0-2 carry parameters 0, 2 and 3.
    const struct
    {
        const char* shortName;
        const char* fullName;
        int index;
    } expected[] = {
        {"Filter Cutoff", "Filter Cutoff", 0},
        {"A012345", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 2},
        {"EnvAttackTime", "Envelope Attack Time", 3},
    };
    for (int i = 0; i < 3; ++i)
    {
        const CBaseControlState& control = Control(*made, i);
        EXPECT_EQ(control.GetName(), expected[i].shortName) << i;
        EXPECT_EQ(control.GetParamName(), expected[i].fullName) << i;
        EXPECT_EQ(control.GetType(), ControlMessageType::CC) << i;
        EXPECT_EQ(control.GetImportedParam().index, expected[i].index) << i;
        EXPECT_EQ(control.GetImportedParam().shortName, expected[i].shortName) << i;
    }
    // The other controls keep their defaults.
    const std::unique_ptr<CEditorTemplate> fresh = Device().CreateTemplate();
    for (int i = 3; i <= made->GetLastControlIndex(); ++i)
        EXPECT_TRUE(CBaseControlState::Equals(Control(*made, i), Control(*fresh, i))) << i;

    ASSERT_EQ(made->GetImportedControls().size(), 3u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(made->GetImportedControls()[i].GetName(), expected[i].shortName);
        EXPECT_EQ(made->GetImportedControls()[i].GetImportedParam().index, expected[i].index);
    }

    EXPECT_EQ(made->GetLocals().GetName(), "Test Synth");
    EXPECT_EQ(made->GetLocals().GetManufacturerName(), "Dorva Test Pl") << "13 characters at most";
    EXPECT_TRUE(made->IsModified());
    EXPECT_FALSE(made->IsPathValid());
    EXPECT_TRUE(m_boxes.boxes.empty()) << m_boxes.boxes[0].text;
}

TEST_F(TemplateFromPluginTest, ParametersBeyondTheLastControlAreOnlyImportedAndCounted)
{
    auto made = Run([](wxDialog& selector) {
        SelectRow(PluginList(selector), 1);
        ClickButton(selector, wxID_OK);
    });
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetLocals().GetName(), "Many Synth");

    // 63 named parameters (0 and 2-63) on 51 controls.
    ASSERT_EQ(made->GetLastControlIndex(), 50);
    EXPECT_EQ(Control(*made, 3).GetName(), "Extra 4");
    EXPECT_EQ(Control(*made, 50).GetName(), "Extra 51");
    EXPECT_EQ(Control(*made, 50).GetImportedParam().index, 51);
    const auto& imported = made->GetImportedControls();
    ASSERT_EQ(imported.size(), 63u);
    EXPECT_EQ(imported[51].GetName(), "Extra 52");
    EXPECT_EQ(imported.back().GetName(), "Extra 63");
    EXPECT_EQ(imported.back().GetImportedParam().index, 63);

    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, kTooMany);
    EXPECT_EQ(m_boxes.boxes[0].caption, "Dorva Editor");
    EXPECT_TRUE(m_boxes.boxes[0].style & wxOK);
}

TEST_F(TemplateFromPluginTest, ActivatingARowBuildsFromThatRow)
{
    auto made = Run([](wxDialog& selector) { ActivateRow(PluginList(selector), 2); });
    ASSERT_NE(made, nullptr);
    // The plug-in reports no name: the template takes its file name.
    EXPECT_EQ(made->GetLocals().GetName(), "c-noname");
    EXPECT_EQ(Control(*made, 0).GetName(), "Filter Cutoff");
}

TEST_F(TemplateFromPluginTest, CancelOrClosingBuildsNothing)
{
    EXPECT_EQ(Run([](wxDialog& selector) {
                  SelectRow(PluginList(selector), 0);
                  ClickButton(selector, wxID_CANCEL);
              }),
              nullptr);
    EXPECT_EQ(Run([](wxDialog& selector) {
                  SelectRow(PluginList(selector), 0);
                  selector.Close();
              }),
              nullptr);
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(TemplateFromPluginTest, WithoutTheSelectorsLayoutNothingIsShownOrBuilt)
{
    const wxString common = GetResourceFilePath("Common", "xrc");
    ASSERT_TRUE(wxXmlResource::Get()->Unload(common));
    {
        wxLogNull quiet; // the toolkit logs the missing resource
        EXPECT_EQ(Run([](wxDialog&) { ADD_FAILURE() << "no dialog expected"; }), nullptr);
    }
    EXPECT_TRUE(wxXmlResource::Get()->Load(common));
    EXPECT_TRUE(m_titles.empty());
}
