#pragma once

#include <wx/dnd.h>

class CMainFrame;

// Template files dropped on the main window open as templates of their own.
// A drop is taken only when every name ends in ".syx".
class CSyxFileDropTarget : public wxFileDropTarget
{
public:
    explicit CSyxFileDropTarget(CMainFrame& frame) : m_frame(frame) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& fileNames) override;

private:
    CMainFrame& m_frame;
};

// Every name has a file name or an extension, and the extension is exactly
// "syx". Names only: the disk is not looked at. True for an empty list.
bool AllFilesAreSyx(const wxArrayString& fileNames);
