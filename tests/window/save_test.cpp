// Saving through the real window, and the Loop Count command.

#include "windowtest.h"

#include "cli/cliencoder.h"
#include "frames/framestore.h"
#include "window/frameevents.h"
#include "window/gifoptionsdialog.h"
#include "window/loopcountdialog.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>

#include <sstream>

namespace
{
using Percents = std::vector<int>;

class SaveTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        m_frame->SetSavePathChooser([this](wxWindow*, const wxString&, const wxString&) { return ++m_asked, m_savePath; });
    }
    // Save (0) or Save As (1) until its save ends; the progress its worker reported.
    Percents Save(int item = 0)
    {
        Percents percents;
        const auto record = [&](wxCommandEvent& event) {
            if (event.GetId() == ID_SAVE_GIF_UPDATE)
                percents.push_back(event.GetInt());
            event.Skip();
        };
        const wxEventTypeTag<wxCommandEvent> update(EVT_THREAD_UPDATE);
        m_frame->Bind(update, record);
        SaveAndWait(item);
        m_frame->Unbind(update, record);
        return percents;
    }
    Percents SaveAs() { return Save(1); }

    wxString m_savePath;
    int m_asked = 0;
};
} // namespace

// Save reports per frame and writes gloamer-cli's bytes; past the disk budget it stops and says why.
TEST_F(SaveTest, SaveWritesTheFramesAsAddedAsGloamerCliDoes)
{
    const wxString png = Picture("a.png", 40, 30), gif = Gif("g.gif", 4);
    wxImage photo(60, 40);
    photo.SetRGB(wxRect(0, 0, 60, 40), 10, 200, 30);
    const wxString jpg = m_documents.File("b.jpg");
    ASSERT_TRUE(photo.SaveFile(jpg, wxBITMAP_TYPE_JPEG));
    AddAndWait({png, jpg, gif});
    Type("m_spinctrl_delay", 7);
    Type("m_spinctrl_width", 30); // 60x40 from the frames: height 20
    m_savePath = m_documents.File("anim");
    EXPECT_EQ(Save(), (Percents{16, 33, 50, 66, 83, 100}));
    const wxString written = m_documents.File("anim.gif");
    EXPECT_FALSE(wxFileExists(m_savePath));
    EXPECT_EQ(Status(0), "anim.gif (30 * 20)px");
    std::ostringstream out, err;
    const wxString cli = m_documents.File("cli.gif");
    ASSERT_EQ(RunCliEncoder({"--delay", "7", "--size", "30x20", "-o", cli, png, jpg, gif}, out, err), 0) << err.str();
    EXPECT_TRUE(testsupport::ReadBytes(cli) == testsupport::ReadBytes(written));

    ASSERT_TRUE(wxImage(60, 40).SaveFile(jpg, wxBITMAP_TYPE_JPEG));
    ASSERT_TRUE(photo.SaveFile(png, wxBITMAP_TYPE_PNG));
    testsupport::WriteBytes(gif, testsupport::ReadBytes(gif).substr(0, 40));
    m_savePath = m_documents.File("after.gif");
    SaveAs();
    EXPECT_TRUE(testsupport::ReadBytes(written) == testsupport::ReadBytes(m_savePath));

    FrameStore& store = GetFrameStore();
    const FrameStoreLimits limits = store.GetLimits();
    FrameStoreLimits tight = limits;
    tight.memoryBytes = 0;
    // Room for two more copies of the small picture's bytes, not three.
    const std::uint64_t packed = testsupport::ReadBytes(Picture("c.png", 40, 30)).size() + 1;
    tight.diskBytes = store.GetUsage().diskBytes + packed * 5 / 2;
    store.SetLimits(tight);
    m_choice.assign(4, m_documents.File("c.png"));
    const std::vector<wxString> messages = Messages([&] { Send(1, 0); }, wxID_OK);
    store.SetLimits(limits);
    EXPECT_EQ(m_frame->GetFrameCount(), 6 + 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].StartsWith("2 frame(s) were added. The rest were not: the frames would take more than"))
        << messages[0];
}

// GIF options write gloamer-cli's bytes; a changed choice is a change of the work and lasts into the next window.
TEST_F(SaveTest, GifOptionsGiveTheBytesOfTheSameCliOptions)
{
    wxImage photo(48, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            photo.SetRGB(x, y, x * 5, y * 7, (x * y) % 256); // more than 256 colours
    const wxString first = m_documents.File("a.png"), second = m_documents.File("b.png");
    ASSERT_TRUE(photo.SaveFile(first, wxBITMAP_TYPE_PNG));
    photo.SetRGB(wxRect(10, 8, 6, 5), 250, 20, 20);
    ASSERT_TRUE(photo.SaveFile(second, wxBITMAP_TYPE_PNG));
    AddAndWait({first, second});
    m_frame->SetProjectPathChooser([this](wxWindow*, bool) { return m_documents.File("work.xml"); });
    m_savePath = m_documents.File("anim.gif");
    const struct { int quality; bool storeChanges; std::vector<wxString> cli; } rows[] = {
        {100, false, {}}, {100, true, {"--optimize"}}, {40, true, {"--optimize", "--quality", "40"}},
        {40, false, {"--quality", "40"}},
    };
    for (const auto& row : rows)
    {
        DialogCounter dialogs(wxID_OK, [&](wxDialog* dialog) {
            auto* options = wxDynamicCast(dialog, GifOptionsDialog);
            ASSERT_NE(options, nullptr);
            options->GetQualitySlider()->SetValue(row.quality);
            options->GetStoreChangesBox()->SetValue(row.storeChanges);
        });
        Send(0, 3); // the project as it stands: only the new choice is unsaved
        Send(2, 2);
        ASSERT_EQ(dialogs.shown, 1);
        const bool changed = row.quality != 100 || row.storeChanges; // from the row before
        EXPECT_EQ(Save(), (Percents{50, 100})) << row.quality;
        EXPECT_EQ(Save(), Percents{});
        EXPECT_EQ(Messages([&] { m_frame->OpenProject(m_documents.File("work.xml")); }, wxID_CANCEL).size(),
                  changed ? 1u : 0u);
        std::vector<wxString> args = row.cli;
        args.insert(args.end(), {"-o", m_documents.File("cli.gif"), first, second});
        std::ostringstream out, err;
        ASSERT_EQ(RunCliEncoder(args, out, err), 0) << err.str();
        EXPECT_TRUE(testsupport::ReadBytes(m_documents.File("cli.gif")) == testsupport::ReadBytes(m_savePath))
            << row.quality << row.storeChanges;
    }
    Destroy();
    Create();
    DialogCounter look(wxID_CANCEL, [](wxDialog* dialog) {
        auto* options = wxDynamicCast(dialog, GifOptionsDialog);
        EXPECT_EQ(options->GetQualitySlider()->GetValue(), 40);
        EXPECT_FALSE(options->GetStoreChangesBox()->GetValue());
    });
    Send(2, 2);
    EXPECT_EQ(look.shown, 1);
}

// Save writes again only after a change or a gone file; a failed save names the path and is not recorded.
TEST_F(SaveTest, SaveRewritesOnlyWhatChangedOrWentMissingAndAFailureIsNotRecorded)
{
    AddAndWait({Picture("a.png", 40, 30)});
    m_savePath = m_documents.File("anim.gif");
    Save();
    ASSERT_EQ(m_asked, 1);
    m_frame->GetStatusBar()->SetStatusText("marker", 0);
    EXPECT_EQ(Save(), Percents{});
    EXPECT_EQ(Status(0), "marker");
    wxRemoveFile(m_documents.File("anim.gif"));
    EXPECT_EQ(Save(), Percents{100});
    Type("m_spinctrl_delay", 20);
    EXPECT_EQ(Save(), Percents{100});
    EXPECT_EQ(m_asked, 1);
    m_savePath.clear();
    SaveAs();
    m_savePath = m_documents.File("again.gif");
    Save();
    EXPECT_EQ(m_asked, 3);
    EXPECT_TRUE(wxFileExists(m_savePath));

    ASSERT_TRUE(wxMkdir(m_documents.File("folder.gif")));
    for (const wxString& target : {wxString("/proc/gloamer-cannot-write.gif"), m_documents.File("folder.gif")})
    {
        m_savePath = target;
        m_frame->GetStatusBar()->SetStatusText("before", 0);
        const std::vector<wxString> messages = Messages([&] { SaveAs(); }, wxID_OK);
        ASSERT_EQ(messages.size(), 1u) << target;
        EXPECT_TRUE(messages[0].Contains(target)) << messages[0];
        EXPECT_EQ(Status(0), "before");
        EXPECT_FALSE(wxFileExists(target));
        const int asked = m_asked;
        EXPECT_EQ(Messages([&] { Save(); }, wxID_OK).size(), 1u);
        EXPECT_EQ(m_asked, asked);
    }
    m_frame->SetWorkerStarter([](wxThread&) { return false; });
    m_savePath = m_documents.File("never.gif");
    EXPECT_EQ(Messages([&] { SaveAs(); }, wxID_OK).size(), 1u);
    EXPECT_FALSE(m_frame->IsSaving());
    EXPECT_TRUE(m_frame->IsEnabled());
}

// Loop Count shows the last choice (0 endless) and stops the preview; its box is wide enough for its buttons.
TEST_F(SaveTest, LoopCountDialogRemembersTheLastChoiceAndClosingFinishesASave)
{
    g_lastLoopCount = 0;
    EXPECT_TRUE(Messages([&] { Send(2, 1); }).empty());
    AddFrames(30);
    const struct { bool showsInfinite; int showsCount; bool chooseCount; int count, answer, loopCount; } steps[] = {
        {true, 1, true, 3, wxID_OK, 3},
        {false, 3, true, 0, wxID_OK, 0},
        {true, 1, true, 5, wxID_CANCEL, 0},
        {true, 1, false, 9, wxID_OK, 0},
    };
    for (const auto& step : steps)
    {
        DialogCounter dialogs(step.answer, [&](wxDialog* dialog) {
            auto* loop = wxDynamicCast(dialog, LoopCountDialog);
            ASSERT_NE(loop, nullptr);
            EXPECT_EQ(loop->GetInfiniteChoice()->GetValue(), step.showsInfinite);
            EXPECT_EQ(loop->GetCountControl()->IsEnabled(), !step.showsInfinite);
            EXPECT_EQ(loop->GetCountControl()->GetValue(), step.showsCount);
            const wxSize best = loop->GetCountControl()->GetBestSize(), size = loop->GetCountControl()->GetSize();
            EXPECT_TRUE(size.x >= best.x && size.y >= best.y);
            (step.chooseCount ? loop->GetCountChoice() : loop->GetInfiniteChoice())->SetValue(true);
            loop->GetCountControl()->SetValue(step.count);
        });
        m_frame->SetLoopCount(m_frame->GetLoopCount());
        Send(2, 0); // playing
        Send(2, 1);
        EXPECT_EQ(dialogs.shown, 1);
        EXPECT_EQ(m_frame->GetLoopCount(), step.loopCount);
        EXPECT_FALSE(m_frame->IsPlaying());
    }
    // Closing during a save waits for the whole file.
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
