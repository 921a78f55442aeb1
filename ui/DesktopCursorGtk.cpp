#include "ui/DesktopCursorGtk.h"

#include <gtk/gtk.h>

#include <wx/window.h>

bool ShowDesktopCursor(wxWindow& window, const char* name)
{
    GtkWidget* widget = window.m_wxwindow ? window.m_wxwindow : window.m_widget;
    GdkWindow* gdkWindow = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!gdkWindow)
        return false;
    GdkCursor* cursor = gdk_cursor_new_from_name(gdk_window_get_display(gdkWindow), name);
    if (!cursor)
        return false;
    gdk_window_set_cursor(gdkWindow, cursor);
    g_object_unref(cursor);
    return true;
}
