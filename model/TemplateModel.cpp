#include "model/TemplateModel.h"

#include "model/SysExHeader.h"

TemplateModel IdentifyTemplateSysEx(const SysExBuffer& dump)
{
    CSysExHeader header;
    size_t position = 0;
    if (dump.size() < CSysExHeader::kSize)
        return ModelUnknown;
    header.Read(dump, position); // only the maker's identifier matters here
    if (!header.HasManufacturerId())
        return ModelUnknown;
    const TemplateModel model = header.GetDeviceKind();
    if (model == ModelTolvar && dump.size() == kCalderDumpSize)
        return ModelCalder;
    return model;
}

std::string GetTemplateModelName(TemplateModel model)
{
    switch (model)
    {
    case ModelTolvar:
        return "Tolvar";
    case ModelTolvarDrel:
        return "Tolvar Drel";
    case ModelTolvarVesk:
        return "Tolvar Vesk";
    case ModelCalder:
        return "Calder";
    case ModelDorvaSynth:
        return "DorvaSynth";
    default:
        return "Unknown";
    }
}

std::string GetTemplateModelName(const SysExBuffer& dump)
{
    return GetTemplateModelName(IdentifyTemplateSysEx(dump));
}
