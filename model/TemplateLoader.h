#pragma once

#include <memory>
#include <string>

#include "model/SysExBuffer.h"
#include "model/TemplateModel.h"

class CEditorTemplate;

// Reads a template dump of any supported model into target. A dump of the
// application's own model is read straight in (converted false); the target's
// load check runs after it even when the read failed, and a dump with bits
// the model does not hold is reported (ReportTemplateDataErrors). A dump of
// another model is read into a template of its own model and converted
// (converted true). False for a dump of no known model or one its model
// refuses; the caller words the message. The target is left untouched by a
// refused foreign dump, but may be partly changed by a refused own one.
bool LoadTemplateFromSysEx(bool& converted, const SysExBuffer& dump, CEditorTemplate& target);

// When reading the template's dump left bits it cannot write back, writes the
// mask of those bits to the difference file (only the user may read it; a name
// held by someone else is never written through) and, when the user lets
// errors be sent home, offers the report window with that file attached.
void ReportTemplateDataErrors(const CEditorTemplate& read);

// <temp folder>/<application title>SyxDiff.bin, the temp folder from $TMPDIR
// or /tmp/.
std::string GetDataErrorFilePath();

// A template of the given model in its reset state; null for ModelUnknown.
std::unique_ptr<CEditorTemplate> CreateTemplateOfModel(TemplateModel model);
