#pragma once

#include <cstdint>
#include <string>

#include "model/ImportedParamRecord.h"
#include "model/SysExDef.h"

// The MIDI message a control sends. Codes are stored in dumps; any other code
// read from a file is kept as it is and named "Unknown!".
namespace ControlMessageType
{
enum Value : int
{
    Disabled = 0,
    CC = 1,
    NRPN = 2,
    RPN = 3,
    SysEx = 4,
    MMC = 5,
    NoteOn = 6,
    NoteOff = 7,
    BankSelect = 8,
    ProgramChange = 9,
    PitchBend = 10,
    DrumNote = 11,
    Aftertouch = 12,
};
} // namespace ControlMessageType

// What a button does when pressed. A Step button steps by its step size.
namespace ControlAction
{
enum Value : int
{
    Normal = 0,
    Momentary = 1,
    Toggle = 2,
    Step = 3,
};
} // namespace ControlAction

// Display format / pot mode codes.
namespace DisplayFormat
{
enum Value : int
{
    Range0To127 = 0,      // "Display_0_To_127"
    RangeMinus64To63 = 1, // "Display_Minus_64_To_63"
    MMC = 2,              // set by SetType, never chosen by the user
    OnStrokeOff = 3,      // "Display_On_Stroke_Off": on at stroke, off at release
    Rel1 = 6,             // "REL_1"
    Rel2 = 7,             // "REL_2"
    Send14Bit = 9,        // "Send_14_Bit_Values": range 0..16383
    TolvarVesk15 = 15,    // only in Tolvar Vesk records
    TolvarVesk16 = 16,    // only in Tolvar Vesk records
    APot = 17,            // "A_POT"
};
} // namespace DisplayFormat

// Port group and channel group codes.
namespace ControlGroup
{
enum Value : int
{
    Own = 0,      // "As below:": the control's own ports or channel
    Common = 1,   // the template's common group
    Keyboard = 2, // the keyboard group (ports) or program group (channel)
};
} // namespace ControlGroup

// MIDI Machine Control commands, 1..13.
namespace MMCCommand
{
enum Value : int
{
    Stop = 1,
    Play,
    DeferredPlay,
    Forward,
    Rewind,
    Record,
    RecordExit,
    RecordPause,
    Pause,
    Eject,
    Chase,
    ErrorReset,
    Reset,
};
} // namespace MMCCommand

// The seven text lines that describe a control (its tooltip).
struct ControlInfoRecord
{
    std::string nameLine;
    std::string channelLine;
    std::string typeName;
    std::string detail1;
    std::string detail2;
    std::string highLine;
    std::string lowLine;
};

// The settings of one assignable control of a template. Owned by its template
// and copied by value; the records of every model read and write it through
// the setters, the commands change it, the view describes it. Values are kept
// as they come from files: no setter checks a range.
class CBaseControlState
{
public:
    CBaseControlState();
    CBaseControlState(const CBaseControlState&) = default;
    CBaseControlState& operator=(const CBaseControlState&) = default;
    virtual ~CBaseControlState() = default;

    virtual ControlInfoRecord Describe() const;
    // The MMC command name for MMC controls; else "name (parameter name)", or
    // the name alone when there is no other parameter name.
    virtual std::string GetLabel() const;
    // False for MMC, Note On, Note Off and Program Change.
    virtual bool HasDisplayFormat() const;
    virtual int GetType() const { return m_type; }

    virtual std::string GetName() const { return m_name; }
    // The parameter name when there is one, else the name.
    virtual std::string GetDisplayName() const { return m_paramName.empty() ? m_name : m_paramName; }
    virtual int GetSnapshotValue() const { return m_snapshotValue; }
    virtual bool GetRoutingBit0() const { return m_routingBit0; }
    virtual bool GetRoutingBit1() const { return m_routingBit1; }
    virtual bool GetBehaviourBit6() const { return m_behaviourBit6; }
    virtual bool GetMIDIPort1Enabled() const { return m_midiPort1Enabled; }
    virtual bool GetMIDIPort2Enabled() const { return m_midiPort2Enabled; }
    virtual bool GetUSBPortEnabled() const { return m_usbPortEnabled; }
    virtual bool GetUSBPort2Enabled() const { return m_usbPort2Enabled; }
    virtual bool GetUSBPort3Enabled() const { return m_usbPort3Enabled; }
    virtual int GetMIDIPortGroup() const { return m_midiPortGroup; }
    virtual int GetMIDIChanGroup() const { return m_midiChanGroup; }
    virtual bool GetBehaviourBit0() const { return m_behaviourBit0; }
    virtual bool GetBehaviourBit1() const { return m_behaviourBit1; }
    virtual bool GetInvertedRange() const { return m_invertedRange; }
    virtual bool GetBehaviourBit2Inverse() const { return m_behaviourBit2Inverse; }
    virtual int GetPotCatchup() const { return m_potCatchup; }
    virtual uint8_t GetMIDIControlLSBNum() const { return m_lsbNum; }
    virtual uint8_t GetMIDIControlMSBNum() const { return m_msbNum; }
    virtual int GetMIDIChannelOrMMCDeviceNum() const { return m_channelOrDevice; }
    virtual int GetMMCControlType() const { return m_mmcControlType; }
    virtual int GetOffValue() const { return m_offValue; }
    virtual int GetOnValue() const { return m_onValue; }
    virtual int GetDrumAutoOffTime() const { return m_drumAutoOffTime; }
    virtual int GetDrumOffSync() const { return m_drumOffSync; }
    virtual uint8_t GetChannelHighNibble() const { return m_channelHighNibble; }
    virtual int GetDisplayFormat() const { return m_displayFormat; }
    virtual bool GetModeBit6() const { return m_modeBit6; }
    virtual SysExDef GetSysExData() const { return m_sysExData; }

    // Every field back to its default.
    virtual void Clear();
    // MMC sets display format 2, any other type turns a format 2 into 0;
    // BehaviourBit0 is false for NRPN and RPN, true otherwise. With notify
    // the snapshot value is clamped to the new type.
    virtual void SetType(int type, bool notify);

    // Also makes the name the short name of the imported-parameter record.
    virtual void SetName(const std::string& name);
    virtual void SetParamName(const std::string& name) { m_paramName = name; }
    virtual void SetSnapshotValue(int value) { m_snapshotValue = value; }
    virtual void SetRoutingBit0(bool on) { m_routingBit0 = on; }
    virtual void SetRoutingBit1(bool on) { m_routingBit1 = on; }
    virtual void SetBehaviourBit6(bool on) { m_behaviourBit6 = on; }
    virtual void SetMIDIPort1Enabled(bool on) { m_midiPort1Enabled = on; }
    virtual void SetMIDIPort2Enabled(bool on) { m_midiPort2Enabled = on; }
    virtual void SetUSBPortEnabled(bool on) { m_usbPortEnabled = on; }
    virtual void SetUSBPort2Enabled(bool on) { m_usbPort2Enabled = on; }
    virtual void SetUSBPort3Enabled(bool on) { m_usbPort3Enabled = on; }
    virtual void SetMIDIPortGroup(int group) { m_midiPortGroup = group; }
    virtual void SetMIDIChanGroup(int group) { m_midiChanGroup = group; }
    virtual void SetBehaviourBit0(bool on) { m_behaviourBit0 = on; }
    virtual void SetBehaviourBit1(bool on) { m_behaviourBit1 = on; }
    virtual void SetInvertedRange(bool on) { m_invertedRange = on; }
    virtual void SetBehaviourBit2Inverse(bool on) { m_behaviourBit2Inverse = on; }
    virtual void SetPotCatchup(int strategy) { m_potCatchup = strategy; }
    virtual void SetMIDIControlLSBNum(uint8_t number) { m_lsbNum = number; }
    virtual void SetMIDIControlMSBNum(uint8_t number) { m_msbNum = number; }
    virtual void SetMIDIChannelOrMMCDeviceNum(int number) { m_channelOrDevice = number; }
    virtual void SetMMCControlType(int command) { m_mmcControlType = command; }
    // Tells every observer of the main window (the snapshot and button panels).
    virtual void SetAction(int action);
    virtual void SetMultiStep(uint8_t step) { m_multiStep = step; }
    virtual void SetDisplayFormat(int format) { m_displayFormat = format; }
    virtual void SetModeBit6(bool on) { m_modeBit6 = on; }
    virtual void SetChannelHighNibble(uint8_t nibble) { m_channelHighNibble = nibble; }
    virtual void SetSysExData(const SysExDef& data) { m_sysExData = data; }
    // Both keep InvertedRange as low > high; with notify the snapshot is clamped.
    virtual void SetOnValue(int value, bool notify);
    virtual void SetOffValue(int value, bool notify);
    virtual void SetDrumAutoOffTime(int time) { m_drumAutoOffTime = time; }
    virtual void SetDrumOffSync(int sync) { m_drumOffSync = sync; }

    // Button action, step size and parameter name have no virtual getter.
    int GetAction() const { return m_action; }
    std::string GetParamName() const { return m_paramName; }
    uint8_t GetMultiStep() const { return m_multiStep; }

    // The control sits on a continuous place (pot, slider, wheel, pad axis).
    // Not a setting: whoever places the state sets it from the device.
    bool IsContinuous() const { return m_continuous; }
    void SetContinuous(bool continuous) { m_continuous = continuous; }

    // Raw bytes of other models' records, kept for writing them back.
    static constexpr int kPassThroughBytes = 5;
    // Out-of-range indices read 0 and write nothing.
    uint8_t GetPassThroughByte(int i) const;
    void SetPassThroughByte(int i, uint8_t value);

    const ImportedParamRecord& GetImportedParam() const { return m_importedParam; }
    void SetImportedParam(const ImportedParamRecord& record) { m_importedParam = record; }

    static void CopyFrom(CBaseControlState& destination, const CBaseControlState& source);
    // Compares what the device stores; snapshot value, parameter name,
    // BehaviourBit6, drum values, the continuous flag and pass-through bytes
    // 1-4 are left out.
    static bool Equals(const CBaseControlState& a, const CBaseControlState& b);

    // Brings the snapshot value into what the control can send: a plain button
    // starts at its low value, a Note On button at 0, anything else within its
    // range. Types without a snapshot value return false at once; otherwise the
    // main window's value observer is told, changed or not. Returns whether the
    // value changed.
    bool ClampSnapshotValue();

    // False for Disabled and Drum Note.
    static bool HasSnapshotValue(int type);
    static std::string MessageTypeName(int type);
    static std::string MMCCommandName(int command);
    // Maps a plug-in parameter onto the state: a CC with the parameter's names,
    // or a nameless Disabled control when the record has no parameter.
    static void ApplyPluginParameter(const ImportedParamRecord& record, CBaseControlState& state);
    static int MaxInt(int a, int b) { return a > b ? a : b; }
    static int MinInt(int a, int b) { return a < b ? a : b; }

private:
    uint8_t m_passThrough[kPassThroughBytes] = {};
    std::string m_name;
    std::string m_paramName;
    int m_type = ControlMessageType::Disabled;
    int m_snapshotValue = 0;
    bool m_routingBit0 = false;
    bool m_routingBit1 = false;
    bool m_midiPort1Enabled = true;
    bool m_midiPort2Enabled = false;
    bool m_usbPortEnabled = true;
    bool m_usbPort2Enabled = false;
    bool m_usbPort3Enabled = false;
    int m_midiPortGroup = ControlGroup::Own;
    int m_midiChanGroup = ControlGroup::Own;
    bool m_behaviourBit0 = false;
    bool m_behaviourBit1 = false;
    bool m_invertedRange = false;
    bool m_behaviourBit2Inverse = true;
    int m_potCatchup = 2;
    bool m_behaviourBit6 = false;
    uint8_t m_lsbNum = 0;
    uint8_t m_msbNum = 0;
    int m_channelOrDevice = 1;
    int m_mmcControlType = MMCCommand::Stop;
    int m_displayFormat = DisplayFormat::Range0To127;
    bool m_modeBit6 = true;
    uint8_t m_channelHighNibble = 0;
    int m_offValue = 0;
    int m_onValue = 127;
    uint8_t m_multiStep = 1;
    int m_action = ControlAction::Normal;
    int m_drumAutoOffTime = 0;
    int m_drumOffSync = 0;
    SysExDef m_sysExData;
    ImportedParamRecord m_importedParam;
    bool m_continuous = false;
};
