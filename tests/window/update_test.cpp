// Check for Update and the About box through the real main window: the
// messages after a check against a server on 127.0.0.1, and Enter in the
// About box.

#include "windowtest.h"

#include "app/productinfo.h"
#include "support/localhttpserver.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

using testsupport::HttpOk;
using testsupport::LocalHttpServer;

namespace
{
const char kProductPage[] = "http://gloamer.test/product";

class UpdateWindowTest : public WindowTest
{
protected:
    // Settings whose update entry asks `base` + "-update.xml".
    void UseUpdateAddress(const std::string& base)
    {
        std::string xml = "<o><u>";
        for (const std::string& entry : std::vector<std::string>{"h", "2", "s", "4", base, kProductPage, "7"})
            xml += "<e>" + entry + "</e>";
        testsupport::WriteBytes(m_documents.File("option.cfg"), xml + "</u></o>");
        delete g_domainOption;
        g_domainOption = new DomainOption(m_documents.File("option.cfg"));
        ASSERT_TRUE(g_domainOption->Load());
    }
    // Runs the event loop until `dialogs` has seen a dialog or `seconds` pass.
    static void AwaitDialog(const DialogCounter& dialogs, int seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (dialogs.shown == 0 && std::chrono::steady_clock::now() < deadline)
        {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(2);
        }
    }
};

struct Message
{
    wxString text;
    wxString caption;
    long style = 0;
};
} // namespace

TEST_F(UpdateWindowTest, EachOutcomeShowsItsMessageAndOnlyYesOpensTheProductPage)
{
    const std::string newer = HttpOk("<r><p a='Tavrinex Gloamer' b='3.0.20'/></r>");
    const wxString offer = "A new version of Tavrinex Gloamer(3.0.20) is available. Click Yes to open download page.";
    const wxString latest = "This version of Tavrinex Gloamer(3.0.19) is the latest version.";
    const wxString failed = "Update failed!Please check if the network is available.";
    const std::vector<wxString> none;
    const struct
    {
        const char* what;
        std::string bytes;
        LocalHttpServer::Then then;
        int answer;
        wxString text;
        long style;
        std::vector<wxString> opened;
    } cases[] = {
        {"newer, Yes", newer, LocalHttpServer::Then::Close, wxID_YES, offer, wxYES_NO | wxCENTRE, {kProductPage}},
        {"newer, No", newer, LocalHttpServer::Then::Close, wxID_NO, offer, wxYES_NO | wxCENTRE, none},
        {"equal", HttpOk("<r><p a='Tavrinex Gloamer' b='3.0.19'/></r>"), LocalHttpServer::Then::Close, wxID_OK, latest,
         wxOK | wxCENTRE, none},
        {"older", HttpOk("<r><p a='Tavrinex Gloamer' b='3.0.9'/></r>"), LocalHttpServer::Then::Close, wxID_OK, latest,
         wxOK | wxCENTRE, none},
        {"HTTP 404", "HTTP/1.0 404 Not Found\r\n\r\n", LocalHttpServer::Then::Close, wxID_OK, failed, wxOK | wxCENTRE,
         none},
        // With the program's own timeout: the window is back within seconds.
        {"never answers", "", LocalHttpServer::Then::Hold, wxID_OK, failed, wxOK | wxCENTRE, none},
    };
    ASSERT_TRUE(Create());
    for (const auto& c : cases)
    {
        LocalHttpServer server(c.bytes, c.then);
        UseUpdateAddress(server.Url("/gloamer"));
        m_opened.clear();
        Message shown;
        DialogCounter dialogs(c.answer, [&](wxDialog* dialog) {
            const auto* message = dynamic_cast<wxMessageDialogBase*>(dialog);
            ASSERT_NE(message, nullptr);
            shown = {message->GetMessage(), message->GetTitle(), message->GetMessageDialogStyle()};
        });
        const auto start = std::chrono::steady_clock::now();
        Send(3, 3);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(6500)) << c.what;
        EXPECT_EQ(dialogs.shown, 0) << c.what << ": the answer is queued, not shown inside the command";
        AwaitDialog(dialogs, 2);
        EXPECT_EQ(dialogs.shown, 1) << c.what;
        EXPECT_EQ(shown.text, c.text) << c.what;
        EXPECT_EQ(shown.caption, "Tavrinex Gloamer") << c.what;
        EXPECT_EQ(shown.style & (wxOK | wxYES_NO | wxCANCEL | wxCENTRE), c.style) << c.what;
        EXPECT_EQ(m_opened, c.opened) << c.what;
    }

    // Nothing listening fails; an address the check cannot use (the shipped
    // https one, an empty entry) shows nothing at all.
    UseUpdateAddress(wxString::Format("http://127.0.0.1:%d/gloamer", LocalHttpServer::UnusedPort()).ToStdString());
    DialogCounter refused(wxID_OK, [&](wxDialog* dialog) {
        EXPECT_EQ(dynamic_cast<wxMessageDialogBase*>(dialog)->GetMessage(), failed);
    });
    Send(3, 3);
    AwaitDialog(refused, 2);
    EXPECT_EQ(refused.shown, 1);
    for (const std::string address : {"https://127.0.0.1/gloamer", ""})
    {
        UseUpdateAddress(address);
        DialogCounter silent;
        Send(3, 3);
        wxTheApp->ProcessPendingEvents();
        EXPECT_EQ(silent.shown, 0) << address;
    }
}

TEST_F(UpdateWindowTest, AboutBoxHasTheFocusOnOkAndEnterClosesIt)
{
    ASSERT_TRUE(Create());
    wxDialog* about = nullptr;
    wxString notice;
    int pressed = 0;
    wxWindow* focus = nullptr;
    // Show the box for real, and press Enter once it has the focus.
    DialogCounter dialogs(wxID_NONE, [&](wxDialog* dialog) {
        about = dialog;
        notice = XRCCTRL(*dialog, "m_static_information", wxStaticText)->GetLabel();
        dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
            pressed = event.GetId();
            event.Skip();
        });
    });
    wxTimer poll;
    int ticks = 0;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ++ticks;
        if (!about || !about->IsShown())
            return;
        if (!focus && (wxWindow::FindFocus() || ticks > 40))
        {
            focus = wxWindow::FindFocus();
            wxUIActionSimulator().Char(WXK_RETURN);
        }
        else if (ticks > 80)
            about->EndModal(wxID_CANCEL); // Enter did nothing: end the test's wait
    });
    poll.Start(25);
    Send(3, 4);
    poll.Stop();

    ASSERT_NE(about, nullptr);
    EXPECT_EQ(notice, "Copyright " + wxString(g_buildDate).AfterLast(' ') + " Tavrinex. All rights reserved.");
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->GetId(), wxID_OK);
    EXPECT_EQ(pressed, wxID_OK);
    EXPECT_TRUE(m_opened.empty());
}
