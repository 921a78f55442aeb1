// Importing the controls of another template file into the current one.
#include <gtest/gtest.h>

#include "model/SysExFile.h"
#include "tests/ui/MainWindowTest.h"

// Ctrl+I with a template of each other model brings every control that
// opening the same file keeps under "Imported Controls", not only those that
// found a place on this model's panel.
TEST_F(MainWindowTest, ImportBringsEveryControlThatOpeningKeeps)
{
    for (TemplateModel model : {ModelCalder, ModelTolvarVesk, ModelTolvar, ModelTolvarDrel})
    {
        const std::string name = GetTemplateModelName(model);
        SCOPED_TRACE(name);
        std::unique_ptr<CEditorTemplate> file = CreateTemplateOfModel(model);
        int filled = 0;
        for (int i = 0; i <= file->GetLastControlIndex(); ++i)
            if (CBaseControlState* control = file->GetControl(i))
            {
                control->SetType(ControlMessageType::CC, false);
                control->SetName("Knob " + std::to_string(i));
                control->SetMIDIControlLSBNum(static_cast<uint8_t>(i % 128));
                ++filled;
            }
        // Two copies: a file open and unchanged would only be made current.
        const std::string opened = m_config.File(name + " opened.syx"), imported = m_config.File(name + ".syx");
        ASSERT_TRUE(WriteSysExToFile(opened, file->Write()) && WriteSysExToFile(imported, file->Write()));

        ChooseFile(opened, 'O');
        const std::vector<CBaseControlState> kept = Frame().GetCurrentTemplate()->GetImportedControls();
        EXPECT_EQ(static_cast<int>(kept.size()), filled);

        CEditorTemplate& into = AddTemplate("Into");
        ChooseFile(imported, 'I');
        const std::vector<CBaseControlState>& brought = into.GetImportedControls();
        ASSERT_EQ(brought.size(), kept.size());
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_TRUE(CBaseControlState::Equals(brought[i], kept[i])) << kept[i].GetName();
        EXPECT_EQ(Status(), "Opened template: " + ToWx(imported));
        Boxes();
    }
}
