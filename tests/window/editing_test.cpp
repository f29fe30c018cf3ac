// Building an animation in the real window: adding, inserting and deleting
// frames, the size controls, the status texts and the preview.

#include "windowtest.h"

#include "window/windowids.h"

#include <wx/msgdlg.h>
#include <wx/panel.h>

namespace
{
using NameList = std::vector<wxString>;
} // namespace

TEST_F(EditingTest, AddImageLoadsOnTheWorkerAndDerivesTheSize)
{
    // An optimized GIF: later frames are small patches, shown whole.
    Choose({Gif("anim.gif", 3), Picture("a.png", 100, 50), Picture("b.png", 60, 80)});
    AddAndWait();
    EXPECT_EQ(Names(), (NameList{"anim.gif_0", "anim.gif_1", "anim.gif_2", "a.png", "b.png"}));
    const auto* second = wxDynamicCast(m_frame->GetThumbnailCtrl()->GetItem(1), wxImageThumbnailItem);
    const wxImage whole = second->GetFullImage();
    EXPECT_EQ(whole.GetSize(), wxSize(8, 6));
    EXPECT_EQ(whole.GetRed(0, 0), 255); // the first frame under the patch
    EXPECT_EQ(whole.GetBlue(2, 2), 255);

    // The first frame whose either side is larger sets both: 60x80, not 100x80.
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 60);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 80);
    EXPECT_EQ(Status(0), "Untitled.gif (60 * 80)px");
    EXPECT_EQ(Status(1), "anim.gif_0 Width:8px,Height:6 px");
    EXPECT_FALSE(m_frame->GetPreviewRect().IsEmpty());
    ExpectCommandsEnabled(true);

    Choose({Picture("c.png", 90, 70)});
    AddAndWait();
    EXPECT_EQ(Status(0), "Untitled.gif (90 * 70)px");
}

TEST_F(EditingTest, FilesLeftOutAreNamedInOneMessage)
{
    const wxString cut = m_documents.File("cut.png");
    testsupport::WriteBytes(cut, testsupport::ReadBytes(Picture("whole.png", 50, 50)).substr(0, 40));
    Choose({Picture("a.png", 10, 10), cut, m_documents.File("gone.jpg")});
    wxString message;
    DialogCounter dialogs(wxID_OK, [&](wxDialog* dialog) {
        message = wxDynamicCast(dialog, wxMessageDialog)->GetMessage();
    });
    AddAndWait();
    EXPECT_EQ(Names(), NameList{"a.png"});
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_TRUE(message.Contains("cut.png: truncated")) << message;
    EXPECT_TRUE(message.Contains("gone.jpg")) << message;

    // A run that gives nothing ends too, and leaves nothing to edit.
    m_frame->GetThumbnailCtrl()->Clear();
    Choose({cut});
    AddAndWait();
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());
    ExpectCommandsEnabled(false);
}

TEST_F(EditingTest, AWorkerThatCannotStartIsReportedAndLeavesNothingOpen)
{
    m_frame->SetWorkerStarter([](wxThread&) { return false; });
    Choose({Picture("a.png", 10, 10)});
    DialogCounter dialogs(wxID_OK);
    Send(1, 0);
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_FALSE(m_frame->IsLoading());
    EXPECT_TRUE(m_frame->IsEnabled());
    ExpectCommandsEnabled(false);
}

TEST_F(EditingTest, ClosingDuringALoadEndsTheWorker)
{
    wxArrayString many;
    const wxString big = Picture("big.png", 1500, 1000);
    for (int i = 0; i < 40; ++i)
        many.Add(big);
    ASSERT_TRUE(m_frame->LoadImageFiles(many));
    wxTheApp->ProcessPendingEvents();
    DialogCounter dialogs(wxID_NO);
    m_frame->Close();
    EXPECT_FALSE(m_frame->IsLoading());
    Destroy(); // no event may reach the destroyed window
    wxTheApp->ProcessPendingEvents();
}

TEST_F(EditingTest, InsertGoesBeforeTheSelectionElseTheFocusElseTheEnd)
{
    Choose({Picture("f0.png", 10, 10), Picture("f1.png", 10, 10), Picture("f2.png", 10, 10)});
    AddAndWait();
    Choose({Picture("d.png", 10, 10)});
    SendCommand(ID_INSERT_IMAGE_MENU);
    EXPECT_EQ(Names(), (NameList{"f0.png", "f1.png", "f2.png", "d.png"}));

    Select({2});
    Choose({Picture("a.png", 10, 10), Picture("b.png", 10, 10)});
    SendCommand(ID_INSERT_IMAGE_MENU);
    EXPECT_EQ(Names(), (NameList{"f0.png", "f1.png", "a.png", "b.png", "f2.png", "d.png"}));

    wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
    for (const int selected : std::vector<int>(strip->GetSelections().begin(), strip->GetSelections().end()))
        strip->Select(selected, false);
    strip->SetFocusItem(1); // right-clicked, not selected
    Choose({Gif("g.gif", 3), Picture("c.png", 10, 10)});
    SendCommand(ID_INSERT_IMAGE_MENU);
    EXPECT_EQ(Names(), (NameList{"f0.png", "g.gif_0", "g.gif_1", "g.gif_2", "c.png", "f1.png", "a.png", "b.png",
                                 "f2.png", "d.png"}));
}

TEST_F(EditingTest, DeleteAsksRemovesTheSelectedFramesAndResetsTheSize)
{
    Choose({Picture("f0.png", 40, 30), Picture("f1.png", 40, 30), Picture("f2.png", 40, 30),
            Picture("f3.png", 40, 30), Picture("f4.png", 40, 30)});
    AddAndWait();
    Type("m_spinctrl_width", 20);
    Select({1, 4, 2});
    {
        DialogCounter no(wxID_NO);
        Send(1, 1);
        EXPECT_EQ(no.shown, 1);
    }
    EXPECT_EQ(m_frame->GetFrameCount(), 5);
    EXPECT_EQ(Status(1), "");
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 40); // back to the frames' size
    EXPECT_FALSE(m_frame->GetPreviewRect().IsEmpty());

    DialogCounter yes(wxID_YES);
    Send(1, 1);
    EXPECT_EQ(Names(), (NameList{"f0.png", "f3.png"}));
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());

    Select({0, 1});
    Send(1, 1);
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    ExpectCommandsEnabled(false);
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 0);
}

TEST_F(EditingTest, ClearAllEmptiesEverythingWithoutAQuestion)
{
    Choose({Picture("a.png", 40, 30)});
    AddAndWait();
    DialogCounter dialogs;
    Send(1, 2);
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    EXPECT_EQ(Status(0), "");
    EXPECT_EQ(Status(1), "");
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 0);
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());
    ExpectCommandsEnabled(false);
}

TEST_F(EditingTest, WidthAndHeightKeepTheFramesAspect)
{
    Choose({Picture("a.png", 400, 300)});
    AddAndWait();
    EXPECT_EQ(Status(0), "Untitled.gif (400 * 300)px");
    Type("m_spinctrl_width", 200);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 150);
    EXPECT_EQ(Status(0), "Untitled.gif (200 * 150)px");
    Type("m_spinctrl_height", 100);
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 133);
    EXPECT_EQ(Status(0), "Untitled.gif (133 * 100)px");

    // Frames without pixels give no ratio: the typed value stands alone.
    m_frame->GetThumbnailCtrl()->Clear();
    m_frame->GetThumbnailCtrl()->Insert(new wxImageThumbnailItem(new wxImage(4, 4), 0, m_documents.File("gone.png")), 0);
    m_frame->ResetOutputSize();
    Type("m_spinctrl_width", 50);
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 50);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 0);
}

TEST_F(EditingTest, PreviewPlacesClearsAndFollowsClicks)
{
    Choose({Picture("big.png", 800, 600), Picture("small.png", 100, 100)});
    AddAndWait();
    XRCCTRL(*m_frame, "m_panel_down", wxPanel)->SetSize(400, 400);
    m_frame->ShowFrame(0);
    EXPECT_EQ(m_frame->GetPreviewRect(), wxRect(0, 80, 400, 300));
    EXPECT_EQ(Status(1), "big.png Width:800px,Height:600 px");
    m_frame->ShowFrame(1);
    EXPECT_EQ(m_frame->GetPreviewRect(), wxRect(150, 180, 100, 100));

    // An entry without pixels clears the panel rather than divide by zero.
    m_frame->GetThumbnailCtrl()->Insert(new wxImageThumbnailItem(new wxImage(4, 4), 0, m_documents.File("gone.png")), 2);
    m_frame->ShowFrame(2);
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());
    EXPECT_EQ(Status(1), "");
}

TEST_F(EditingTest, PlayingStopsAfterTheLoopCountsPasses)
{
    m_frame->EnableFrameCommands(true);
    Send(2, 0); // no frames: nothing to play
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Run animation\tCtrl+P");

    Choose({Picture("f0.png", 10, 10), Picture("f1.png", 10, 10), Picture("f2.png", 10, 10)});
    AddAndWait();
    m_frame->SetLoopCount(2);
    Send(2, 0);
    ASSERT_TRUE(m_frame->IsPlaying());
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Stop animation\tCtrl+T");
    for (int tick = 1; tick <= 6; ++tick)
    {
        EXPECT_TRUE(m_frame->IsPlaying()) << tick;
        Tick();
    }
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(Status(1).BeforeFirst(' '), "f2.png"); // the last frame stays
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Run animation\tCtrl+P");

    // Stopped by the user after a pass and a frame: one more pass ends it.
    Send(2, 0);
    for (int tick = 0; tick < 4; ++tick)
        Tick();
    Send(2, 0);
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(m_frame->GetPreviewIndex(), 0);
    Send(2, 0);
    Tick();
    Tick();
    EXPECT_TRUE(m_frame->IsPlaying());
    Tick();
    EXPECT_FALSE(m_frame->IsPlaying());

    // Editing the delay stops a running preview.
    Send(2, 0);
    Type("m_spinctrl_delay", 50);
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(m_frame->GetThumbnailCtrl()->GetFrameDelay(), 50);
}
