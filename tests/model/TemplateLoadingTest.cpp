// Loading dumps of every model into the DorvaSynth template, converting,
// importing plug-in parameters, and what every template shares.
#include <sys/stat.h>
#include <unistd.h>

#include "model/KeyboardZone.h"
#include "model/TemplateLoader.h"
#include "model/calder/CalderTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/app/ScopedEnv.h"
#include "tests/model/ModelTestSupport.h"

namespace
{
const char kRefused[] =
    "This template contains controls which will not work with this hardware.\n\nThese controls will not be loaded.";
const char kReport[] = "This template contains settings which cannot be processed properly.\n\n"
                       "These settings will not be modified, so you can send this template back\n"
                       "to your Dorva without corrupting it.\n\n"
                       "To avoid seeing this message again, uncheck \"Send template data errors to Brennix\"\n"
                       "in the preferences dialog.";

class TemplateLoading : public ::testing::Test
{
protected:
    TemplateLoading() { host.sendErrorsHome = true; }
    std::string DiffFile() const { return dir.File("Dorva EditorSyxDiff.bin"); }
    bool Load(const SysExBuffer& dump, bool expectConverted)
    {
        bool converted = !expectConverted;
        const bool loaded = LoadTemplateFromSysEx(converted, dump, target);
        EXPECT_EQ(expectConverted, converted);
        return loaded;
    }

    TempFolder dir;
    ScopedEnv tmp{"TMPDIR", dir.Path().c_str()};
    RecordingHost host{nullptr};
    ScopedHost scoped{&host};
    CDorvaSynthTemplate target;
};
} // namespace

TEST_F(TemplateLoading, UnmodelledBytesOfTheOwnModelGoBackAsTheyCameAndAreReported)
{
    target.SetName("Before");
    ASSERT_TRUE(Load(CDorvaSynthTemplate().Write(), false));
    EXPECT_EQ("Untitled", target.GetDisplayName());
    EXPECT_TRUE(dir.Names().empty() && host.reports.empty() && host.messages.empty());

    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[50] = 0x55, dump[50 + 134] = 0x01; // in the 135 bytes the model skips
    ASSERT_TRUE(Load(dump, false));
    EXPECT_EQ(dump, target.Write());
    Bytes expected(1808, 0);
    expected[50] = 0x55, expected[50 + 134] = 0x01;
    EXPECT_EQ(expected, ReadBytes(DiffFile()));
    EXPECT_EQ(host.reports, std::vector<std::string>{std::string(kReport) + "|" + DiffFile() + "|Data Error"});

    // Without the preference the file is still written, and nothing is shown.
    host.sendErrorsHome = false;
    dump[50] = 0, dump[50 + 7] = 0x7F;
    ASSERT_TRUE(Load(dump, false));
    EXPECT_EQ(0x7F00, ReadBytes(DiffFile()).at(50 + 7) << 8 | ReadBytes(DiffFile()).at(50));
    EXPECT_EQ(1u, host.reports.size());
}

// The difference file is the user's own (mode 0600); a link or a file that
// someone else left under its name in the shared folder is never written
// through or over: the report then attaches a file of a new name.
TEST_F(TemplateLoading, TheDataErrorFileIsNeverWrittenThroughWhatOthersLeft)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[50] = 0x55;
    Bytes expected(1808, 0);
    expected[50] = 0x55;
    const auto attached = [&] {
        const std::string& report = host.reports.back();
        const size_t from = report.find('|') + 1;
        return report.substr(from, report.rfind('|') - from);
    };
    const auto modeOf = [](const std::string& path) {
        struct stat st;
        return ::lstat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    for (int load = 0; load < 2; ++load) // the second replaces the user's own earlier file
    {
        ASSERT_TRUE(Load(dump, false));
        EXPECT_EQ(DiffFile(), attached());
        EXPECT_EQ(0600, modeOf(DiffFile()));
        EXPECT_EQ(expected, ReadBytes(DiffFile()));
    }

    const bool root = ::geteuid() == 0; // only root can leave a file of another user here
    const std::string victim = dir.File("victim.syx");
    const Bytes kept = {0xF0, 0x01, 0xF7};
    const struct
    {
        bool link;
        bool otherOwner;
    } planted[] = {{true, true}, {false, true}, {true, false}};
    for (const auto& row : planted)
    {
        if (row.otherOwner && !root)
            continue;
        SCOPED_TRACE(std::string(row.link ? "link" : "file") + (row.otherOwner ? " of another user" : " of ours"));
        std::remove(DiffFile().c_str());
        WriteBytes(victim, kept);
        if (!row.link)
            WriteBytes(DiffFile(), kept);
        ASSERT_TRUE(!row.link || ::symlink(victim.c_str(), DiffFile().c_str()) == 0);
        ASSERT_TRUE(!row.otherOwner || ::lchown(DiffFile().c_str(), 65534, 65534) == 0);
        ASSERT_TRUE(Load(dump, false));
        EXPECT_EQ(kept, ReadBytes(victim));
        EXPECT_EQ(0600, modeOf(attached()));
        EXPECT_EQ(expected, ReadBytes(attached()));
        struct stat st;
        ASSERT_EQ(0, ::lstat(DiffFile().c_str(), &st));
        EXPECT_EQ(row.link && row.otherOwner, S_ISLNK(st.st_mode));
        if (row.otherOwner)
        {
            EXPECT_NE(DiffFile(), attached());
            EXPECT_EQ(kept, ReadBytes(DiffFile()));
            std::remove(attached().c_str());
        }
    }
}

TEST_F(TemplateLoading, ARefusedDumpOfTheOwnModelReportsNothingButIsStillChecked)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[50] = 0x55;
    ASSERT_TRUE(Load(dump, false));
    std::remove(DiffFile().c_str());
    // One byte too long: the target still holds the mask of the earlier dump,
    // which must not be reported for this one.
    target.GetControl(0)->SetMIDIPort2Enabled(true);
    dump.resize(1807);
    dump.PushByte(0x00);
    dump.PushByte(0xF7);
    EXPECT_FALSE(Load(dump, false));
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_EQ(1u, host.reports.size());
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled()); // the load check ran and repaired it
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_NE(std::string::npos, host.messages[0].find("incorrect data"));
}

TEST_F(TemplateLoading, DumpsOfNoKnownModelOrCutShortLeaveTheTargetAlone)
{
    target.SetName("Mine");
    const SysExBuffer before = target.Write();
    SysExBuffer foreign = before, unknownType = before, shortCalder = CCalderTemplate().Write();
    foreign[1] = 0x41;
    unknownType[5] = 0x09;
    shortCalder.resize(8206);
    shortCalder.PushByte(0xF7);
    for (const SysExBuffer& dump : {foreign, unknownType, shortCalder, SysExBuffer()})
        EXPECT_FALSE(Load(dump, true));
    EXPECT_EQ(before, target.Write());
    EXPECT_TRUE(target.GetImportedControls().empty() && dir.Names().empty() && host.messages.empty());
    EXPECT_EQ(nullptr, CreateTemplateOfModel(ModelUnknown));
}

TEST_F(TemplateLoading, EveryOtherModelIsConvertedKeepingEachSupportedControlOnce)
{
    const std::pair<std::function<std::unique_ptr<CEditorTemplate>()>, int> kSources[] = {
        {[] { return std::make_unique<CTolvarVeskTemplate>(); }, 24},
        {[] { return std::make_unique<CCalderTemplate>(); }, 93},
        {[] { return std::make_unique<CTolvarTemplate>(); }, 31},
        {[] { return std::make_unique<CTolvarDrelTemplate>(); }, 18},
    };
    for (const auto& [make, button] : kSources)
    {
        auto source = make();
        for (int i = 0; i <= source->GetLastControlIndex(); ++i)
            source->GetControl(i)->Clear();
        host.messages.clear();
        CDorvaSynthTemplate empty;
        ASSERT_TRUE(empty.ConvertFrom(*source));
        EXPECT_TRUE(empty.GetImportedControls().empty() && host.messages.empty());

        source->SetName("Imported Set");
        const std::tuple<int, int, const char*, int> controls[] = {
            {0, ControlMessageType::CC, "Cutoff", 74},           {1, ControlMessageType::CC, "Cutoff", 74},
            {2, ControlMessageType::NRPN, "Reso", 3},            {button, ControlMessageType::DrumNote, "Kick", 36},
            {button + 1, ControlMessageType::MMC, "Play", 0},    {button + 2, ControlMessageType::BankSelect, "Bank", 0},
            {button + 3, ControlMessageType::RPN, "Fine", 5}};
        for (const auto& [index, type, name, number] : controls)
        {
            CBaseControlState* s = source->GetControl(index);
            s->SetType(type, false), s->SetName(name), s->SetMIDIControlLSBNum(static_cast<uint8_t>(number));
        }
        const SysExBuffer dump = source->Write();
        target.GetImportedControls().clear();
        ASSERT_TRUE(Load(dump, true)) << GetTemplateModelName(dump);
        EXPECT_EQ(host.messages, std::vector<std::string>{kRefused});
        EXPECT_TRUE(dir.Names().empty());
        std::string imported;
        for (const CBaseControlState& c : target.GetImportedControls())
            imported += c.GetName() + " ";
        EXPECT_EQ("Cutoff Reso Play Fine ", imported);
        EXPECT_EQ("Imported Set", target.GetLocals().GetName());
        // Each takes the next index that may carry it; Play waits for a button.
        std::string placed;
        for (int index : {0, 1, 2, 3})
            placed += Join(target.GetControl(index)->GetName(), target.GetControl(index)->GetMIDIControlLSBNum()) + ",";
        EXPECT_EQ("Cutoff 74,Reso 3,Fine 5, 0,", placed);
    }
}

TEST_F(TemplateLoading, DifferencesOfAnotherModelAreReportedButAnOlderTolvarLayoutIsNone)
{
    CCalderTemplate calder; // the DorvaSynth's own repair runs after converting
    calder.GetControl(0)->SetType(ControlMessageType::CC, false);
    calder.GetControl(0)->SetMIDIPort2Enabled(true);
    ASSERT_TRUE(Load(calder.Write(), true));
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled());
    EXPECT_TRUE(target.IsModified());
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_NE(std::string::npos, host.messages[0].find("incorrect data"));

    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[200] = 0x21; // in the bytes the Tolvar Vesk skips
    ASSERT_TRUE(Load(dump, true));
    EXPECT_EQ(0x21, ReadBytes(DiffFile()).at(200));
    EXPECT_EQ(1u, host.reports.size());
    std::remove(DiffFile().c_str());

    const SysExBuffer current = CTolvarTemplate().Write();
    SysExBuffer older = current;
    for (size_t i = 55; i <= 125; ++i)
        older[i - 3] = current[i];
    older[CTolvarTemplate::kLayoutMarkerOffset] = 0x00;
    ASSERT_TRUE(Load(older, true));
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_EQ(1u, host.reports.size());

    ScopedEnv unset("TMPDIR", nullptr);
    EXPECT_EQ("/tmp/Dorva EditorSyxDiff.bin", GetDataErrorFilePath());
    ScopedEnv other("TMPDIR", "/var/tmp");
    EXPECT_EQ("/var/tmp/Dorva EditorSyxDiff.bin", GetDataErrorFilePath());
}

TEST_F(TemplateLoading, ZonesTravelWhenTheDeviceHasThem)
{
    host.answers.zones = true;
    CTolvarVeskTemplate source;
    source.SetZonesEnabled(true);
    source.GetKeyboardZone(3)->SetNoteRange(40, 50);
    source.GetKeyboardZone(3)->SetChannelGroup(CKeyboardZone::KeyboardGroup);
    CCalderTemplate zoned;
    zoned.ConvertFrom(source);
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_FALSE(zoned.GetKeyboardZone(3)->Differs(*source.GetKeyboardZone(3)));
    zoned.ConvertFrom(CTolvarDrelTemplate()); // a source without zones leaves the target's
    EXPECT_FALSE(zoned.GetZonesEnabled());
    EXPECT_EQ(40, zoned.GetKeyboardZone(3)->GetLowNote());
}

TEST_F(TemplateLoading, ConversionWithinTheModelAddsEachControlOnce)
{
    CDorvaSynthTemplate source;
    source.SetName("Source");
    Fill(*source.GetControl(0), 1, "Filter Cutoff Frequency");
    CBaseControlState::CopyFrom(*source.GetControl(1), *source.GetControl(0)); // the same control twice
    source.GetControl(22)->SetType(ControlMessageType::MMC, false);
    source.GetControl(23)->SetType(ControlMessageType::NRPN, false);
    ASSERT_TRUE(target.ConvertFrom(source));
    ASSERT_TRUE(target.ConvertFrom(source));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ("Source", target.GetDisplayName());
    ASSERT_EQ(3u, target.GetImportedControls().size());
    EXPECT_EQ("Filter Cutoff Frequency|Flt.Cut.Freq", target.GetImportedControls()[0].GetDisplayName() + "|" +
                                                           target.GetImportedControls()[0].GetName());
    // The MMC command cannot sit on a pot: the NRPN after it takes pot 1.
    EXPECT_EQ("1 2", Join(target.GetControl(0)->GetType(), target.GetControl(1)->GetType()));
}

TEST_F(TemplateLoading, PluginParametersMapOnePerControlAndTheRestAreCounted)
{
    const auto parameters = [](int count) {
        std::vector<ImportedParamRecord> records;
        for (int i = 0; i < count; ++i)
            records.push_back({"Parameter " + std::to_string(i), "P" + std::to_string(i), i});
        return records;
    };
    target.MarkSaved(true);
    target.SetPathValid(true);
    target.ImportParameters("A plug-in with a very long name indeed, really", "Some Manufacturer", parameters(51));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(target.IsModified() && !target.IsPathValid());
    EXPECT_EQ("A plug-in with a very long name ind|Some Manufact",
              target.GetLocals().GetName() + "|" + target.GetLocals().GetManufacturerName());
    ASSERT_EQ(51u, target.GetImportedControls().size());
    for (int index = 0; index <= 50; ++index)
    {
        const CBaseControlState& c = *target.GetControl(index);
        EXPECT_EQ(Join(1, "P" + std::to_string(index), "Parameter", index),
                  Join(c.GetType(), c.GetName(), c.GetDisplayName()));
        EXPECT_TRUE(target.ContainsControl(target.GetImportedControls()[index]));
    }
    CDorvaSynthTemplate more;
    more.ImportParameters("Synth", "Maker", parameters(60));
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Too many parameters - 9 were not mapped out of a total of 60.\n\nYou can map the "
                                       "other parameters by right-clicking on a control and choosing \"Imported "
                                       "Controls\".  The menu shows all the parameters from the plugin - those which "
                                       "have been assigned to the template have a check mark next to them."});
    EXPECT_EQ(60u, more.GetImportedControls().size());
    EXPECT_FALSE(more.ContainsControl(more.GetImportedControls()[55]));
}

TEST_F(TemplateLoading, TemplatesShareNamesPlacesCopiesAndSettings)
{
    EXPECT_EQ(target.Write(), Device().CreateTemplate()->Write());
    target.SetName("Lead/Pad: Bass");
    EXPECT_EQ("Lead_Pad_ Bass.syx", target.GetDefaultFileName());
    target.SetFilePath("/home/me/lead.syx");
    EXPECT_EQ("Lead_Pad_ Bass.syx", target.GetDefaultFileName()); // the path is not this content's yet
    target.SetPathValid(true);
    EXPECT_EQ("/home/me/lead.syx", target.GetDefaultFileName());
    EXPECT_EQ("0 50 22 21", Join(target.NextControlIndex(50, true), target.NextControlIndex(0, false),
                                 target.NextControlIndex(21, true), target.NextControlIndex(22, false)));
    CDorvaSynthTemplate other;
    EXPECT_TRUE(target.OwnsControl(target.GetControl(50)));
    EXPECT_FALSE(target.OwnsControl(other.GetControl(50)) || target.OwnsControl(nullptr));

    // Assign copies through the dump and starts a fresh history; a copy keeps unmodelled bytes.
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[60] = 0x2A, dump[12] = 4;
    ASSERT_TRUE(ReadInto(other, dump));
    std::vector<std::string> journal;
    target.SubmitCommand(std::make_unique<LoggingCommand>("A", journal));
    target.Assign(other);
    EXPECT_EQ(dump, target.Write());
    EXPECT_EQ(0, target.GetHistorySize());
    EXPECT_FALSE(target.IsPathValid());
    target.Assign(target);
    EXPECT_EQ(dump, CDorvaSynthTemplate(target).Write());
    CDorvaSynthTemplate assigned;
    assigned = target;
    EXPECT_EQ(dump, assigned.Write());

    CDorvaSynthLocals& locals = target.GetDorvaSynthLocals();
    locals.D1 = 9;
    CTemplateLocalData edited(locals);
    edited.Velocity_Curve = 1;
    edited.SetName("Edited   ");
    locals.Assign(edited);
    EXPECT_EQ("1 Edited 9", Join(locals.Velocity_Curve, locals.GetName(), locals.D1));
    locals.Reset();
    EXPECT_EQ("0 Untitled Unknown 1", Join(locals.D1, locals.GetName(), locals.GetManufacturerName(), locals.LocalsByte21));
    std::string springs;
    for (int mode : {0, 1, 2, 3, 4, -1})
        springs += SpringModeName(mode, true) + "/" + SpringModeName(mode, false) + ",";
    EXPECT_EQ("No Spring / Hold/No Spring / Hold,Spring Left/Spring Down,Spring Centre/Spring Centre,"
              "Spring Right/Spring Up,!!!!/!!!!,!!!!/!!!!,",
              springs);
}
