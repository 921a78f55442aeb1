#include "ui/WindowFocusGtk.h"

#include <gtk/gtk.h>

#include <wx/toplevel.h>
#include <wx/window.h>

namespace
{
// The deepest child of window whose widget is focus or holds it.
wxWindow* Holding(const wxWindow& window, GtkWidget* focus)
{
    for (wxWindow* child : window.GetChildren())
    {
        GtkWidget* widget = child->m_widget;
        if (child->IsTopLevel() || !widget || (widget != focus && !gtk_widget_is_ancestor(focus, widget)))
            continue;
        wxWindow* inner = Holding(*child, focus);
        return inner ? inner : child;
    }
    return nullptr;
}
} // namespace

wxWindow* FocusedDescendant(const wxWindow& topLevel)
{
    if (!topLevel.m_widget || !GTK_IS_WINDOW(topLevel.m_widget))
        return nullptr;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(topLevel.m_widget));
    return focus ? Holding(topLevel, focus) : nullptr;
}

void RaiseWithoutFocus(wxWindow& topLevel)
{
    GdkWindow* window = topLevel.m_widget ? gtk_widget_get_window(topLevel.m_widget) : nullptr;
    if (window && topLevel.IsShown())
        gdk_window_raise(window);
}

void FocusInsideWindow(wxWindow& window)
{
    auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(&window));
    if (!top || top->IsActive() || !top->m_widget || !GTK_IS_WINDOW(top->m_widget))
    {
        window.SetFocus();
        return;
    }
    GtkWidget* widget = window.m_wxwindow ? window.m_wxwindow : window.m_focusWidget;
    if (widget && gtk_widget_get_can_focus(widget))
        gtk_window_set_focus(GTK_WINDOW(top->m_widget), widget);
}
