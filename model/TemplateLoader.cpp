#include "model/TemplateLoader.h"

#include <cstdlib>

#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/SysExFile.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"

std::unique_ptr<CEditorTemplate> CreateTemplateOfModel(TemplateModel model)
{
    switch (model)
    {
    case ModelDorvaSynth:
        return std::make_unique<CDorvaSynthTemplate>();
    case ModelTolvar:
        return std::make_unique<CTolvarTemplate>();
    case ModelTolvarDrel:
        return std::make_unique<CTolvarDrelTemplate>();
    case ModelTolvarVesk:
        return std::make_unique<CTolvarVeskTemplate>();
    case ModelCalder:
        return std::make_unique<CCalderTemplate>();
    case ModelUnknown:
        break;
    }
    return nullptr;
}

bool LoadTemplateFromSysEx(bool& converted, const SysExBuffer& dump, CEditorTemplate& target)
{
    converted = true;
    const TemplateModel model = IdentifyTemplateSysEx(dump);
    if (model == Device().GetModelCode())
    {
        converted = false;
        size_t position = 0;
        const bool read = target.Read(dump, position);
        // A refused dump leaves no kept dump of its own to report on.
        if (read)
            ReportTemplateDataErrors(target);
        target.ValidateAfterLoad();
        return read;
    }

    std::unique_ptr<CEditorTemplate> source = CreateTemplateOfModel(model);
    if (!source)
        return false;
    size_t position = 0;
    if (!source->Read(dump, position))
        return false;
    ReportTemplateDataErrors(*source);
    target.ConvertFrom(*source);
    target.ValidateAfterLoad();
    return true;
}

std::string GetDataErrorFilePath()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp/";
    if (folder.back() != '/')
        folder += '/';
    return folder + Device().GetAppTitle() + "SyxDiff.bin";
}

void ReportTemplateDataErrors(const CEditorTemplate& read)
{
    const SysExBuffer& mask = read.GetLostBitMask();
    if (!mask.AnyNonZero())
        return;
    // Written whatever the preference says, so a user can still send it by hand.
    std::string path;
    if (!WritePrivateFile(GetDataErrorFilePath(), mask, path))
        return;
    if (!Host().SendErrorsHome())
        return;
    const std::string text =
        "This template contains settings which cannot be processed properly.\n\n"
        "These settings will not be modified, so you can send this template back\n"
        "to your " +
        Device().GetProductName() +
        " without corrupting it.\n\n"
        "To avoid seeing this message again, uncheck \"Send template data errors to Brennix\"\n"
        "in the preferences dialog.";
    Host().ShowErrorReport(text, path, "Data Error");
}
