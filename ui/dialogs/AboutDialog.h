#pragma once

#include <memory>

#include <wx/bitmap.h>
#include <wx/dialog.h>

class wxPaintEvent;

// The about box, built in code: an optional picture at the left, the text
// and an OK button to its right, on white. OK ends it with 0.
class CFFAboutDialog : public wxDialog
{
public:
    // An empty image path, or one that does not load, shows no picture.
    CFFAboutDialog(wxWindow* parent, const wxString& title, const wxString& imagePath, const wxString& text);

    bool HasImage() const { return m_image != nullptr; }
    const wxString& GetText() const { return m_text; }

private:
    void OnPaint(wxPaintEvent& event);

    std::unique_ptr<wxBitmap> m_image;
    wxString m_text;
};
