#pragma once

#include <string>

#include "model/SysExDef.h"
#include "model/commands/FieldCommand.h"

// The undoable edits of one field of one control, made by the property panels
// and the number fields. Each is named for the Edit menu's Undo and Redo items.

class CSetNameCommand
    : public CloneFieldCommand<std::string, &CBaseControlState::GetName, &CBaseControlState::SetName>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control Name"; }
};

// Changes the message type; the settings window is rebuilt for the new type
// at once, after Execute and after Undo, so UpdateView has nothing left to do.
// The panels of the new type may put other fields right outside the history
// (a note cannot step); Undo gives back the whole control as it was, as every
// field command does.
class CSetControlTypeCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetType, &CBaseControlState::SetType>
{
public:
    using CFieldCommand::CFieldCommand;
    void Execute() override;
    void Undo() override;
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Set Control Type"; }
};

class CEnableMIDIPort1Command
    : public CPortEnableCommand<&CBaseControlState::GetMIDIPort1Enabled, &CBaseControlState::SetMIDIPort1Enabled>
{
public:
    CEnableMIDIPort1Command(const CPlacedControl& control, bool enable)
        : CPortEnableCommand(control, enable, " Control MIDI Port 1")
    {
    }
};

class CEnableMIDIPort2Command
    : public CPortEnableCommand<&CBaseControlState::GetMIDIPort2Enabled, &CBaseControlState::SetMIDIPort2Enabled>
{
public:
    CEnableMIDIPort2Command(const CPlacedControl& control, bool enable)
        : CPortEnableCommand(control, enable, " Control MIDI Port 2")
    {
    }
};

class CEnableMIDIPortUSBCommand
    : public CPortEnableCommand<&CBaseControlState::GetUSBPortEnabled, &CBaseControlState::SetUSBPortEnabled>
{
public:
    CEnableMIDIPortUSBCommand(const CPlacedControl& control, bool enable)
        : CPortEnableCommand(control, enable, " Control MIDI Port USB")
    {
    }
};

class CEnableMIDIPortUSB2Command
    : public CPortEnableCommand<&CBaseControlState::GetUSBPort2Enabled, &CBaseControlState::SetUSBPort2Enabled>
{
public:
    CEnableMIDIPortUSB2Command(const CPlacedControl& control, bool enable)
        : CPortEnableCommand(control, enable, " Control MIDI Port USB 2")
    {
    }
};

class CEnableMIDIPortUSB3Command
    : public CPortEnableCommand<&CBaseControlState::GetUSBPort3Enabled, &CBaseControlState::SetUSBPort3Enabled>
{
public:
    CEnableMIDIPortUSB3Command(const CPlacedControl& control, bool enable)
        : CPortEnableCommand(control, enable, " Control MIDI Port USB 3")
    {
    }
};

class CSetMIDIPortGroupCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMIDIPortGroup, &CBaseControlState::SetMIDIPortGroup>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control MIDI Port Group"; }
};

class CSetMIDIChanGroupCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMIDIChanGroup, &CBaseControlState::SetMIDIChanGroup>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control MIDI Channel Group"; }
};

class CSetMIDIChannelOrMMCDeviceNumCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMIDIChannelOrMMCDeviceNum,
                &CBaseControlState::SetMIDIChannelOrMMCDeviceNum>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control MIDIChannel / MMC Device"; }
};

class CSetMIDIControlLSBNumCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMIDIControlLSBNum,
                &CBaseControlState::SetMIDIControlLSBNum>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control LSB"; }
};

class CSetMIDIControlMSBNumCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMIDIControlMSBNum,
                &CBaseControlState::SetMIDIControlMSBNum>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control MSB"; }
};

class CSetSnapshotValueCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetSnapshotValue, &CBaseControlState::SetSnapshotValue>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Snapshot Value"; }
};

class CSetPotCatchupCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetPotCatchup, &CBaseControlState::SetPotCatchup>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Edit Control Pot Strategy"; }
};

class CSetDisplayFormatCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetDisplayFormat, &CBaseControlState::SetDisplayFormat>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control Display Format"; }
};

class CSetMMCControlTypeCommand
    : public CloneFieldCommand<int, &CBaseControlState::GetMMCControlType, &CBaseControlState::SetMMCControlType>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control MMC Command"; }
};

class CSetSysExDataCommand
    : public CloneFieldCommand<SysExDef, &CBaseControlState::GetSysExData, &CBaseControlState::SetSysExData>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Control SysEx Data"; }
};

class CSetOnValueCommand
    : public EmbeddedFieldCommand<int, &CBaseControlState::GetOnValue, &CBaseControlState::SetOnValue>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set High Value"; }
};

class CSetOffValueCommand
    : public EmbeddedFieldCommand<int, &CBaseControlState::GetOffValue, &CBaseControlState::SetOffValue>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Low Value"; }
};

class CSetActionCommand
    : public EmbeddedFieldCommand<int, &CBaseControlState::GetAction, &CBaseControlState::SetAction>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Button Action"; }
};

class CSetMultiStepCommand
    : public EmbeddedFieldCommand<unsigned char, &CBaseControlState::GetMultiStep, &CBaseControlState::SetMultiStep>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set Button Step Size"; }
};

// Both drum timings share the high value's menu text.
class CSetDrumAutoOffTimeCommand
    : public EmbeddedFieldCommand<int, &CBaseControlState::GetDrumAutoOffTime,
                &CBaseControlState::SetDrumAutoOffTime>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set High Value"; }
};

class CSetDrumOffSyncCommand
    : public EmbeddedFieldCommand<int, &CBaseControlState::GetDrumOffSync, &CBaseControlState::SetDrumOffSync>
{
public:
    using CFieldCommand::CFieldCommand;
    std::string GetName() const override { return "Set High Value"; }
};
