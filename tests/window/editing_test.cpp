// Building an animation in the real window: frames, size, status and preview.

#include "windowtest.h"

#include "window/windowids.h"

#include <wx/panel.h>
#include <wx/progdlg.h>

using NameList = std::vector<wxString>;

// Add Image: optimized GIFs whole, size from the larger first frame (60x80); unreadable files in one message.
TEST_F(EditingTest, AddImageDerivesTheSizeAndReportsWhatItCouldNotLoad)
{
    AddAndWait({Gif("anim.gif", 3), Picture("a.png", 100, 50), Picture("b.png", 60, 80)});
    EXPECT_EQ(Names(), (NameList{"anim.gif_0", "anim.gif_1", "anim.gif_2", "a.png", "b.png"}));
    const wxImage whole = wxDynamicCast(m_frame->GetThumbnailCtrl()->GetItem(1), wxImageThumbnailItem)->GetFullImage();
    EXPECT_EQ(whole.GetSize(), wxSize(8, 6));
    EXPECT_EQ(whole.GetRed(0, 0), 255); // the first frame under the patch
    EXPECT_EQ(whole.GetBlue(2, 2), 255);
    EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), wxSize(60, 80));
    EXPECT_EQ(Status(0), "Untitled.gif (60 * 80)px");
    EXPECT_EQ(Status(1), "anim.gif_0 Width:8px,Height:6 px");
    EXPECT_FALSE(m_frame->GetPreviewRect().IsEmpty());
    ExpectCommandsEnabled(true);
    AddAndWait({Picture("c.png", 90, 70)});
    EXPECT_EQ(Status(0), "Untitled.gif (90 * 70)px");

    m_frame->GetThumbnailCtrl()->Clear();
    const wxString cut = m_documents.File("cut.png");
    testsupport::WriteBytes(cut, testsupport::ReadBytes(Picture("whole.png", 50, 50)).substr(0, 40));
    Choose({Picture("a.png", 10, 10), cut, m_documents.File("gone.jpg")});
    const std::vector<wxString> messages = Messages([&] { AddAndWait(); }, wxID_OK);
    EXPECT_EQ(Names(), NameList{"a.png"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Contains("cut.png: truncated") && messages[0].Contains("gone.jpg")) << messages[0];
    m_frame->GetThumbnailCtrl()->Clear();
    Messages([&] { AddAndWait({cut}); }, wxID_OK);
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());
    ExpectCommandsEnabled(false);

    // A loading worker that cannot start is reported and leaves the window usable.
    m_frame->SetWorkerStarter([](wxThread&) { return false; });
    Choose({Picture("a.png", 10, 10)});
    EXPECT_EQ(Messages([&] { Send(1, 0); }, wxID_OK).size(), 1u);
    EXPECT_FALSE(m_frame->IsLoading());
    EXPECT_TRUE(m_frame->IsEnabled());
    ExpectCommandsEnabled(false);
}

// Delete asks, removes exactly the selection and resets the size; Clear All never asks.
TEST_F(EditingTest, DeleteInsertAndCancelChangeOnlyWhatTheyShould)
{
    AddAndWait({Picture("f0.png", 40, 30), Picture("f1.png", 40, 30), Picture("f2.png", 40, 30),
            Picture("f3.png", 40, 30), Picture("f4.png", 40, 30)});
    Type("m_spinctrl_width", 20);
    Select({1, 4, 2});
    EXPECT_EQ(Messages([&] { Send(1, 1); }).size(), 1u);
    EXPECT_EQ(m_frame->GetFrameCount(), 5);
    EXPECT_EQ(Status(1), "");
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 40);
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

    // Clear All also stops the preview.
    AddAndWait({Picture("a.png", 40, 30)});
    Send(2, 0);
    Send(1, 2);
    EXPECT_EQ(yes.shown, 2);
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(Status(0) + Status(1), "");
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());

    // Insert Image goes before the first selected frame, else the focus one, else at the end.
    AddAndWait({Picture("f0.png", 10, 10), Picture("f1.png", 10, 10), Picture("f2.png", 10, 10)});
    InsertAndWait({Picture("d.png", 10, 10)});
    EXPECT_EQ(Names(), (NameList{"f0.png", "f1.png", "f2.png", "d.png"}));
    Select({2});
    InsertAndWait({Picture("a.png", 10, 10), Picture("b.png", 10, 10)});
    EXPECT_EQ(Names(), (NameList{"f0.png", "f1.png", "a.png", "b.png", "f2.png", "d.png"}));
    SelectOnly({});
    m_frame->GetThumbnailCtrl()->SetFocusItem(1);
    InsertAndWait({Gif("g.gif", 3), Picture("c.png", 10, 10)});
    EXPECT_EQ(Names(), (NameList{"f0.png", "g.gif_0", "g.gif_1", "g.gif_2", "c.png", "f1.png", "a.png", "b.png",
                                 "f2.png", "d.png"}));

    // Cancel keeps the frames loaded so far; closing during a load ends the worker safely.
    m_frame->GetThumbnailCtrl()->Clear();
    AddAndWait({Picture("a.png", 30, 20), Picture("b.png", 30, 20)});
    m_choice.assign(40, Picture("big.png", 1500, 1000));
    Send(1, 0);
    wxProgressDialog* progress = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxProgressDialog*>(window))
            progress = dialog;
    ASSERT_NE(progress, nullptr);
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    progress->ProcessWindowEvent(cancel);
    WaitForLoad();
    EXPECT_EQ(Names(), (NameList{"a.png", "b.png"}));
    ExpectCommandsEnabled(true);

    ASSERT_TRUE(m_frame->LoadImageFiles(m_choice));
    wxTheApp->ProcessPendingEvents();
    DialogCounter dialogs(wxID_NO);
    m_frame->Close();
    EXPECT_FALSE(m_frame->IsLoading());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame)); // No: closed unsaved
    Destroy();
    wxTheApp->ProcessPendingEvents();
}

// Play runs the loop count's passes; stopped by hand it resumes them; a delay edit stops it.
TEST_F(EditingTest, PlayingStopsAfterTheLoopCountsPassesAndTheSizeKeepsTheAspect)
{
    m_frame->EnableFrameCommands(true);
    Send(2, 0); // no frames: nothing to play
    EXPECT_FALSE(m_frame->IsPlaying());
    AddAndWait({Picture("f0.png", 10, 10), Picture("f1.png", 10, 10), Picture("f2.png", 10, 10)});
    m_frame->SetLoopCount(2);
    Send(2, 0);
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Stop animation\tCtrl+T");
    for (int tick = 1; tick <= 6; ++tick, Tick())
        ASSERT_TRUE(m_frame->IsPlaying()) << tick;
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(Status(1).BeforeFirst(' '), "f2.png");
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Run animation\tCtrl+P");
    // Stopped after a pass and a frame: one more pass ends it.
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
    Send(2, 0);
    Type("m_spinctrl_delay", 50);
    EXPECT_FALSE(m_frame->IsPlaying());
    EXPECT_EQ(m_frame->GetThumbnailCtrl()->GetFrameDelay(), 50);

    // Width and height keep the aspect; no pixels clear the preview; a typed value stands alone.
    m_frame->GetThumbnailCtrl()->Clear();
    AddAndWait({Picture("a.png", 800, 600)});
    XRCCTRL(*m_frame, "m_panel_down", wxPanel)->SetSize(400, 400);
    m_frame->ShowFrame(0);
    EXPECT_EQ(m_frame->GetPreviewRect(), wxRect(0, 50, 400, 300));
    EXPECT_EQ(Status(1), "a.png Width:800px,Height:600 px");
    Type("m_spinctrl_width", 400);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 300);
    EXPECT_EQ(Status(0), "Untitled.gif (400 * 300)px");
    Type("m_spinctrl_height", 100);
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 133);
    EXPECT_EQ(Status(0), "Untitled.gif (133 * 100)px");
    m_frame->GetThumbnailCtrl()->Clear();
    m_frame->GetThumbnailCtrl()->Insert(new wxImageThumbnailItem(new wxImage(4, 4), 0, m_documents.File("gone.png")), 0);
    m_frame->ShowFrame(0);
    EXPECT_TRUE(m_frame->GetPreviewRect().IsEmpty());
    EXPECT_EQ(Status(1), "");
    m_frame->ResetOutputSize();
    Type("m_spinctrl_width", 50);
    EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), wxSize(50, 0));
    // Up to the GIF limit, and never out of ratio (mended: a 20000 px side stopped at 16384).
    m_frame->GetThumbnailCtrl()->Clear();
    AddAndWait({Picture("wide.png", 20000, 10)});
    const struct { const char* spin; int typed; wxSize shown; } steps[] = {
        {nullptr, 0, {20000, 10}}, {"m_spinctrl_width", 65535, {65535, 32}}, {"m_spinctrl_width", 5, {2000, 1}},
        {"m_spinctrl_height", 70000, {64000, 32}}, {"m_spinctrl_height", 3, {6000, 3}},
    };
    for (const auto& step : steps)
    {
        if (step.spin)
            Type(step.spin, step.typed);
        EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), step.shown)
            << step.typed;
    }
}
