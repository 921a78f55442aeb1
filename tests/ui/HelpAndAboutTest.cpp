// What ships beside the program and the main window shows of it: the help
// page, handed to the browser, and the about box's picture.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <set>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "tests/app/ScopedEnv.h"
#include "tests/ui/MainWindowTest.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/Browser.h"

using namespace RealInput;

namespace
{
// Every element of the page, depth first.
void Walk(wxXmlNode* node, const std::function<void(wxXmlNode&)>& visit)
{
    for (; node; node = node->GetNext())
        if (node->GetType() == wxXML_ELEMENT_NODE)
        {
            visit(*node);
            Walk(node->GetChildren(), visit);
        }
}

// PATH holds only a folder of ours: with an xdg-open that notes the address
// and ends with status, or with none at all (status < 0).
struct BrowserOnPath
{
    explicit BrowserOnPath(int exitStatus) : status(exitStatus)
    {
        if (status >= 0)
        {
            std::ofstream(bin.File("xdg-open")) << "#!/bin/sh\nprintf '%s' \"$1\" > " << log << ".part && mv "
                                                << log << ".part " << log << "\nexit " << status << "\n";
            ::chmod(bin.File("xdg-open").c_str(), 0755);
        }
    }
    std::string Opened() const
    {
        std::ifstream in(log);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int status;
    TempFolder bin;
    std::string log = bin.File("opened.txt");
    std::string path = status < 0 ? bin.Path() : bin.Path() + ":/usr/bin:/bin";
    ScopedEnv env{"PATH", path.c_str()};
};

// What the toolkit logs, which it would otherwise show in a box of its own.
struct LogRecorder : wxLog
{
    LogRecorder() : previous(wxLog::SetActiveTarget(this)) {}
    ~LogRecorder() override { wxLog::SetActiveTarget(previous); }
    void DoLogTextAtLevel(wxLogLevel, const wxString& text) override { logged.push_back(text); }
    wxLog* previous;
    std::vector<wxString> logged;
};
} // namespace

// The help page is a well-formed page beside the program, and everything it
// points to (its pictures, the places within it) is there.
TEST(HelpPageTest, ShipsBesideTheProgramAndEveryLinkLeadsSomewhere)
{
    const wxString page = GetResourceFilePath("help", "html");
    wxLogNull quiet;
    wxXmlDocument document(page);
    ASSERT_TRUE(document.IsOk()) << page << " is missing or not well-formed";
    EXPECT_EQ(document.GetRoot()->GetName(), "html");
    std::set<wxString> ids;
    std::vector<wxString> links;
    Walk(document.GetRoot(), [&](wxXmlNode& element) {
        if (element.HasAttribute("id"))
            ids.insert(element.GetAttribute("id"));
        for (const char* attribute : {"href", "src"})
            if (element.HasAttribute(attribute))
                links.push_back(element.GetAttribute(attribute));
    });
    EXPECT_GE(links.size(), 10u);
    const wxString folder = wxFileName(page).GetPath();
    for (const wxString& link : links)
    {
        if (link.StartsWith("#"))
            EXPECT_TRUE(ids.count(link.Mid(1))) << link << ": no such place in the page";
        else
            EXPECT_TRUE(wxFileName::FileExists(folder + "/" + link)) << link << ": no such file beside the page";
    }
}

// View help hands the shipped page to the browser; when no browser starts,
// whether the opener finds none or there is no opener at all, the user sees
// our one message naming the page's path, and no box of the toolkit's.
TEST_F(MainWindowTest, ViewHelpOpensTheShippedPageOrNamesItsPath)
{
    const wxString page = GetResourceFilePath("help", "html");
    ASSERT_TRUE(wxFileName::FileExists(page));
    {
        BrowserOnPath browser(0);
        ChooseMenu(MenuId::ViewHelp);
        ASSERT_TRUE(PumpUntil([&] { return !browser.Opened().empty(); }));
        EXPECT_EQ(ToWx(browser.Opened()), LocalFileUrl(page));
        IdlePasses();
        EXPECT_TRUE(Boxes().empty());
    }
    for (int status : {3, -1}) // the opener found nothing to start; there is no opener
    {
        SCOPED_TRACE(status);
        LogRecorder log;
        BrowserOnPath browser(status);
        ChooseMenu(MenuId::ViewHelp);
        ASSERT_TRUE(PumpUntil([&] { return !m_boxes.boxes.empty(); }));
        IdlePasses();
        EXPECT_EQ(Boxes(), Labels{"No web browser could be started to show " + page + "."});
        EXPECT_TRUE(log.logged.empty()) << log.logged.front();
    }
}

// F1 opens the about box with the shipped picture at its left, drawn where
// the box keeps room for it, and the text beside it.
TEST_F(MainWindowTest, TheAboutBoxDrawsItsPicture)
{
    const wxImage picture(GetImagesPath("signatures", "png"), wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(picture.IsOk());
    int differing = -1;
    DialogScript<CFFAboutDialog> about([&](CFFAboutDialog& box) {
        EXPECT_TRUE(box.HasImage());
        EXPECT_GE(box.GetClientSize().x, picture.GetWidth() + 100);
        EXPECT_GE(box.GetClientSize().y, picture.GetHeight());
        const wxPoint client = box.ClientToScreen(wxPoint(0, 0)) - box.GetScreenPosition();
        // Until the box has been painted, the screen shows black there.
        PumpUntil([&] {
            const wxImage shown = OnScreen(&box);
            differing = 0;
            for (int y = 0; y < picture.GetHeight(); ++y)
                for (int x = 0; x < picture.GetWidth(); ++x)
                {
                    const int sx = client.x + x, sy = client.y + y;
                    const int d = std::abs(shown.GetRed(sx, sy) - picture.GetRed(x, y)) +
                                  std::abs(shown.GetGreen(sx, sy) - picture.GetGreen(x, y)) +
                                  std::abs(shown.GetBlue(sx, sy) - picture.GetBlue(x, y));
                    differing += d > 24 ? 1 : 0;
                }
            return differing == 0;
        });
        Click(box.FindWindow(wxID_OK));
    });
    Key(WXK_F1);
    ASSERT_EQ(about.titles, Labels{"About Dorva Editor"});
    EXPECT_EQ(differing, 0) << "pixels of the picture not on screen";
}
