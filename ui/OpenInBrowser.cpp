#include "ui/OpenInBrowser.h"

#include <functional>

#include "app/EditorApp.h"
#include "ui/dialogs/Browser.h"

namespace
{
void Open(const wxString& address, const wxString& shown)
{
    // Told later from the event loop, so it reaches no window that may have gone.
    const std::function<void()> tell = [shown] {
        wxGetApp().ShowMessage("No web browser could be started to show " + shown + ".", wxOK);
    };
    if (!LaunchBrowser(address, tell))
        tell();
}
} // namespace

void OpenInBrowser(const wxString& address)
{
    Open(address, address);
}

void OpenPageInBrowser(const wxString& path)
{
    Open(LocalFileUrl(path), path);
}
