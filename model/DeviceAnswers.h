#pragma once

#include <memory>
#include <string>

#include "model/OSVersion.h"

class CBaseControlState;
class CPlacedControl;
class CEditorTemplate;
class IBulkDump;
class IBulkEntry;
class CDeviceOS;

// What generic code asks about the device model: names and texts, limits,
// features, which message types each control index may send, and factories
// for the device's data objects. Plain C++, so the data layer and its tests
// ask it without a running application; the application object forwards its
// own questions here. The view factory lives with the application.
class IDeviceAnswers
{
public:
    virtual ~IDeviceAnswers() = default;

    virtual std::string GetAppTitle() const = 0;
    virtual std::string GetProductName() const = 0;
    virtual std::string GetAboutText() const = 0;
    virtual std::string GetOSUpdateInstructions() const = 0;
    virtual int GetMaxControlNameLength() const = 0;
    virtual int GetDisplayNameLength() const = 0;
    virtual int GetModelCode() const = 0;
    virtual int GetMaxTemplateNameLength() const = 0;
    virtual int GetMaxSysExLength() const = 0;
    virtual bool SupportsSysExMessages() const = 0;
    virtual bool HasSynthTemplateOption() const = 0;
    virtual bool HasAudioFxSettings() const = 0;
    virtual bool HasExpandingPages() const = 0;
    virtual bool HasMidiPort2() const = 0;
    virtual bool HasUsbPortB() const = 0;
    virtual bool HasUsbPortC() const = 0;
    virtual bool HasPortGroups() const = 0;
    virtual bool HasAutoSnapshot() const = 0;
    virtual bool HasManufacturerName() const = 0;
    virtual bool HasKeyboard() const = 0;
    virtual bool HasKeyboardZones() const = 0;
    virtual bool HasAftertouchSetting() const = 0;
    virtual bool HasPotPickup() const = 0;
    virtual bool HasPatchLibrarian() const = 0;
    virtual bool HasSynthModes() const = 0;
    virtual bool HasBulkDumps() const = 0;
    virtual bool ChecksOSVersion() const = 0;
    virtual bool HasGroupPages() const = 0;
    virtual bool HasPadSpringTypes() const = 0;
    virtual bool HasDirectionalSpringModes() const = 0;
    virtual bool HasOSUpdate() const = 0;
    virtual bool AllowsNamedMmcControls() const = 0;
    virtual int GetMaxMmcDeviceNumber() const { return 99; }
    virtual bool HasOnStrokeOffDisplay() const = 0;
    virtual bool HasRelativePotModes() const = 0;
    virtual bool HasTranspose() const { return false; }
    virtual std::string GetMidiPort1Label() const = 0;
    virtual std::string GetMidiPort2Label() const = 0;
    virtual std::string GetUsbPortLabel() const = 0;
    virtual std::string GetUsbPortBLabel() const = 0;
    virtual std::string GetUsbPortCLabel() const = 0;
    virtual bool HasViewMenu() const = 0;
    virtual OSVersion GetRequiredOSVersion() const = 0;

    // Factories: each call returns a fresh object owned by the caller.
    virtual std::unique_ptr<CEditorTemplate> CreateTemplate() const = 0;
    virtual std::unique_ptr<IBulkDump> CreateTemplateBulkDump() const = 0;
    virtual std::unique_ptr<IBulkEntry> CreatePatch() const = 0;
    virtual std::unique_ptr<IBulkDump> CreatePatchBulkDump() const = 0;
    virtual std::unique_ptr<CDeviceOS> CreateDeviceOS() const = 0;

    virtual bool ReceivesBulkDumpAsOneBuffer() const = 0;
    virtual bool SupportsPitchBend(int index) const = 0;
    virtual bool SupportsAftertouch(int index) const = 0;
    virtual bool Supports14BitValues(int index) const = 0;
    virtual bool HasPickupStrategy(int index) const = 0;
    virtual bool HasSnapshotPanel(int index) const = 0;
    virtual bool IsWheelIndex(int index) const = 0;
    virtual bool IsPadAxisIndex(int index) const = 0;
    virtual bool SupportsDrumNote(int index) const = 0;
    virtual bool IsFixedControlIndex(int index) const = 0;
    // May a control at this index send this message type?
    virtual bool CanAssignMessageType(int index, int messageType) const = 0;
    // The same question for a placed control and the state it would carry.
    bool CanAssignMessageType(const CPlacedControl& placed, const CBaseControlState& state) const;
    virtual bool IsMessageTypeSupported(int messageType) const = 0;
    virtual bool IsContinuousIndex(int index) const = 0;
    virtual bool IsButtonIndex(int index) const = 0;
    // Start-up hands in the "ViewType" preference; a device that always shows
    // one caption mode sets it. By default it stays as the user left it.
    virtual void ApplyDefaultViewType(int& /*viewType*/) const {}
    virtual std::string GetUsbMidiDeviceName() const = 0;
    virtual std::string GetAppKey() const = 0;
};
