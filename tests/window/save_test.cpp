// Saving through the real window: the save worker's file and progress, the
// rules of Save and Save As, failures, and the Loop Count command.

#include "windowtest.h"

#include "cli/cliencoder.h"
#include "window/frameevents.h"
#include "window/loopcountdialog.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>

#include <sstream>

namespace
{
// Records the percentages of the save worker's progress events on their way
// to the window.
class ProgressRecorder : public wxEvtHandler
{
public:
    bool ProcessEvent(wxEvent& event) override
    {
        if (event.GetEventType() == EVT_THREAD_UPDATE && event.GetId() == ID_SAVE_GIF_UPDATE)
            percents.push_back(static_cast<wxCommandEvent&>(event).GetInt());
        return wxEvtHandler::ProcessEvent(event);
    }
    std::vector<int> percents;
};

class SaveTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        m_frame->SetSavePathChooser([this](wxWindow*, const wxString&) {
            ++m_asked;
            return m_savePath;
        });
    }
    // Runs a menu command of File and waits until any save it started ends;
    // returns the progress it reported.
    std::vector<int> File(int item)
    {
        ProgressRecorder recorder;
        m_frame->PushEventHandler(&recorder);
        Send(0, item);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (m_frame->IsSaving() && std::chrono::steady_clock::now() < deadline)
        {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(2);
        }
        wxTheApp->ProcessPendingEvents();
        EXPECT_FALSE(m_frame->IsSaving());
        m_frame->PopEventHandler();
        return recorder.percents;
    }
    std::vector<int> Save() { return File(0); }
    std::vector<int> SaveAs() { return File(1); }

    wxString m_savePath;
    int m_asked = 0;
};

using Percents = std::vector<int>;
} // namespace

TEST_F(SaveTest, SaveWritesTheFramesAsGloamerCliDoes)
{
    const wxString png = Picture("a.png", 40, 30), gif = Gif("g.gif", 3);
    wxImage photo(60, 40);
    photo.SetRGB(wxRect(0, 0, 60, 40), 10, 200, 30);
    const wxString jpg = m_documents.File("b.jpg");
    ASSERT_TRUE(photo.SaveFile(jpg, wxBITMAP_TYPE_JPEG));
    Choose({png, jpg, gif});
    AddAndWait();
    Type("m_spinctrl_delay", 7);
    Type("m_spinctrl_width", 30); // 60x40 from the frames: height 20

    m_savePath = m_documents.File("anim");
    EXPECT_EQ(Save(), (Percents{20, 40, 60, 80, 100}));
    const wxString written = m_documents.File("anim.gif");
    ASSERT_TRUE(wxFileExists(written));
    EXPECT_FALSE(wxFileExists(m_savePath));
    EXPECT_EQ(Status(0), "anim.gif (30 * 20)px");

    const std::string bytes = testsupport::ReadBytes(written);
    EXPECT_NE(bytes.find("NETSCAPE2.0"), std::string::npos); // loops forever
    const giftest::File decoded = giftest::DecodeWithGiflib(bytes);
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.frames.size(), 5u);
    for (const giftest::Frame& frame : decoded.frames)
    {
        EXPECT_EQ(wxSize(frame.width, frame.height), wxSize(30, 20));
        EXPECT_EQ(frame.delay, 7);
    }
    EXPECT_EQ(giftest::DecodeWithWx(bytes).frames.size(), 5u);

    // One pipeline: the command-line encoder writes the same bytes.
    std::ostringstream out, err;
    const wxString cli = m_documents.File("cli.gif");
    ASSERT_EQ(RunCliEncoder({"--delay", "7", "--size", "30x20", "-o", cli, png, jpg, gif}, out, err), 0) << err.str();
    EXPECT_TRUE(testsupport::ReadBytes(cli) == bytes);
}

TEST_F(SaveTest, ProgressCountsFramesAndEndsAtExactlyAHundred)
{
    const struct
    {
        int frames;
        Percents expected;
    } cases[] = {{3, {33, 66, 100}}, {4, {25, 50, 75, 100}}, {1, {100}}};
    for (const auto& c : cases)
    {
        m_frame->GetThumbnailCtrl()->Clear();
        AddFrames(c.frames);
        m_frame->ResetOutputSize();
        m_savePath = m_documents.File(wxString::Format("n%d.gif", c.frames));
        EXPECT_EQ(SaveAs(), c.expected) << c.frames;
    }
}

TEST_F(SaveTest, SaveRewritesOnlyWhatChangedOrWentMissing)
{
    Choose({Picture("a.png", 40, 30)});
    AddAndWait();
    m_savePath = m_documents.File("anim.gif");
    Save();
    ASSERT_EQ(m_asked, 1);
    m_frame->GetStatusBar()->SetStatusText("marker", 0);

    EXPECT_EQ(Save(), Percents{}); // unchanged and present: nothing happens
    EXPECT_EQ(Status(0), "marker");
    wxRemoveFile(m_documents.File("anim.gif"));
    EXPECT_EQ(Save(), Percents{100}); // gone: written again, no dialog
    Type("m_spinctrl_delay", 20);
    EXPECT_EQ(Save(), Percents{100}); // changed: written again
    EXPECT_EQ(m_asked, 1);

    m_savePath.clear();
    SaveAs(); // cancelled: the path is forgotten
    m_savePath = m_documents.File("again.gif");
    Save();
    EXPECT_EQ(m_asked, 3);
    EXPECT_TRUE(wxFileExists(m_savePath));
}

TEST_F(SaveTest, AFailedSaveSaysSoAndIsNotRecorded)
{
    Choose({Picture("a.png", 40, 30)});
    AddAndWait();
    ASSERT_TRUE(wxMkdir(m_documents.File("folder.gif")));
    for (const wxString& target : {wxString("/proc/gloamer-cannot-write.gif"), m_documents.File("folder.gif")})
    {
        m_savePath = target;
        m_frame->GetStatusBar()->SetStatusText("before", 0);
        wxString message;
        DialogCounter dialogs(wxID_OK, [&](wxDialog* dialog) {
            message = wxDynamicCast(dialog, wxMessageDialog)->GetMessage();
        });
        SaveAs();
        EXPECT_EQ(dialogs.shown, 1) << target;
        EXPECT_TRUE(message.Contains(target)) << message;
        EXPECT_EQ(Status(0), "before");
        EXPECT_FALSE(wxFileExists(target));
        // Not marked saved: Save tries the same path again, without asking.
        const int asked = m_asked;
        Save();
        EXPECT_EQ(dialogs.shown, 2);
        EXPECT_EQ(m_asked, asked);
    }

    m_frame->SetWorkerStarter([](wxThread&) { return false; });
    m_savePath = m_documents.File("never.gif");
    DialogCounter dialogs(wxID_OK);
    SaveAs();
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_FALSE(m_frame->IsSaving());
    EXPECT_TRUE(m_frame->IsEnabled());
}

TEST_F(SaveTest, ClosingDuringASaveFinishesTheFile)
{
    AddFrames(30);
    m_frame->ResetOutputSize();
    m_savePath = m_documents.File("closing.gif");
    Send(0, 1);
    ASSERT_TRUE(m_frame->IsSaving());
    DialogCounter no(wxID_NO);
    m_frame->Close();
    EXPECT_FALSE(m_frame->IsSaving());
    Destroy();
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(giftest::DecodeWithGiflib(testsupport::ReadBytes(m_savePath)).frames.size(), 30u);
}

TEST_F(SaveTest, LoopCountDialogRemembersTheLastConfirmedChoice)
{
    g_lastLoopCount = 0;
    {
        DialogCounter none;
        m_frame->GetMenuBar()->GetMenu(2)->SendEvent(Item(2, 1)->GetId());
        EXPECT_EQ(none.shown, 0); // no frames: no dialog
    }
    AddFrames(2);
    // Each step: what the dialog must show, what the user does, the answer.
    const struct
    {
        bool showsInfinite;
        int showsCount;
        bool chooseCount;
        int count;
        int answer;
        int loopCount;
    } steps[] = {
        {true, 1, true, 3, wxID_OK, 3},
        {false, 3, true, 0, wxID_OK, 0},     // zero times is endless
        {true, 1, true, 5, wxID_CANCEL, 0},  // cancel changes nothing
        {true, 1, false, 9, wxID_OK, 0},
    };
    for (const auto& step : steps)
    {
        DialogCounter dialogs(step.answer, [&](wxDialog* dialog) {
            auto* loop = wxDynamicCast(dialog, LoopCountDialog);
            ASSERT_NE(loop, nullptr);
            EXPECT_EQ(loop->GetTitle(), "Loop Counter");
            EXPECT_EQ(loop->GetInfiniteChoice()->GetValue(), step.showsInfinite);
            EXPECT_EQ(loop->GetCountControl()->IsEnabled(), !step.showsInfinite);
            EXPECT_EQ(loop->GetCountControl()->GetValue(), step.showsCount);
            EXPECT_EQ(loop->GetCountControl()->GetMin(), 0);
            EXPECT_EQ(loop->GetCountControl()->GetMax(), 100);
            (step.chooseCount ? loop->GetCountChoice() : loop->GetInfiniteChoice())->SetValue(true);
            loop->GetCountControl()->SetValue(step.count);
        });
        m_frame->SetLoopCount(m_frame->GetLoopCount());
        Send(2, 0); // playing: the command stops the preview
        m_frame->GetMenuBar()->GetMenu(2)->SendEvent(Item(2, 1)->GetId());
        EXPECT_EQ(dialogs.shown, 1);
        EXPECT_EQ(m_frame->GetLoopCount(), step.loopCount);
        EXPECT_FALSE(m_frame->IsPlaying());
    }
}
