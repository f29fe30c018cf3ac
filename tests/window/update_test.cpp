// Check for Update through the real window against a server on 127.0.0.1, and Enter in the About box.

#include "windowtest.h"

#include "support/localhttpserver.h"

#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

using testsupport::HttpOk;
using testsupport::LocalHttpServer;

namespace
{
const char kProductPage[] = "http://gloamer.test/product";

class UpdateWindowTest : public EditingTest
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
};
} // namespace

// The check runs on a worker (the window once froze); a second one meanwhile does nothing; only Yes opens the page.
TEST_F(UpdateWindowTest, EachOutcomeShowsItsMessageAndOnlyYesOpensTheProductPage)
{
    using Then = LocalHttpServer::Then;
    const auto document = [](const std::string& version) {
        return HttpOk("<r><p a='Tavrinex Gloamer' b='" + version + "'/></r>");
    };
    const wxString failed = "Update failed!Please check if the network is available.";
    const wxString offer = "A new version of Tavrinex Gloamer(3.0.20) is available. Click Yes to open download page.";
    const struct
    {
        std::string bytes;
        Then then;
        int answer; // Yes or No: a question; OK: a message
        wxString text;
        const char* scheme = "http"; // of the local server's address
    } cases[] = {
        {document("3.0.20"), Then::Close, wxID_YES, offer},
        {document("3.0.20"), Then::Close, wxID_NO, offer},
        {document("3.0.19"), Then::Close, wxID_OK, "This version of Tavrinex Gloamer(3.0.19) is the latest version."},
        {"", Then::Hold, wxID_OK, failed}, // with the program's own timeout: the answer comes within seconds
        {document("3.0.20"), Then::Close, wxID_OK, failed, "https"}, // a server without TLS
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        LocalHttpServer server({c.bytes}, c.then);
        UseUpdateAddress(server.Url(c.scheme));
        m_opened.clear();
        wxString text;
        DialogCounter dialogs(c.answer, [&](wxDialog* dialog) {
            const auto* shown = dynamic_cast<wxMessageDialogBase*>(dialog);
            ASSERT_NE(shown, nullptr);
            text = shown->GetMessage();
            EXPECT_EQ(shown->GetTitle(), "Tavrinex Gloamer");
            EXPECT_EQ(shown->GetMessageDialogStyle() & (wxOK | wxYES_NO | wxCANCEL | wxCENTRE),
                      (c.answer == wxID_OK ? wxOK : wxYES_NO) | wxCENTRE);
        });
        Send(3, 3);
        Send(3, 3);
        EXPECT_TRUE(m_frame->IsCheckingForUpdate() && wxIsBusy());
        PumpWhile([&] { return dialogs.shown == 0; }, 8);
        EXPECT_EQ(dialogs.shown, 1);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(m_opened, c.answer == wxID_YES ? std::vector<wxString>{kProductPage} : std::vector<wxString>{});
        EXPECT_FALSE(m_frame->IsCheckingForUpdate() || wxIsBusy());
    }

    // A window closed during the check hears nothing more of it.
    LocalHttpServer silent({""}, Then::Hold);
    UseUpdateAddress(silent.Url());
    DialogCounter none;
    Send(3, 3);
    Destroy();
    PumpWhile([&] { return none.shown == 0; }, 1);
    EXPECT_EQ(none.shown, 0);
    EXPECT_FALSE(wxIsBusy());
}

// Enter in the About box presses OK (the box was once used after it was gone); it is read only while shown.
TEST_F(UpdateWindowTest, AboutBoxHasTheFocusOnOkAndEnterClosesIt)
{
    wxDialog* about = nullptr;
    int pressed = 0, focus = wxID_NONE, okId = wxID_NONE, ticks = 0, enteredAt = -1;
    DialogCounter dialogs(wxID_NONE, [&](wxDialog* dialog) {
        about = dialog;
        okId = dialog->GetAffirmativeId();
        dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
            pressed = event.GetId();
            event.Skip();
        });
    });
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ++ticks;
        if (!about || !about->IsShown())
            return;
        // Enter once the box has the focus, again each second in case a busy X server lost
        // the key before the box was mapped; ten seconds without effect end the test's wait.
        if (ticks > 400)
            about->EndModal(wxID_CANCEL);
        else if (enteredAt < 0 ? wxWindow::FindFocus() || ticks > 40 : ticks - enteredAt >= 40)
        {
            if (enteredAt < 0)
                focus = wxWindow::FindFocus() ? wxWindow::FindFocus()->GetId() : wxID_NONE;
            enteredAt = ticks;
            wxUIActionSimulator().Char(WXK_RETURN);
        }
    });
    poll.Start(25);
    Send(3, 4);
    poll.Stop();
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(std::make_pair(focus, pressed), std::make_pair(okId, okId));
}
