#include "ui/NumberPasteGtk.h"

#include <gtk/gtk.h>

#include <wx/window.h>

#include "ui/validators/WholeNumber.h"

namespace
{
// Runs before the field's own paste, which it stops.
void OnPaste(GtkEntry* entry, gpointer)
{
    gchar* pasted = gtk_clipboard_wait_for_text(gtk_widget_get_clipboard(GTK_WIDGET(entry), GDK_SELECTION_CLIPBOARD));
    if (!pasted)
        return;
    GtkEditable* editable = GTK_EDITABLE(entry);
    gint from = 0;
    gint to = 0;
    if (!gtk_editable_get_selection_bounds(editable, &from, &to))
        from = to = gtk_editable_get_position(editable);
    const wxString text = wxString::FromUTF8(gtk_entry_get_text(entry));
    const wxString result = text.Left(from) + wxString::FromUTF8(pasted) + text.Mid(to);
    g_free(pasted);
    int value = 0;
    if (ParseWholeNumber(result, value))
        return;
    g_signal_stop_emission_by_name(entry, "paste-clipboard");
    RefuseKey();
}
} // namespace

void RefuseNonNumberPastes(wxWindow& field)
{
    if (field.m_widget && GTK_IS_ENTRY(field.m_widget))
        g_signal_connect(field.m_widget, "paste-clipboard", G_CALLBACK(OnPaste), nullptr);
}
