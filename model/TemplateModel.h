#pragma once

#include <string>

#include "model/SysExBuffer.h"

// The device model a template belongs to. The values are stored and compared
// with IDeviceAnswers::GetModelCode, so they never change.
enum TemplateModel
{
    ModelTolvar = 0,
    ModelTolvarDrel = 1,
    ModelTolvarVesk = 2,
    ModelCalder = 3,
    ModelDorvaSynth = 4,
    ModelUnknown = 5, // not a template of these units
};

// The size of a Calder dump, the only thing that tells it from a Tolvar dump.
constexpr size_t kCalderDumpSize = 8208;

// The model of a template dump, from its header alone: the maker's identifier
// and the type bytes. The model's own reader checks the rest.
TemplateModel IdentifyTemplateSysEx(const SysExBuffer& dump);
// "Tolvar", "Tolvar Drel", "Tolvar Vesk", "Calder", "DorvaSynth" or "Unknown".
std::string GetTemplateModelName(TemplateModel model);
std::string GetTemplateModelName(const SysExBuffer& dump);
