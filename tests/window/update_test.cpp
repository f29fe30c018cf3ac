// Check for Update and the About box through the real main window: the
// messages after a check against a server on 127.0.0.1, and Enter in the
// About box.

#include "windowtest.h"

#include "app/productinfo.h"
#include "support/localhttpserver.h"

#include <wx/evtloop.h>
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
} // namespace

TEST_F(UpdateWindowTest, EachOutcomeShowsItsMessageAndOnlyYesOpensTheProductPage)
{
    using Then = LocalHttpServer::Then;
    const std::string newer = HttpOk("<r><p a='Tavrinex Gloamer' b='3.0.20'/></r>");
    const wxString failed = "Update failed!Please check if the network is available.";
    const wxString offer = "A new version of Tavrinex Gloamer(3.0.20) is available. Click Yes to open download page.";
    const struct
    {
        std::string bytes;
        Then then;
        int answer;
        wxString text;
        long style;
        std::vector<wxString> opened;
        const char* scheme = "http";
    } cases[] = {
        {newer, Then::Close, wxID_YES, offer, wxYES_NO | wxCENTRE, {kProductPage}},
        {newer, Then::Close, wxID_NO, offer, wxYES_NO | wxCENTRE, {}},
        {HttpOk("<r><p a='Tavrinex Gloamer' b='3.0.19'/></r>"), Then::Close, wxID_OK,
         "This version of Tavrinex Gloamer(3.0.19) is the latest version.", wxOK | wxCENTRE, {}},
        // With the program's own timeout: the window is back within seconds.
        {"", Then::Hold, wxID_OK, failed, wxOK | wxCENTRE, {}},
        // The shipped address is https: it is tried, and a server without
        // TLS is a failed check.
        {newer, Then::Close, wxID_OK, failed, wxOK | wxCENTRE, {}, "https"},
    };
    ASSERT_TRUE(Create());
    for (const auto& c : cases)
    {
        LocalHttpServer server({c.bytes}, c.then);
        UseUpdateAddress(server.Url(c.scheme));
        m_opened.clear();
        const wxMessageDialogBase* shown = nullptr;
        wxString text;
        DialogCounter dialogs(c.answer, [&](wxDialog* dialog) {
            shown = dynamic_cast<wxMessageDialogBase*>(dialog);
            ASSERT_NE(shown, nullptr);
            text = shown->GetMessage();
            EXPECT_EQ(shown->GetTitle(), "Tavrinex Gloamer") << text;
            EXPECT_EQ(shown->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxCANCEL | wxCENTRE), c.style) << text;
        });
        // The window takes no other command meanwhile, not even with the
        // event loop running as in the program.
        bool dispatched = false;
        m_frame->CallAfter([&] { dispatched = true; });
        const auto start = std::chrono::steady_clock::now();
        {
            wxEventLoop loop;
            wxEventLoopActivator active(&loop);
            Send(3, 3);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(6500)) << c.text;
        EXPECT_FALSE(dispatched) << c.text;
        EXPECT_EQ(dialogs.shown, 0) << c.text << ": the answer comes after the command";
        AwaitDialog(dialogs, 2);
        EXPECT_EQ(dialogs.shown, 1) << c.text;
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(m_opened, c.opened) << c.text;
    }

    // No address (an empty entry) shows nothing at all.
    UseUpdateAddress("");
    DialogCounter silent;
    Send(3, 3);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(silent.shown, 0);
}

TEST_F(UpdateWindowTest, AboutBoxHasTheFocusOnOkAndEnterClosesIt)
{
    ASSERT_TRUE(Create());
    wxDialog* about = nullptr;
    wxString notice;
    int pressed = 0;
    wxWindow* focus = nullptr;
    bool entered = false;
    // Show the box for real, and press Enter once it has the focus.
    DialogCounter dialogs(wxID_NONE, [&](wxDialog* dialog) {
        about = dialog;
        notice = XRCCTRL(*dialog, "m_static_information", wxStaticText)->GetLabel();
        wxHyperlinkCtrl* link = XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl);
        wxHyperlinkEvent click(link, link->GetId(), link->GetURL()); // a click opens through the program's opener
        link->GetEventHandler()->ProcessEvent(click);
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
        if (!entered && (wxWindow::FindFocus() || ticks > 40))
        {
            focus = wxWindow::FindFocus();
            entered = wxUIActionSimulator().Char(WXK_RETURN);
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
    EXPECT_EQ(m_opened, std::vector<wxString>{g_domainOption->GetProductUrl()}); // the click, not Enter
}
