// CEditorTemplate's work on controls: conversion from other templates, plug-in
// import, the after-load clamp; and its life and header bytes.
#include <cstdio>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/KeyboardZone.h"
#include "model/PlacedControl.h"
#include "model/ShortenName.h"
#include "model/SysExHeader.h"
#include "model/TemplateLocals.h"
#include "model/WordList.h"

namespace
{
void Inform(const std::string& text)
{
    Host().ShowMessage(text, MessageStyle::Ok | MessageStyle::IconInformation);
}
} // namespace

CEditorTemplate::CEditorTemplate() = default;

CEditorTemplate::~CEditorTemplate()
{
    ClearUndoHistory();
}

void CEditorTemplate::SetLocation(int location)
{
    GetHeader().SetLocation(location);
}

void CEditorTemplate::SetBulkFlag(bool flag)
{
    GetHeader().SetBulkFlag(flag);
}

bool CEditorTemplate::ContainsControl(const CBaseControlState& state) const
{
    for (int i = 0; i <= GetLastControlIndex(); ++i)
    {
        if (!IsIndexValid(i))
            continue;
        const CBaseControlState* control = GetControl(i);
        if (control && CBaseControlState::Equals(*control, state))
            return true;
    }
    return false;
}

bool CEditorTemplate::OwnsControl(const CBaseControlState* state) const
{
    if (!state)
        return false;
    for (int i = 0; i <= GetLastControlIndex(); ++i)
        if (GetControl(i) == state)
            return true;
    return false;
}

bool CEditorTemplate::ClampControls()
{
    bool changed = false;
    for (int i = 0; i <= GetLastControlIndex(); ++i)
    {
        CBaseControlState* control = GetControl(i);
        if (!control)
            continue;
        control->SetContinuous(Device().IsContinuousIndex(i));
        if (control->ClampSnapshotValue())
            changed = true;
    }
    if (changed)
    {
        Inform("This template contained controls with settings outside their range.  These settings have been "
               "clamped inside the range of the control.");
        MarkSaved(false);
    }
    return changed;
}

void CEditorTemplate::ValidateAfterLoad()
{
    ClampControls();
}

bool CEditorTemplate::ListsImported(const CBaseControlState& control) const
{
    for (const CBaseControlState& imported : m_importedControls)
        if (CBaseControlState::Equals(imported, control))
            return true;
    return false;
}

bool CEditorTemplate::CollectCompatibleControls(const CEditorTemplate& other)
{
    const IDeviceAnswers& device = Device();
    bool refused = false;
    for (int i = 0; i <= other.GetLastControlIndex(); ++i)
    {
        const CBaseControlState* source = other.GetControl(i);
        if (!source)
            break;
        if (source->GetType() == ControlMessageType::Disabled)
            continue;
        if (!device.IsMessageTypeSupported(source->GetType()))
        {
            refused = true;
            continue;
        }
        CBaseControlState copy(*source);
        const std::string name = source->GetName();
        const std::string shortName = ShortenName(name, Host().Abbreviations(), device.GetMaxControlNameLength(), 0);
        copy.SetParamName(name);
        copy.SetName(shortName);
        Host().Words().AddName(name);
        Host().Words().AddName(shortName);

        if (!ListsImported(copy))
            m_importedControls.push_back(copy);
    }
    if (refused)
        Inform("This template contains controls which will not work with this hardware.\n\nThese controls will not "
               "be loaded.");
    return true;
}

bool CEditorTemplate::CopyImportedControls(const CEditorTemplate& other)
{
    for (const CBaseControlState& control : other.m_importedControls)
        if (!ListsImported(control))
            m_importedControls.push_back(control);
    return true;
}

bool CEditorTemplate::ConvertFrom(const CEditorTemplate& other)
{
    CTemplateLocals& locals = GetLocals();
    // The settings keep at most 35 and 13 characters.
    locals.SetName(other.GetLocals().GetName());
    locals.SetManufacturerName(other.GetLocals().GetManufacturerName());

    if (Device().HasKeyboardZones())
    {
        SetZonesEnabled(other.GetZonesEnabled());
        CopyKeyboardZones(other);
    }

    CollectCompatibleControls(other);

    // Each listed control takes the next index that may carry it; a refused
    // index is offered to the next listed control.
    const int last = GetLastControlIndex();
    int target = 0;
    for (const CBaseControlState& listed : m_importedControls)
    {
        while (target <= last && !IsIndexValid(target))
            ++target;
        if (target > last)
            break;
        CBaseControlState* state = GetControl(target);
        if (!state)
            break;
        CPlacedControl placed(state, target);
        if (Device().CanAssignMessageType(placed, listed))
        {
            CBaseControlState::CopyFrom(*state, listed);
            ++target;
        }
    }
    return true;
}

void CEditorTemplate::ImportParameters(const std::string& pluginName, const std::string& manufacturer,
                                       const std::vector<ImportedParamRecord>& parameters)
{
    CTemplateLocals& locals = GetLocals();
    locals.SetName(pluginName);
    locals.SetManufacturerName(manufacturer);
    MarkSaved(false);
    m_pathValid = false;

    const int last = GetLastControlIndex();
    int target = 0;
    int mapped = 0;
    for (const ImportedParamRecord& record : parameters)
    {
        CBaseControlState imported;
        CBaseControlState::ApplyPluginParameter(record, imported);
        m_importedControls.push_back(imported);

        while (target <= last && !IsIndexValid(target))
            ++target;
        if (target > last)
            continue;
        if (CBaseControlState* control = GetControl(target))
        {
            CBaseControlState::ApplyPluginParameter(record, *control);
            ++mapped;
        }
        ++target;
    }

    const int total = static_cast<int>(parameters.size());
    if (mapped < total)
    {
        char text[512];
        std::snprintf(text, sizeof text,
                      "Too many parameters - %d were not mapped out of a total of %d.\n\nYou can map the other "
                      "parameters by right-clicking on a control and choosing \"Imported Controls\".  The menu "
                      "shows all the parameters from the plugin - those which have been assigned to the template "
                      "have a check mark next to them.",
                      total - mapped, total);
        Inform(text);
    }
}

void CEditorTemplate::CopyKeyboardZones(const CEditorTemplate& other)
{
    constexpr int kZones = 4;
    for (int i = 0; i < kZones; ++i)
    {
        const CKeyboardZone* source = other.GetKeyboardZone(i);
        CKeyboardZone* target = GetKeyboardZone(i);
        if (source && target)
            target->Assign(*source);
    }
}
