#include "app/ReaderAtk.h"

#include <gtk/gtk.h>

#include <wx/dataview.h>
#include <wx/window.h>

void DrawOnlyForReaders(wxWindow& window)
{
    if (GtkWidget* widget = window.GetHandle())
        gtk_widget_set_opacity(widget, 0.0);
}

void SetReaderRoleStatusBar(wxWindow& window)
{
    if (GtkWidget* widget = window.GetHandle())
        atk_object_set_role(gtk_widget_get_accessible(widget), ATK_ROLE_STATUSBAR);
}

void SetReaderName(wxDataViewCtrl& list, const wxString& name)
{
    // The tree view is what readers read as the table; the window around it
    // is a scrolled window they pass through.
    if (GtkWidget* view = list.GtkGetTreeView())
        atk_object_set_name(gtk_widget_get_accessible(view), name.utf8_str());
}
