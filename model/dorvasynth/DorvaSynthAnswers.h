#pragma once

#include "model/DeviceAnswers.h"

// The DorvaSynth's answers. Control indices: continuous 0..21 and 44..49
// (44, 45 the wheels, 46..49 the touch pad axes); buttons 22..43 and 50.
class CDorvaSynthAnswers : public IDeviceAnswers
{
public:
    std::string GetAppTitle() const override { return "Dorva Editor"; }
    std::string GetProductName() const override { return "Dorva"; }
    std::string GetAboutText() const override;
    std::string GetOSUpdateInstructions() const override;
    int GetMaxControlNameLength() const override { return 16; }
    int GetDisplayNameLength() const override { return 8; }
    int GetModelCode() const override { return 4; }
    int GetMaxTemplateNameLength() const override { return 16; }
    int GetMaxSysExLength() const override { return 0; }
    bool SupportsSysExMessages() const override { return false; }
    bool HasSynthTemplateOption() const override { return false; }
    bool HasAudioFxSettings() const override { return false; }
    bool HasExpandingPages() const override { return false; }
    bool HasMidiPort2() const override { return false; }
    bool HasUsbPortB() const override { return false; }
    bool HasUsbPortC() const override { return false; }
    bool HasPortGroups() const override { return false; }
    bool HasAutoSnapshot() const override { return false; }
    bool HasManufacturerName() const override { return false; }
    bool HasKeyboard() const override { return true; }
    bool HasKeyboardZones() const override { return false; }
    bool HasAftertouchSetting() const override { return false; }
    bool HasPotPickup() const override { return false; }
    bool HasPatchLibrarian() const override { return true; }
    bool HasSynthModes() const override { return true; }
    bool HasBulkDumps() const override { return true; }
    bool ChecksOSVersion() const override { return true; }
    bool HasGroupPages() const override { return false; }
    bool HasPadSpringTypes() const override { return true; }
    bool HasDirectionalSpringModes() const override { return false; }
    bool HasOSUpdate() const override { return true; }
    bool AllowsNamedMmcControls() const override { return false; }
    bool HasOnStrokeOffDisplay() const override { return false; }
    bool HasRelativePotModes() const override { return false; }
    bool HasTranspose() const override { return true; }
    std::string GetMidiPort1Label() const override { return "MIDI Port"; }
    std::string GetMidiPort2Label() const override { return ""; }
    std::string GetUsbPortLabel() const override { return "USB Port"; }
    std::string GetUsbPortBLabel() const override { return ""; }
    std::string GetUsbPortCLabel() const override { return ""; }
    bool HasViewMenu() const override { return false; }
    // 2.1.06: the byte pair 0x11, 6.
    OSVersion GetRequiredOSVersion() const override { return OSVersion::Decode(0x11, 6); }
    std::unique_ptr<CEditorTemplate> CreateTemplate() const override;
    std::unique_ptr<IBulkDump> CreateTemplateBulkDump() const override;
    std::unique_ptr<IBulkEntry> CreatePatch() const override;
    std::unique_ptr<IBulkDump> CreatePatchBulkDump() const override;
    std::unique_ptr<CDeviceOS> CreateDeviceOS() const override;

    bool ReceivesBulkDumpAsOneBuffer() const override { return false; }
    bool SupportsPitchBend(int index) const override { return index == 44 || IsPadAxisIndex(index); }
    bool SupportsAftertouch(int index) const override
    {
        return index == 44 || index == 45 || IsPadAxisIndex(index) || IsContinuousIndex(index);
    }
    bool Supports14BitValues(int) const override { return false; }
    bool HasPickupStrategy(int index) const override { return !IsWheelIndex(index) && !IsPadAxisIndex(index); }
    bool HasSnapshotPanel(int index) const override { return HasPickupStrategy(index); }
    bool IsWheelIndex(int index) const override { return index == 44 || index == 45; }
    bool IsPadAxisIndex(int index) const override { return index >= 46 && index <= 49; }
    bool SupportsDrumNote(int) const override { return false; }
    bool IsFixedControlIndex(int) const override { return false; }
    using IDeviceAnswers::CanAssignMessageType;
    bool CanAssignMessageType(int index, int messageType) const override;
    bool IsMessageTypeSupported(int messageType) const override;
    bool IsContinuousIndex(int index) const override
    {
        return (index >= 0 && index <= 21) || (index >= 44 && index <= 49);
    }
    bool IsButtonIndex(int index) const override { return (index >= 22 && index <= 43) || index == 50; }
    // No View menu: every caption shows all its lines.
    void ApplyDefaultViewType(int& viewType) const override { viewType = 3; }
    std::string GetUsbMidiDeviceName() const override { return "USB Audio Device"; }
    std::string GetAppKey() const override { return "DorvaSynthEditor"; }
};
