#pragma once

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/Command.h"
#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "model/Selection.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TempFolder.h"

using Bytes = std::vector<uint8_t>;

class CountingObserver : public IObserver
{
public:
    void Notify() override { ++count; }
    int count = 0;
};

// The main window as the data layer sees it, recording what it is asked to do.
class RecordingWindow : public IEditorWindow
{
public:
    CEditorTemplate* GetCurrentTemplate() override { return current; }
    void SelectControl(int index, bool select) override { selections.emplace_back(index, select); }
    IObserver* GetValueObserver() override { return valueObserver; }
    std::vector<IObserver*> GetObservers() override { return observers; }
    void RefreshControl(CPlacedControl& control, bool deferred) override
    {
        refreshes.emplace_back(control.GetIndex(), deferred);
    }
    void UpdateEditMenu(bool canUndo, bool canRedo) override { lastCanUndo = canUndo, lastCanRedo = canRedo; }
    void UpdateTitle() override { ++titleUpdates; }
    void SetFocusToMainWindow() override { ++focusRequests; }
    void HideControlSettings() override { ++settingsHidden; }

    CEditorTemplate* current = nullptr;
    IObserver* valueObserver = nullptr;
    std::vector<IObserver*> observers;
    std::vector<std::pair<int, bool>> selections, refreshes;
    bool lastCanUndo = false, lastCanRedo = false;
    int titleUpdates = 0, focusRequests = 0, settingsHidden = 0;
};

// A DorvaSynth host that keeps the messages and reports it was asked to show,
// with a window of its own, another one, or none (withWindow false), and
// device answers a test may change.
class RecordingHost : public IEditorHost
{
public:
    RecordingHost() = default;
    explicit RecordingHost(IEditorWindow* other) : withWindow(other != nullptr), m_other(other) {}
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string& text, int) override
    {
        messages.push_back(text);
        return MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string& message, const std::string& file, const std::string& type) override
    {
        reports.push_back(message + "|" + file + "|" + type);
    }
    bool SendErrorsHome() const override { return sendErrorsHome; }
    IEditorWindow* Window() override { return !withWindow ? nullptr : m_other ? m_other : &window; }

    struct Answers : CDorvaSynthAnswers
    {
        int GetMaxSysExLength() const override { return maxSysEx; }
        bool HasKeyboardZones() const override { return zones; }
        bool HasMidiPort2() const override { return midiPort2; }
        bool IsFixedControlIndex(int index) const override { return index == fixedIndex; }
        int maxSysEx = 0, fixedIndex = -1;
        bool zones = false, midiPort2 = false;
    } answers;
    RecordingWindow window;
    bool withWindow = true, sendErrorsHome = false;
    std::vector<std::string> messages, reports;

private:
    IEditorWindow* m_other = nullptr;
};

// A command that logs its calls into a shared journal.
class LoggingCommand : public ICommand
{
public:
    LoggingCommand(std::string name, std::vector<std::string>& journal, bool keepSettings = true)
        : m_name(std::move(name)), m_journal(journal), m_keepSettings(keepSettings)
    {
    }
    ~LoggingCommand() override { m_journal.push_back("delete " + m_name); }
    void Execute() override { m_journal.push_back("execute " + m_name); }
    void Undo() override { m_journal.push_back("undo " + m_name); }
    bool UpdateView(bool afterUndo) override
    {
        m_journal.push_back((afterUndo ? "view-undo " : "view ") + m_name);
        return m_keepSettings;
    }
    std::string GetName() const override { return m_name; }

private:
    std::string m_name;
    std::vector<std::string>& m_journal;
    bool m_keepSettings;
};

// The values in a line, numbers (bytes and flags too) as numbers.
template <class... T>
std::string Join(const T&... values)
{
    std::ostringstream out;
    const auto put = [&out](const auto& v) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(v)>>)
            out << +v << ' ';
        else
            out << v << ' ';
    };
    (put(values), ...);
    const std::string line = out.str();
    return line.substr(0, line.size() - 1);
}

inline bool ReadInto(CEditorTemplate& t, const SysExBuffer& dump)
{
    size_t position = 0;
    return t.Read(dump, position);
}

inline SysExBuffer Buffer(const Bytes& bytes)
{
    SysExBuffer out;
    for (uint8_t b : bytes)
        out.PushByte(b);
    return out;
}

// Equal byte strings, or where they first differ.
inline ::testing::AssertionResult SameBytes(const SysExBuffer& actual, const Bytes& expected)
{
    const Bytes a = actual.bytes();
    for (size_t i = 0; i < std::min(a.size(), expected.size()); ++i)
        if (a[i] != expected[i])
            return ::testing::AssertionFailure() << "byte " << i << ": " << int(a[i]) << ", expected " << int(expected[i]);
    if (a.size() != expected.size())
        return ::testing::AssertionFailure() << a.size() << " bytes, expected " << expected.size();
    return ::testing::AssertionSuccess();
}

// The committed golden dump tests/model/golden/<name>.syx; with
// DORVA_UPDATE_GOLDEN=1 in the environment the made one is written there first.
inline ::testing::AssertionResult MatchesGolden(const SysExBuffer& made, const std::string& name)
{
    const std::string path = std::string(DORVA_MODEL_GOLDEN) + "/" + name + ".syx";
    if (std::getenv("DORVA_UPDATE_GOLDEN"))
        WriteBytes(path, made.bytes());
    return SameBytes(made, ReadBytes(path)) << " (" << name << ")";
}

// A valid dump of the same size and header whose body is random data bytes,
// one in two of them below 16 so that type codes and flags come up often.
inline SysExBuffer JunkDump(SysExBuffer dump, size_t headerSize, unsigned seed)
{
    std::mt19937 random(seed);
    for (size_t i = headerSize; i + 1 < dump.size(); ++i)
    {
        const unsigned r = random();
        dump[i] = static_cast<uint8_t>(r & 0x100 ? r & 0x0F : r & 0x7F);
    }
    return dump;
}

// A 270-byte patch dump whose kept bytes are all non-zero and differ with
// the seed, so any byte written from the wrong place shows.
inline Bytes PatchDumpBytes(const std::string& name, int location, uint8_t bulkFlag = 1, int seed = 0)
{
    Bytes bytes(270);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(1 + (i * 7 + seed * 13) % 126);
    const uint8_t header[] = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x02, 0x7F};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    bytes[7] = bulkFlag;
    bytes[12] = static_cast<uint8_t>(location);
    std::string padded = name;
    padded.resize(16, ' ');
    std::copy(padded.begin(), padded.end(), bytes.begin() + 164);
    bytes.back() = 0xF7;
    return bytes;
}

// Every field of a state as one line whose differences read well.
inline std::string StateText(const CBaseControlState& s)
{
    const ImportedParamRecord& p = s.GetImportedParam();
    std::string text = Join(s.GetName(), "|", s.GetParamName(), "|", p.fullName, "|", p.shortName, "|", p.index, "|",
                            s.GetType(), s.GetSnapshotValue(), s.GetRoutingBit0(), s.GetRoutingBit1(),
                            s.GetBehaviourBit6(), s.GetMIDIPort1Enabled(), s.GetMIDIPort2Enabled(), s.GetUSBPortEnabled(),
                            s.GetUSBPort2Enabled(), s.GetUSBPort3Enabled(), s.GetMIDIPortGroup(), s.GetMIDIChanGroup(),
                            s.GetBehaviourBit0(), s.GetBehaviourBit1(), s.GetInvertedRange(), s.GetBehaviourBit2Inverse(),
                            s.GetPotCatchup(), s.GetMIDIControlLSBNum(), s.GetMIDIControlMSBNum(),
                            s.GetMIDIChannelOrMMCDeviceNum(), s.GetMMCControlType(), s.GetOffValue(), s.GetOnValue(),
                            s.GetDrumAutoOffTime(), s.GetDrumOffSync(), s.GetChannelHighNibble(), s.GetDisplayFormat(),
                            s.GetModeBit6(), s.GetAction(), s.GetMultiStep(), s.IsContinuous(), "|");
    for (int i = 0; i < CBaseControlState::kPassThroughBytes; ++i)
        text += " " + std::to_string(s.GetPassThroughByte(i));
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        text += " " + std::to_string(s.GetSysExData().GetByte(i));
    return text;
}

// Sets every field a user or a dump can set, from one number, so that
// neighbouring controls differ in each: all the types, actions and groups.
inline void Fill(CBaseControlState& s, int i, const std::string& name)
{
    using S = CBaseControlState;
    s.SetName(name), s.SetParamName(name + " Param"), s.SetType(i % 13, false);
    s.SetOffValue(i % 9, false), s.SetOnValue(127 - i % 11, false);
    int n = 0;
    for (auto set : {&S::SetRoutingBit0, &S::SetRoutingBit1, &S::SetBehaviourBit6, &S::SetMIDIPort1Enabled,
                     &S::SetMIDIPort2Enabled, &S::SetUSBPortEnabled, &S::SetUSBPort2Enabled, &S::SetUSBPort3Enabled,
                     &S::SetBehaviourBit0, &S::SetBehaviourBit1, &S::SetInvertedRange, &S::SetBehaviourBit2Inverse,
                     &S::SetModeBit6})
        (s.*set)((i + n++) % 3 == 0);
    for (auto [set, add, mod] : {std::tuple{&S::SetSnapshotValue, 20, 50}, {&S::SetMIDIPortGroup, 0, 3},
                                 {&S::SetMIDIChanGroup, 0, 3}, {&S::SetPotCatchup, 0, 3},
                                 {&S::SetMIDIChannelOrMMCDeviceNum, 1, 16}, {&S::SetMMCControlType, 1, 13},
                                 {&S::SetDrumAutoOffTime, 0, 900}, {&S::SetDrumOffSync, 0, 5},
                                 {&S::SetDisplayFormat, 0, 18}, {&S::SetAction, 0, 4}})
        (s.*set)(add + (i * 37 + n++) % mod);
    s.SetMIDIControlLSBNum(static_cast<uint8_t>(i % 128)), s.SetMIDIControlMSBNum(static_cast<uint8_t>(i * 5 % 128));
    s.SetChannelHighNibble(static_cast<uint8_t>((i % 8) << 4)), s.SetMultiStep(static_cast<uint8_t>(1 + i % 9));
    SysExDef sysEx;
    for (int b = 0; b < SysExDef::kRecordSize; ++b)
        sysEx.SetByte(b, static_cast<uint8_t>((i * 3 + b * 11) % 128));
    sysEx.SetLengthByte(static_cast<uint8_t>(1 + i % 21)), sysEx.SetDataPosition(static_cast<uint8_t>(i % 4));
    s.SetSysExData(sysEx);
    for (int b = 0; b < CBaseControlState::kPassThroughBytes; ++b)
        s.SetPassThroughByte(b, static_cast<uint8_t>((i + b) % 2));
    s.SetImportedParam(ImportedParamRecord{name + " Full", name, i});
}

// DorvaSynth places used by the command tests.
namespace Place
{
constexpr int kKnob = 0, kKnob2 = 1, kKnob3 = 2, kButton = 22, kButton2 = 23, kWheel = 44;
} // namespace Place

// Two DorvaSynth templates, the first one current in a window of its own.
class CommandTest : public ::testing::Test
{
public:
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
    // Fills a control as a user would have it, placed as the view does.
    CBaseControlState& Assigned(int index, const std::string& name, int type = ControlMessageType::CC)
    {
        Fill(Control(first, index), 1, name);
        Control(first, index).SetType(type, false);
        Control(first, index).SetAction(ControlAction::Normal);
        At(first, index);
        return Control(first, index);
    }

    RecordingWindow window;
    RecordingHost host;
    ScopedHost scoped;
    CDorvaSynthTemplate first;
    CDorvaSynthTemplate second;
};
