#include "app/SystemFolderChooser.h"

#include <gtk/gtk.h>

#include <wx/dirdlg.h>

#include "app/DialogHooks.h"
#include "app/WxText.h"

namespace
{
// The toolkit's own answer to OK takes the last of the folders GTK hands
// back, and GTK may hand back none: it fails its checks and reads past an
// empty list. This dialog answers GTK itself.
class FolderChooser : public wxDirDialog
{
public:
    explicit FolderChooser(const FolderDialogRequest& request)
        : wxDirDialog(request.parent, request.message, request.folder)
    {
        GtkWidget* chooser = static_cast<GtkWidget*>(GetHandle());
        // The toolkit's handler is the one that carries this dialog as its data.
        g_signal_handlers_block_matched(chooser, GSignalMatchType(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DATA),
                                        g_signal_lookup("response", GTK_TYPE_DIALOG), 0, nullptr, nullptr, this);
        g_signal_connect(chooser, "response", G_CALLBACK(OnResponse), this);
    }

private:
    static void OnResponse(GtkWidget* chooser, int response, FolderChooser* self)
    {
        if (response != GTK_RESPONSE_ACCEPT)
        {
            self->EndDialog(wxID_CANCEL);
            return;
        }
        gchar* folder = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        if (!folder)
            return;
        self->m_path = ToWx(folder);
        g_free(folder);
        self->EndDialog(wxID_OK);
    }
};
} // namespace

bool ShowSystemFolderChooser(const FolderDialogRequest& request, wxString& chosen)
{
    FolderChooser dialog(request);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return false;
    chosen = dialog.GetPath();
    return true;
}
