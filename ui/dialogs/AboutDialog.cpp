#include "ui/dialogs/AboutDialog.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CFFAboutDialog::CFFAboutDialog(wxWindow* parent, const wxString& title, const wxString& imagePath,
                               const wxString& text)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_text(text)
{
    SetBackgroundColour(*wxWHITE);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    if (!imagePath.empty())
    {
        wxImage image;
        // A missing picture is no reason to fail the box: it shows the text alone.
        wxLogNull quiet;
        if (image.LoadFile(imagePath, wxBITMAP_TYPE_ANY) && image.IsOk())
        {
            m_image = std::make_unique<wxBitmap>(image);
            auto* left = new wxBoxSizer(wxVERTICAL);
            left->Add(m_image->GetWidth(), m_image->GetHeight());
            row->Add(left);
        }
    }
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL),
                0, wxALIGN_CENTER_HORIZONTAL | wxTOP | wxRIGHT, 26);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    column->Add(ok, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 26);
    row->Add(column);
    SetSizerAndFit(row);
    row->SetSizeHints(this);
    CentreOnParent(wxBOTH);

    Bind(wxEVT_PAINT, &CFFAboutDialog::OnPaint, this);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(0); }, wxID_OK);
}

void CFFAboutDialog::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (m_image && m_image->IsOk())
        dc.DrawBitmap(*m_image, 0, 0);
}
