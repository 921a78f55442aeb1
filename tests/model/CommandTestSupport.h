#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "model/Selection.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/RecordingWindow.h"

// DorvaSynth places used by the command tests.
namespace Place
{
constexpr int kKnob = 0;
constexpr int kKnob2 = 1;
constexpr int kKnob3 = 2;
constexpr int kButton = 22;
constexpr int kButton2 = 23;
constexpr int kWheel = 44;
} // namespace Place

// Every field of a state, the ones Equals leaves out included, as one line
// whose differences read well in a failed expectation.
inline std::string StateText(const CBaseControlState& s)
{
    std::ostringstream out;
    out << "name=" << s.GetName() << " param=" << s.GetParamName() << " type=" << s.GetType()
        << " snap=" << s.GetSnapshotValue() << " r0=" << s.GetRoutingBit0() << " r1=" << s.GetRoutingBit1()
        << " b6=" << s.GetBehaviourBit6() << " ports=" << s.GetMIDIPort1Enabled() << s.GetMIDIPort2Enabled()
        << s.GetUSBPortEnabled() << s.GetUSBPort2Enabled() << s.GetUSBPort3Enabled()
        << " pg=" << s.GetMIDIPortGroup() << " cg=" << s.GetMIDIChanGroup() << " b0=" << s.GetBehaviourBit0()
        << " b1=" << s.GetBehaviourBit1() << " inv=" << s.GetInvertedRange() << " b2i=" << s.GetBehaviourBit2Inverse()
        << " catch=" << s.GetPotCatchup() << " lsb=" << int(s.GetMIDIControlLSBNum())
        << " msb=" << int(s.GetMIDIControlMSBNum()) << " ch=" << s.GetMIDIChannelOrMMCDeviceNum()
        << " mmc=" << s.GetMMCControlType() << " low=" << s.GetOffValue() << " high=" << s.GetOnValue()
        << " auto=" << s.GetDrumAutoOffTime() << " sync=" << s.GetDrumOffSync()
        << " nib=" << int(s.GetChannelHighNibble()) << " fmt=" << s.GetDisplayFormat() << " m6=" << s.GetModeBit6()
        << " action=" << s.GetAction() << " step=" << int(s.GetMultiStep()) << " cont=" << s.IsContinuous()
        << " imported=" << s.GetImportedParam().fullName << "/" << s.GetImportedParam().shortName << "/"
        << s.GetImportedParam().index << " pass=";
    for (int i = 0; i < CBaseControlState::kPassThroughBytes; ++i)
        out << int(s.GetPassThroughByte(i)) << ",";
    out << " sysex=";
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        out << int(s.GetSysExData().GetByte(i)) << ",";
    return out.str();
}

// A state unlike the defaults in every field a user can set.
inline void FillAssigned(CBaseControlState& s, const std::string& name, int type)
{
    s.SetName(name);
    s.SetParamName(name + " Param");
    s.SetType(type, false);
    s.SetMIDIPort1Enabled(false);
    s.SetUSBPort2Enabled(true);
    s.SetMIDIChanGroup(1);
    s.SetMIDIControlLSBNum(74);
    s.SetMIDIControlMSBNum(5);
    s.SetMIDIChannelOrMMCDeviceNum(9);
    s.SetOffValue(10, false);
    s.SetOnValue(90, false);
    s.SetSnapshotValue(50);
    s.SetDrumAutoOffTime(3);
    SysExDef sysEx;
    sysEx.SetLengthByte(3);
    sysEx.SetMessageByte(0, 0x41);
    sysEx.SetMessageByte(1, 0x10);
    s.SetSysExData(sysEx);
    s.SetImportedParam(ImportedParamRecord{name + " Full", name, 7});
}

// Two DorvaSynth templates, the first one current in a window of its own.
class CommandTest : public ::testing::Test
{
protected:
    CommandTest() : host(&window), scoped(&host) { window.current = &first; }

    static CPlacedControl At(CEditorTemplate& t, int index) { return CPlacedControl(t.GetControl(index), index); }

    static Selection Select(CEditorTemplate& t, std::initializer_list<int> indices)
    {
        Selection selection;
        for (int index : indices)
            selection.Add(At(t, index));
        return selection;
    }

    CBaseControlState& Control(CEditorTemplate& t, int index) { return *t.GetControl(index); }

    // Places every control as the view does (continuous flag, clamped
    // snapshot), so a test's baseline is what the user sees.
    void Settle()
    {
        for (CEditorTemplate* t : {&first, &second})
            for (int i = 0; i <= t->GetLastControlIndex(); ++i)
                At(*t, i);
    }

    RecordingWindow window;
    RecordingHost host;
    ScopedHost scoped;
    CDorvaSynthTemplate first;
    CDorvaSynthTemplate second;
};
