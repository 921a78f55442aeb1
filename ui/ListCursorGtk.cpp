#include "ui/ListCursorGtk.h"

#include <gtk/gtk.h>

#include <wx/dataview.h>

void SetListCursor(wxDataViewCtrl& list, int row)
{
    GtkWidget* view = list.GtkGetTreeView();
    if (!view || row < 0)
        return;
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(view), path, nullptr, FALSE);
    gtk_tree_path_free(path);
}
