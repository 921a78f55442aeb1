#include "app/SystemFileChooser.h"

#include <fnmatch.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtk/gtk.h>

#include <wx/filedlg.h>
#include <wx/tokenzr.h>

#include "app/DialogHooks.h"
#include "app/WxText.h"

namespace
{
using Patterns = std::vector<std::string>;

gboolean NameMatches(const GtkFileFilterInfo* info, gpointer data)
{
    if (!info->filename)
        return FALSE;
    const char* slash = std::strrchr(info->filename, '/');
    const char* name = slash ? slash + 1 : info->filename;
    for (const std::string& pattern : *static_cast<const Patterns*>(data))
        if (::fnmatch(pattern.c_str(), name, 0) == 0)
            return TRUE;
    return FALSE;
}

void DeletePatterns(gpointer data)
{
    delete static_cast<Patterns*>(data);
}

// GTK matches a filter's patterns against the name it shows, and shows a
// name that is no UTF-8 ("caf\xe9.syx") with "(invalid encoding)" after it,
// so no filter would ever list such a file. Each filter of the wildcard
// ("Text|*.a;*.b|...", made in this order) also takes a file whose own name
// matches one of its patterns.
void MatchNamesAsBytes(GtkFileChooser* chooser, const wxString& wildcard)
{
    const wxArrayString parts = wxStringTokenize(wildcard, "|", wxTOKEN_RET_EMPTY_ALL);
    GSList* filters = gtk_file_chooser_list_filters(chooser);
    std::size_t part = 1;
    for (GSList* filter = filters; filter && part < parts.size(); filter = filter->next, part += 2)
    {
        auto* patterns = new Patterns;
        for (const wxString& pattern : wxStringTokenize(parts[part], ";"))
            patterns->push_back(FromWx(pattern));
        gtk_file_filter_add_custom(GTK_FILE_FILTER(filter->data), GTK_FILE_FILTER_FILENAME, NameMatches, patterns,
                                   DeletePatterns);
    }
    g_slist_free(filters);
}
} // namespace

bool ShowSystemFileChooser(const FileDialogRequest& request, wxString& chosen)
{
    const long style = request.save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : wxFD_OPEN;
    wxFileDialog dialog(request.parent, wxString(), request.folder, request.file, request.wildcard, style);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog.GetHandle());
    MatchNamesAsBytes(chooser, request.wildcard);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    // The toolkit's own answer is empty for a name that is no UTF-8.
    gchar* path = gtk_file_chooser_get_filename(chooser);
    chosen = path ? ToWx(path) : dialog.GetPath();
    g_free(path);
    return !chosen.empty();
}
