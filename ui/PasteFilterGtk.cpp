#include "ui/PasteFilterGtk.h"

#include <gtk/gtk.h>

#include <wx/window.h>

#include "ui/validators/WholeNumber.h"

namespace
{
// Pastes what the filter keeps of pasted over [from, to). True when that is
// done here (or refused); false when GTK's own paste may go on unchanged.
bool Paste(GtkEntry* entry, const PasteFilter& filter, gint from, gint to, const gchar* pasted)
{
    const wxString text = wxString::FromUTF8(gtk_entry_get_text(entry));
    const wxString offered = wxString::FromUTF8(pasted);
    const wxString kept = filter(text, from, to, offered);
    if (kept == offered)
        return false;
    RefuseKey();
    if (kept.empty())
        return true;
    // One change, as GTK's own paste makes: the field's handlers never see
    // it emptied on the way.
    const wxString result = text.Left(from) + kept + text.Mid(to);
    gtk_entry_set_text(entry, result.utf8_str());
    gtk_editable_set_position(GTK_EDITABLE(entry), from + static_cast<gint>(kept.length()));
    return true;
}

void OnPasteClipboard(GtkEntry* entry, gpointer data)
{
    gchar* pasted = gtk_clipboard_wait_for_text(gtk_widget_get_clipboard(GTK_WIDGET(entry), GDK_SELECTION_CLIPBOARD));
    if (!pasted)
        return;
    GtkEditable* editable = GTK_EDITABLE(entry);
    gint from = 0;
    gint to = 0;
    if (!gtk_editable_get_selection_bounds(editable, &from, &to))
        from = to = gtk_editable_get_position(editable);
    if (Paste(entry, *static_cast<PasteFilter*>(data), from, to, pasted))
        g_signal_stop_emission_by_name(entry, "paste-clipboard");
    g_free(pasted);
}

// The character position that GTK pastes or drops at for a point x of the
// field's own window.
gint PositionAt(GtkEntry* entry, gint x)
{
    gint layoutX = 0;
    gint layoutY = 0;
    gtk_entry_get_layout_offsets(entry, &layoutX, &layoutY);
    PangoLayoutLine* line = pango_layout_get_line_readonly(gtk_entry_get_layout(entry), 0);
    int index = 0;
    int trailing = 0;
    if (line)
        pango_layout_line_x_to_index(line, (x - layoutX) * PANGO_SCALE, &index, &trailing);
    const gchar* text = gtk_entry_get_text(entry);
    return static_cast<gint>(g_utf8_pointer_to_offset(text, text + gtk_entry_layout_index_to_text_index(entry, index))) +
           trailing;
}

// The position that GTK pastes at for a click at the event's place, as it
// finds it; false when the click is not on the text (a spin field's buttons).
bool PositionUnder(GtkEntry* entry, const GdkEventButton* event, gint& position)
{
    GtkWidget* widget = GTK_WIDGET(entry);
    GdkWindow* window = gtk_widget_get_window(widget);
    if (!window)
        return false;
    gint x = 0;
    gint y = 0;
    gdk_window_get_origin(window, &x, &y);
    if (!gtk_widget_get_has_window(widget))
    {
        GtkAllocation allocation;
        gtk_widget_get_allocation(widget, &allocation);
        x += allocation.x;
        y += allocation.y;
    }
    x = static_cast<gint>(event->x_root) - x;
    y = static_cast<gint>(event->y_root) - y;
    GdkRectangle area;
    gtk_entry_get_text_area(entry, &area);
    if (x < area.x || x >= area.x + area.width || y < area.y || y >= area.y + area.height)
        return false;
    position = PositionAt(entry, x);
    return true;
}

// Pastes or drops at position: over the selection when it is inside it,
// as GTK does; the same answer as Paste.
bool PasteAt(GtkEntry* entry, const PasteFilter& filter, gint at, const gchar* pasted)
{
    gint from = at;
    gint to = at;
    gint start = 0;
    gint end = 0;
    if (gtk_editable_get_selection_bounds(GTK_EDITABLE(entry), &start, &end) && start <= at && at <= end)
    {
        from = start;
        to = end;
    }
    return Paste(entry, filter, from, to, pasted);
}

// Runs before GTK's own middle-click paste, which it replaces when the
// filter changes what is pasted.
gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data)
{
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_MIDDLE ||
        !gtk_editable_get_editable(GTK_EDITABLE(widget)))
        return FALSE;
    gboolean primaryPaste = FALSE;
    g_object_get(gtk_widget_get_settings(widget), "gtk-enable-primary-paste", &primaryPaste, nullptr);
    GtkEntry* entry = GTK_ENTRY(widget);
    gint at = 0;
    if (!primaryPaste || !PositionUnder(entry, event, at))
        return FALSE;
    gchar* pasted = gtk_clipboard_wait_for_text(gtk_widget_get_clipboard(widget, GDK_SELECTION_PRIMARY));
    if (!pasted)
        return FALSE;
    const bool done = PasteAt(entry, *static_cast<PasteFilter*>(data), at, pasted);
    g_free(pasted);
    return done;
}

// Runs before GTK's own drop of text (from this or another program), which
// it replaces when the filter changes what is dropped. x is in the field's
// own coordinates.
void OnDragDataReceived(GtkWidget* widget, GdkDragContext* context, gint x, gint, GtkSelectionData* data, guint,
                        guint time, gpointer filter)
{
    if (!gtk_editable_get_editable(GTK_EDITABLE(widget)))
        return;
    guchar* dropped = gtk_selection_data_get_text(data);
    if (!dropped)
        return;
    GtkEntry* entry = GTK_ENTRY(widget);
    const wxString before = wxString::FromUTF8(gtk_entry_get_text(entry));
    if (PasteAt(entry, *static_cast<PasteFilter*>(filter), PositionAt(entry, x), reinterpret_cast<gchar*>(dropped)))
    {
        g_signal_stop_emission_by_name(widget, "drag-data-received");
        // A refused drop is a failed one: a program that moves its text keeps it.
        gtk_drag_finish(context, wxString::FromUTF8(gtk_entry_get_text(entry)) != before, FALSE, time);
    }
    g_free(dropped);
}

void DeleteFilter(gpointer data, GClosure*)
{
    delete static_cast<PasteFilter*>(data);
}
} // namespace

void FilterPastes(wxWindow& field, PasteFilter filter)
{
    if (!field.m_widget || !GTK_IS_ENTRY(field.m_widget))
        return;
    g_signal_connect_data(field.m_widget, "paste-clipboard", G_CALLBACK(OnPasteClipboard), new PasteFilter(filter),
                          DeleteFilter, GConnectFlags(0));
    g_signal_connect_data(field.m_widget, "button-press-event", G_CALLBACK(OnButtonPress), new PasteFilter(filter),
                          DeleteFilter, GConnectFlags(0));
    g_signal_connect_data(field.m_widget, "drag-data-received", G_CALLBACK(OnDragDataReceived),
                          new PasteFilter(std::move(filter)), DeleteFilter, GConnectFlags(0));
}
