#include "ui/StatusLine.h"

#include <wx/stattext.h>

#include "app/ReaderAtk.h"

CStatusLine::CStatusLine(wxWindow* parent, int fields) : wxStatusBar(parent, wxID_ANY, 0)
{
    SetFieldsCount(fields);
    for (int field = 0; field < fields; ++field)
    {
        // Never resized by its text: a long message stays whole for readers
        // however narrow its field.
        auto* label = new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
        DrawOnlyForReaders(*label);
        m_labels.push_back(label);
    }
    SetReaderRoleStatusBar(*this);
    PlaceLabels();
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        PlaceLabels();
    });
}

void CStatusLine::SetStatusWidths(int n, const int widths[])
{
    wxStatusBar::SetStatusWidths(n, widths);
    PlaceLabels();
}

void CStatusLine::DoUpdateStatusText(int field)
{
    wxStatusBar::DoUpdateStatusText(field);
    if (field >= 0 && field < static_cast<int>(m_labels.size()))
        m_labels[field]->SetLabelText(GetStatusText(field));
}

void CStatusLine::PlaceLabels()
{
    for (std::size_t field = 0; field < m_labels.size(); ++field)
    {
        wxRect rect;
        if (GetFieldRect(static_cast<int>(field), rect))
            m_labels[field]->SetSize(rect);
    }
}
