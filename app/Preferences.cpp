#include "app/Preferences.h"

#include <cstdlib>

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "app/PreferenceFileRepair.h"
#include "app/VSTPluginsPath.h"
#include "app/WxText.h"

namespace
{
wxString RecentFileKey(int i)
{
    return wxString::Format("RecentFile%d", i);
}

// Reading expands "$NAME" and "${NAME}"; a "\$" reads back as a plain "$".
// Paths chosen in dialogs are stored that way so that a folder named "$x"
// or "${draft" comes back as it was.
wxString Literal(const std::string& text)
{
    wxString value = ToWx(text);
    value.Replace("$", "\\$");
    return value;
}
// False when the store read a byte run as a character that UTF-8 cannot
// hold (above U+10FFFF, or a surrogate): such a value is damaged.
bool IsUnicodeText(const wxString& text)
{
    for (const wxUniChar c : text)
    {
        const auto code = c.GetValue();
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}
} // namespace

Preferences::Preferences() = default;
Preferences::~Preferences() = default;

std::string Preferences::StoreFilePath(const std::string& appName)
{
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    std::string folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        folder = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + "/.config";
    else
        folder = FromWx(wxGetHomeDir()) + "/.config";
    return folder + "/" + kVendor + "/" + appName + ".conf";
}

namespace
{
// Always UTF-8, read and written: the toolkit's default would take a file
// that begins with a UTF-16 byte-order mark as UTF-16 and write it back
// without the mark, to be read differently next time. Bytes that are no
// UTF-8 (a path's) survive the round trip unchanged, as far as the values.
const wxMBConv& StoreEncoding()
{
    return ByteKeepingUTF8();
}
} // namespace

std::unique_ptr<wxConfigBase> Preferences::MakeStore(const std::string& appName,
                                                     const std::string& filePath)
{
    return std::make_unique<wxFileConfig>(ToWx(appName), kVendor, ToWx(filePath), wxString(),
                                          wxCONFIG_USE_LOCAL_FILE, StoreEncoding());
}

bool Preferences::Load(const std::string& appName)
{
    // The toolkit reports a damaged file or a failed write through its log,
    // which would pop up a box; the result of Flush says enough.
    wxLogNull quiet;
    m_filePath = StoreFilePath(appName);
    RepairPreferenceFile(m_filePath, StoreEncoding());
    m_store = MakeStore(appName, m_filePath);

    const PreferenceValues defaults;
    ReadInt("StartupAction", startupAction, defaults.startupAction);
    ReadInt("ViewType", viewType, defaults.viewType);
    ReadInt("ReleaseDriver", releaseDriver, defaults.releaseDriver);
    ReadInt("UseExpandPanes", useExpandPanes, defaults.useExpandPanes);
    ReadInt("ShowOldOSDialog", showOldOSDialog, defaults.showOldOSDialog);
    ReadInt("SendErrorsHome", sendErrorsHome, defaults.sendErrorsHome);
    ReadInt("ShowCtrlToolTips", showCtrlToolTips, defaults.showCtrlToolTips);
    ReadInt("AbbreviateNames", abbreviateNames, defaults.abbreviateNames);
    ReadString("InputDevice", inputDevice, defaults.inputDevice);
    ReadString("OutputDevice", outputDevice, defaults.outputDevice);
    for (int i = 0; i < RecentFiles::kSize; ++i)
    {
        std::string path;
        ReadString(RecentFileKey(i).c_str(), path, std::string());
        recentFiles.Set(i, path);
    }
    ReadString("VSTDir", vstDir, GetVSTPluginsPath());
    ReadString("LastPluginEnumerated", lastPluginEnumerated, defaults.lastPluginEnumerated);
    ReadInt("PluginsEnumeratedOK", pluginsEnumeratedOK, defaults.pluginsEnumeratedOK);
    ReadInt("ShouldUseAutoComplete", shouldUseAutoComplete, defaults.shouldUseAutoComplete);
    return Flush();
}

bool Preferences::Save()
{
    if (!m_store)
        return true;
    wxLogNull quiet;
    WriteInt("StartupAction", startupAction);
    WriteInt("ViewType", viewType);
    WriteInt("ReleaseDriver", releaseDriver);
    WriteInt("UseExpandPanes", useExpandPanes);
    WriteString("InputDevice", inputDevice);
    WriteString("OutputDevice", outputDevice);
    WriteInt("ShowOldOSDialog", showOldOSDialog);
    WriteInt("SendErrorsHome", sendErrorsHome);
    WriteInt("ShowCtrlToolTips", showCtrlToolTips);
    WriteInt("AbbreviateNames", abbreviateNames);
    for (int i = 0; i < RecentFiles::kSize; ++i)
        WriteString(RecentFileKey(i).c_str(), recentFiles.Get(i));
    WriteString("VSTDir", vstDir);
    WriteString("LastPluginEnumerated", lastPluginEnumerated);
    WriteInt("PluginsEnumeratedOK", pluginsEnumeratedOK);
    WriteInt("ShouldUseAutoComplete", shouldUseAutoComplete);
    return Flush();
}

bool Preferences::SaveOnExit()
{
    const bool saved = Save();
    m_store.reset();
    return saved;
}

void Preferences::ReadInt(const char* key, int& value, int defaultValue)
{
    long stored = 0;
    if (m_store->Read(key, &stored))
    {
        value = static_cast<int>(stored);
        return;
    }
    // Missing, or not a number.
    value = defaultValue;
    WriteInt(key, defaultValue);
}

void Preferences::ReadString(const char* key, std::string& value, const std::string& defaultValue)
{
    wxString stored;
    if (m_store->Read(key, &stored) && IsUnicodeText(stored))
    {
        value = FromWx(stored);
        return;
    }
    value = defaultValue;
    WriteString(key, defaultValue);
}

void Preferences::WriteInt(const char* key, int value)
{
    m_store->Write(key, static_cast<long>(value));
}

void Preferences::WriteString(const char* key, const std::string& value)
{
    m_store->Write(key, Literal(value));
}

bool Preferences::Flush()
{
    // The folder may not exist yet on a first run, or may have been removed
    // since; the file is replaced through a temporary file beside it.
    const wxFileName file(ToWx(m_filePath));
    if (!m_filePath.empty() && !file.DirExists())
        wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return m_store->Flush();
}
