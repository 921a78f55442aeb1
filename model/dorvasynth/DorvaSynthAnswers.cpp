#include "model/dorvasynth/DorvaSynthAnswers.h"

#include "model/BulkDump.h"
#include "model/calder/CalderPatch.h"
#include "model/dorvasynth/DorvaSynthOS.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"

std::string CDorvaSynthAnswers::GetAboutText() const
{
    return "Dorva Editor\n\n"
           "Edits, stores and sends the templates of the Brennix Dorva.\n\n"
           "Copyright Brennix. All rights reserved.";
}

std::string CDorvaSynthAnswers::GetOSUpdateInstructions() const
{
    const std::string p = GetProductName();
    return "If the " + p + " is connected via USB, from the global menu of the " + p +
           " select and follow the prompt:\n\n" + "\t\"New OS from USB\n" + "\tPress Write...\"\n\n" +
           "The screen should now show:\n\n" + "\t\"Waiting for O/S update from USB\"\n\n" +
           "Click the OK button to send the new OS from the editor to the " + p + ".";
}

std::unique_ptr<CEditorTemplate> CDorvaSynthAnswers::CreateTemplate() const
{
    return std::make_unique<CDorvaSynthTemplate>();
}

std::unique_ptr<IBulkDump> CDorvaSynthAnswers::CreateTemplateBulkDump() const
{
    return std::make_unique<CBulkDump<CDorvaSynthTemplate, 16>>();
}

std::unique_ptr<IBulkEntry> CDorvaSynthAnswers::CreatePatch() const
{
    return std::make_unique<CCalderPatch>();
}

std::unique_ptr<IBulkDump> CDorvaSynthAnswers::CreatePatchBulkDump() const
{
    return std::make_unique<CBulkDump<CCalderPatch, 100>>();
}

std::unique_ptr<CDeviceOS> CDorvaSynthAnswers::CreateDeviceOS() const
{
    return std::make_unique<CDorvaSynthOS>();
}

bool CDorvaSynthAnswers::CanAssignMessageType(int index, int messageType) const
{
    const bool continuous = IsContinuousIndex(index);
    switch (messageType)
    {
    case 0:
    case 1:
    case 2:
    case 3:
        return true;
    case 5:
    case 6:
    case 9:
        return !continuous;
    case 10:
        return continuous && SupportsPitchBend(index);
    case 12:
        return continuous && SupportsAftertouch(index);
    default: // 4, 7, 8, 11, and anything out of range
        return false;
    }
}

bool CDorvaSynthAnswers::IsMessageTypeSupported(int messageType) const
{
    switch (messageType)
    {
    case 0: case 1: case 2: case 3: case 5: case 6: case 9: case 10: case 12:
        return true;
    default:
        return false;
    }
}
