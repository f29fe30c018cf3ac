// Project files through the real window: Save Project and Open Project, the
// question about unsaved work, and what a damaged project leaves behind.

#include "windowtest.h"

#include "app/productinfo.h"
#include "cli/cliencoder.h"
#include "project/projectfile.h"
#include "project/workstate.h"
#include "recovery/abandonedcopy.h"
#include "window/clippartdialog.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <signal.h>

#include <deque>
#include <sstream>
#include <tuple>

namespace
{
class ProjectTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        SetChoosers();
    }
    // The project dialogs answer m_savePath and m_openPath; the GIF dialog
    // takes its answers from m_gifAnswers (then cancels) and notes the name
    // it was offered.
    void SetChoosers()
    {
        m_frame->SetFileChooser([this](wxWindow*, const wxString&) { return m_choice; });
        m_frame->SetProjectPathChooser([this](wxWindow*, bool save) {
            m_asked.push_back(save ? "save" : "open");
            return save ? m_savePath : m_openPath;
        });
        m_frame->SetSavePathChooser([this](wxWindow*, const wxString&, const wxString& name) {
            m_offered.push_back(name);
            const wxString answer = m_gifAnswers.empty() ? wxString() : m_gifAnswers.front();
            if (!m_gifAnswers.empty())
                m_gifAnswers.pop_front();
            return answer;
        });
    }
    // A new window in place of the old one, as after a restart.
    void Renew()
    {
        Destroy();
        ASSERT_TRUE(Create());
        SetChoosers();
        m_asked.clear();
        m_offered.clear();
        m_gifAnswers.clear();
    }
    // a.png, the three frames of anim.gif and b.png, loaded.
    void AddFiveFrames()
    {
        Choose({Picture("a.png", 40, 30), Gif("anim.gif", 3), Picture("b.png", 40, 30)});
        AddAndWait();
    }
    void SaveProject() { Send(0, 3); }
    // Open Project, then the event loop until its frames have loaded.
    void OpenProject(const wxString& path)
    {
        m_openPath = path;
        Send(0, 2);
        WaitForLoad();
    }
    // The texts of every <element> in the file.
    static std::vector<wxString> Texts(const wxString& file, const std::string& element)
    {
        const std::string bytes = testsupport::ReadBytes(file), open = "<" + element + ">";
        std::vector<wxString> texts;
        for (size_t at = bytes.find(open); at != std::string::npos; at = bytes.find(open, at + 1))
            texts.push_back(wxString::FromUTF8(bytes.substr(at + open.size(), bytes.find('<', at + 1) - at - open.size())));
        return texts;
    }
    wxString Title(const wxString& name) const { return name + " - " + GetProductDisplayName(); }

    wxString m_savePath, m_openPath;
    std::vector<wxString> m_asked, m_offered;
    std::deque<wxString> m_gifAnswers;
};
} // namespace

// A clip asks for its part; the part's frames come named by the clip and
// their times, the empty strip takes the part's pace, and a saved project
// opens into the same pictures.
TEST_F(ProjectTest, ClipPartBecomesFramesThatReopen)
{
    ASSERT_TRUE(testsupport::MakeClip(m_documents, "trip.mp4", testsupport::GreyRamp(64, 48, 10, 2), "-c:v libx264"));
    Choose({m_documents.File("trip.mp4")});
    wxString shown;
    DialogCounter ok(wxID_OK, [&](wxDialog* dialog) {
        auto* clip = dynamic_cast<ClipPartDialog*>(dialog);
        ASSERT_NE(clip, nullptr);
        shown = clip->GetFramesText()->GetLabel();
        clip->GetStartControl()->SetValue("0.5");
        clip->GetEndControl()->SetValue("0:01.5");
        clip->GetRateControl()->SetValue(5);
        clip->GetStartControl()->SetValue("0:00.5"); // the rate is read again with the text
    });
    AddAndWait();
    EXPECT_EQ(ok.shown, 1);
    EXPECT_EQ(shown, "Frames: 20"); // the whole clip at its own rate, 10
    const std::vector<wxString> names{"trip.mp4#t=0.5", "trip.mp4#t=0.7", "trip.mp4#t=0.9", "trip.mp4#t=1.1", "trip.mp4#t=1.3"};
    const auto ramp = [this] {
        std::vector<int> frames;
        for (int i = 0; i < m_frame->GetFrameCount(); ++i)
            frames.push_back(testsupport::GreyRampFrame(
                static_cast<wxImageThumbnailItem*>(m_frame->GetThumbnailCtrl()->GetItem(i))->GetFullImage()));
        return frames;
    };
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(ramp(), (std::vector<int>{5, 7, 9, 11, 13}));
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 20);
    SendCommand(ID_UNDO_MENU); // the delay goes with the frames
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 10);
    SendCommand(ID_REDO_MENU);
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 20);
    EXPECT_EQ(Names(), names);
    m_savePath = m_documents.File("clip");
    SaveProject();
    Renew();
    EXPECT_TRUE(Messages([&] { OpenProject(m_documents.File("clip.xml")); }).empty());
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(ramp(), (std::vector<int>{5, 7, 9, 11, 13}));
}

// A saved project lists the frames with their GIF markers, opens into the same
// frames, size and delay without a question, and renders as the window saves.
TEST_F(ProjectTest, SavedProjectOpensIntoTheSameFramesAndRendersAsTheWindowSaves)
{
    AddFiveFrames();
    Type("m_spinctrl_delay", 7);
    Type("m_spinctrl_width", 20);
    m_savePath = m_documents.File("demo");
    SaveProject();
    const wxString demo = m_documents.File("demo.xml"), gif = m_documents.File("anim.gif");
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));
    EXPECT_EQ(Texts(demo, "path"), (std::vector<wxString>{m_documents.File("a.png"), gif + "_0", gif + "_1", gif + "_2",
                                                          gif, m_documents.File("b.png")}));
    // An empty strip writes nothing, even to the known path.
    Send(1, 2);
    const std::string saved = testsupport::ReadBytes(demo);
    SaveProject();
    EXPECT_EQ(testsupport::ReadBytes(demo), saved);
    EXPECT_EQ(m_asked, std::vector<wxString>{"save"});

    EXPECT_TRUE(Messages([&] { OpenProject(demo); }).empty());
    EXPECT_EQ(Names(), (std::vector<wxString>{"a.png", "anim.gif_0", "anim.gif_1", "anim.gif_2", "b.png"}));
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 7);
    EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), wxSize(20, 15));
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));
    const wxString window = m_documents.File("window.gif"), cli = m_documents.File("cli.gif");
    m_frame->SetSavePathChooser([&](wxWindow*, const wxString&, const wxString&) { return window; });
    SaveAndWait();
    std::ostringstream out, err;
    ASSERT_EQ(RunCliEncoder({"--project", demo, "-o", cli}, out, err), 0) << err.str();
    EXPECT_FALSE(testsupport::ReadBytes(window).empty());
    EXPECT_TRUE(testsupport::ReadBytes(window) == testsupport::ReadBytes(cli));
    // Opened and unchanged: closing has nothing to ask.
    EXPECT_TRUE(Messages([&] { m_frame->Close(); }).empty());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

// Opening or closing asks about unsaved work (a delay edit counts); Cancel,
// or a cancelled file dialog, keeps it; Yes saves first, and a save that is
// cancelled or fails keeps the window with its work.
TEST_F(ProjectTest, UnsavedWorkIsAskedAboutAndNeverLostToACancelledOrFailedSave)
{
    AddFiveFrames();
    SaveProject(); // cancelled: still unsaved, and a Yes at closing that cannot save keeps the window
    {
        DialogCounter yes(wxID_YES);
        m_frame->Close();
        EXPECT_EQ(yes.shown, 1);
        EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
    }
    EXPECT_EQ(m_asked, (std::vector<wxString>{"save", "save"}));
    EXPECT_EQ(m_frame->GetTitle(), GetProductDisplayName());
    m_savePath = m_documents.File("demo.xml");
    SaveProject();
    const wxString other = Project("other.xml", Images({m_documents.File("b.png")}), 4, "o.gif");
    const struct { const char* label; int answer; wxString chosen; bool opened; } steps[] = {
        {"Cancel at the question", wxID_CANCEL, other, false},
        {"No, then the file dialog cancelled", wxID_NO, wxString(), false},
        {"Yes: saved, then opened", wxID_YES, other, true},
    };
    Type("m_spinctrl_delay", 9);
    for (const auto& step : steps)
    {
        DialogCounter counter(step.answer);
        OpenProject(step.chosen);
        EXPECT_EQ(counter.shown, 1) << step.label;
        EXPECT_EQ(m_frame->GetFrameCount(), step.opened ? 1 : 5) << step.label;
        EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), step.opened ? 4 : 9) << step.label;
        EXPECT_EQ(m_frame->GetTitle(), Title(step.opened ? "other" : "demo")) << step.label;
    }
    EXPECT_EQ(Texts(m_savePath, "delay_time"), std::vector<wxString>{"9"});
    EXPECT_EQ(Status(0), "o.gif(40 * 30)px");
    // A directory in the way: the failure names the path; once it is free, Yes saves and closes.
    Type("m_spinctrl_delay", 3);
    ASSERT_TRUE(wxRemoveFile(other) && wxMkdir(other));
    const std::vector<wxString> messages = Messages([&] { m_frame->Close(); }, wxID_YES);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages.back().Contains(other)) << messages.back();
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
    ASSERT_TRUE(wxRmdir(other));
    EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_YES).size(), 1u);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
    EXPECT_EQ(Texts(other, "delay_time"), std::vector<wxString>{"3"});
}

// A damaged project loads the frames it can, skipping markers and naming
// gone files in one message, and fails only when nothing is usable; a wrong
// element stops reading but what came before it stays applied; a file that
// is no XML leaves the window as it was.
TEST_F(ProjectTest, DamagedProjectsLoadWhatTheyCanAndSayOnlyWhenNothingIsUsable)
{
    const wxString a = Picture("a.png", 40, 30), b = Picture("b.png", 40, 30), anim = Gif("anim.gif", 2);
    const std::string absurd = "<?xml version=\"1.0\"?><project><name/><gif><width>-5</width><height>99999999999"
                               "</height><delay_time>soon</delay_time></gif>" + Images({a}) + "</project>";
    const struct { const char* label; std::string images; std::vector<wxString> names; std::vector<wxString> says; } cases[] = {
        {"marker and a gone GIF skipped", Images({a, anim + "_0", anim, "/gone.gif_1", b}), {"a.png", "anim.gif_0", "b.png"},
         {"These files of the project are missing:\n\n/gone.gif_1\n\nSaving the project will leave them out."}},
        {"empty images", "<images/>", {}, {"Failed to load XML file!"}},
        {"every file gone", Images({"/gone.png", "/gone.gif_0"}), {},
         {"Failed to load XML file!\n\nThese files of the project are missing:\n\n/gone.png\n/gone.gif_0"}},
        {"not a path", "<images><path>" + std::string(a.utf8_str()) + "</path><picture/></images>", {}, {}},
        {"malformed", "<images>", {}, {}},
        {"absurd numbers", "", {"a.png"}, {}},
    };
    for (const auto& c : cases)
    {
        const wxString path = Project("p.xml", c.images);
        if (c.images.empty())
            testsupport::WriteBytes(path, absurd);
        const std::vector<wxString> messages = Messages([&] { OpenProject(path); });
        EXPECT_EQ(Names(), c.names) << c.label;
        EXPECT_EQ(messages, c.says) << c.label;
        EXPECT_EQ(m_frame->GetTitle(), Title("p")) << c.label;
    }
    // The frames still edit with their own ratio.
    Type("m_spinctrl_width", 20);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 15);

    testsupport::WriteBytes(m_documents.File("q.xml"),
                            "<project><name/><gif><width>64</width><height>48</height><delay>5</delay></gif></project>");
    Messages([&] { OpenProject(m_documents.File("q.xml")); });
    EXPECT_EQ(Status(0), "Unititle.gif(64 * 48)px");
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 64);
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
}

// Ways work used to be lost, each a scenario in a window of its own.
TEST_F(ProjectTest, NoWorkIsLostInSavingAndOpening)
{
    const auto bytesOf = [this](const char* name) { return testsupport::ReadBytes(m_documents.File(name)); };
    const struct { const char* fault; std::function<void()> run; } scenarios[] = {
        {"Save wrote over another project's GIF",
         [&] {
             Choose({Picture("a.png", 40, 30)});
             AddAndWait();
             m_gifAnswers = {m_documents.File("projA.gif")};
             SaveAndWait();
             const std::string gifA = bytesOf("projA.gif");
             Messages([&] { OpenProject(Project("b.xml", Images({Picture("b.png", 30, 40)}), 5, "b.gif")); });
             SaveAndWait(); // asks, offering the project's GIF name; cancelled
             EXPECT_EQ(m_offered, (std::vector<wxString>{"", "b.gif"}));
             Send(1, 2); // Clear All forgets the GIF too: Save asks, and the frames added go there
             m_gifAnswers = {m_documents.File("b.gif")};
             SaveAndWait();
             AddAndWait();
             SaveAndWait();
             EXPECT_EQ(m_offered.size(), 3u);
             EXPECT_TRUE(bytesOf("projA.gif") == gifA);
             EXPECT_TRUE(wxFileExists(m_documents.File("b.gif")));
         }},
        {"A replaced frame counted as unchanged",
         [&] {
             Choose({Picture("a.png", 40, 30), Picture("b.png", 40, 30)});
             AddAndWait();
             m_gifAnswers = {m_documents.File("g.gif")};
             m_savePath = m_documents.File("g.xml");
             SaveAndWait();
             Send(0, 3);
             const std::string before = bytesOf("g.gif");
             Select({1});
             Messages([&] { Send(1, 1); }, wxID_YES);
             wxImage blue(40, 30); // the same size: only the frame differs
             blue.SetRGB(wxRect(0, 0, 40, 30), 0, 0, 255);
             ASSERT_TRUE(blue.SaveFile(m_documents.File("c.png"), wxBITMAP_TYPE_PNG));
             Choose({m_documents.File("c.png")});
             AddAndWait();
             SaveAndWait();
             EXPECT_FALSE(bytesOf("g.gif") == before);
             EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_CANCEL).size(), 1u);
         }},
        {"The added extension replaced a file without asking",
         [&] {
             Choose({Picture("a.png", 40, 30)});
             AddAndWait();
             testsupport::WriteBytes(m_documents.File("victim.gif"), "keep");
             testsupport::WriteBytes(m_documents.File("proj.xml"), "keep");
             m_gifAnswers = {m_documents.File("victim")};
             EXPECT_EQ(Messages([&] { SaveAndWait(1); }), std::vector<wxString>{"\"" + m_documents.File("victim.gif") +
                                                                                 "\" already exists.\nDo you want to replace it?"});
             EXPECT_EQ(m_offered.size(), 2u); // No: the dialog again, then cancelled
             std::deque<wxString> projectAnswers = {m_documents.File("proj")};
             m_frame->SetProjectPathChooser([&](wxWindow*, bool) {
                 const wxString answer = projectAnswers.empty() ? wxString() : projectAnswers.front();
                 if (!projectAnswers.empty())
                     projectAnswers.pop_front();
                 return answer;
             });
             EXPECT_EQ(Messages([&] { Send(0, 3); }).size(), 1u);
             EXPECT_EQ(bytesOf("victim.gif") + bytesOf("proj.xml"), "keepkeep");
             m_gifAnswers = {m_documents.File("victim")};
             Messages([&] { SaveAndWait(1); }, wxID_YES);
             EXPECT_NE(bytesOf("victim.gif"), "keep");
         }},
        {"A file that is not a project became the project",
         [&] {
             Choose({Picture("a.png", 40, 30)});
             AddAndWait();
             testsupport::WriteBytes(m_documents.File("notes.xml"), "<notes>mine</notes>");
             EXPECT_EQ(Messages([&] { OpenProject(m_documents.File("notes.xml")); }).size(), 1u); // unsaved work: No
             EXPECT_EQ(m_frame->GetTitle(), GetProductDisplayName());
             EXPECT_EQ(Names(), std::vector<wxString>{"a.png"});
             Send(0, 3); // asks for a path; cancelled
             EXPECT_EQ(m_asked, (std::vector<wxString>{"open", "save"}));
             EXPECT_EQ(bytesOf("notes.xml"), "<notes>mine</notes>");
         }},
        {"A control character in a picture's name lost the project",
         [&] {
             Choose({Picture("ctl\x01x.png", 40, 30), Picture("b.png", 40, 30)});
             AddAndWait();
             m_savePath = m_documents.File("ctl.xml");
             Send(0, 3);
             Renew();
             EXPECT_TRUE(Messages([&] { OpenProject(m_documents.File("ctl.xml")); }).empty());
             EXPECT_EQ(Names(), (std::vector<wxString>{"ctl\x01x.png", "b.png"}));
         }},
        {"Return in the first Save dialog wrote \"*.gif\"",
         [&] {
             Choose({Picture("a.png", 40, 30)});
             AddAndWait();
             m_gifAnswers = {m_documents.File("*.gif"), m_documents.File("anim.gif")};
             SaveAndWait();
             EXPECT_EQ(m_offered, (std::vector<wxString>{"", ""}));
             EXPECT_FALSE(wxFileExists(m_documents.File("*.gif")));
             EXPECT_TRUE(wxFileExists(m_documents.File("anim.gif")));
         }},
        {"Frames whose files were gone vanished silently",
         [&] {
             const wxString a = Picture("a.png", 40, 30);
             const std::vector<wxString> messages =
                 Messages([&] { OpenProject(Project("p.xml", Images({a, "/gone/1.png", "/gone/2.png"}))); });
             ASSERT_EQ(messages.size(), 1u);
             EXPECT_TRUE(messages[0].Contains("/gone/1.png\n/gone/2.png")) << messages[0];
             EXPECT_EQ(Names(), std::vector<wxString>{"a.png"});
         }},
    };
    for (const auto& scenario : scenarios)
    {
        SCOPED_TRACE(scenario.fault);
        Renew();
        scenario.run();
    }
}

// Every window keeps a copy of its work in the recovery folder while it has
// frames, a copy of its own beside another window's; a start offers neither
// while both run. A window that must close with its work unsaved leaves its
// copy, which the next start offers (No discards it); a clean end removes it.
TEST_F(ProjectTest, EachWindowKeepsItsOwnRecoveryCopyUntilItEndsCleanly)
{
    Choose({Picture("a.png", 40, 30), Picture("b.png", 40, 30)});
    AddAndWait();
    Type("m_spinctrl_delay", 7);
    m_frame->UpdateRecoveryCopy();
    const wxString first = m_frame->GetRecoveryPath();
    ProjectContent kept;
    ASSERT_EQ(ReadProjectFile(first, kept), ProjectRead::Ok);
    EXPECT_EQ(std::make_tuple(kept.hasRecovery, kept.paths.size(), kept.delay), std::make_tuple(true, size_t(2), 7));

    wxString problem;
    GifFrame* second = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
    ASSERT_NE(second, nullptr) << problem;
    second->SetProjectPathChooser([](wxWindow*, bool) { return wxString(); });
    second->GetThumbnailCtrl()->Append(new wxImageThumbnailItem(new wxImage(40, 30), 0, Picture("c.png", 40, 30)), 10);
    second->UpdateRecoveryCopy();
    const wxString other = second->GetRecoveryPath();
    EXPECT_TRUE(wxFileExists(other) && other != first) << other;
    {
        DialogCounter none;
        GifFrame* third = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
        third->StartUp(wxArrayString());
        third->Destroy();
        EXPECT_EQ(none.shown, 0);
    }
    {
        DialogCounter yes(wxID_YES); // the session ends: save, but the save is cancelled
        wxCloseEvent close(wxEVT_CLOSE_WINDOW);
        close.SetCanVeto(false);
        second->ProcessWindowEvent(close);
    }
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(wxFileExists(other));
    EXPECT_EQ(Messages([&] { m_frame->StartUp(wxArrayString()); }, wxID_NO).size(), 1u);
    EXPECT_FALSE(wxFileExists(other));
    EXPECT_EQ(m_frame->GetFrameCount(), 2);
    Destroy();
    EXPECT_FALSE(wxFileExists(first));
}

// The program killed outright: its next start offers the work back, and Yes
// brings the same frames in the same order with the same delay, size and
// project, counted as unsaved; the old copy goes once the new one stands.
TEST_F(ProjectTest, AKilledRunsWorkComesBackAtTheNextStart)
{
    const wxString a = Picture("a.png", 40, 30), anim = Gif("anim.gif", 3), b = Picture("b.png", 40, 30);
    const wxString demo = m_documents.File("demo.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(demo, MakeProjectContent({{a, anim + "_0", anim + "_1", anim + "_2", b}, 7, 20, 15, {}}, ""),
                                 error));
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env["HOME"] = m_documents.Path(); // its documents folder
    env.env.erase("XDG_CONFIG_HOME");
    const long pid = wxExecute(wxString::Format("\"%s/bin/gloamer\" \"%s\"", GLOAMER_STAGE_DIR, demo), wxEXEC_ASYNC,
                               nullptr, &env);
    ASSERT_GT(pid, 0);
    const wxString folder = m_documents.Path() + "/Tavrinex files/Tavrinex Gloamer/Recovery";
    wxArrayString copies;
    PumpWhile([&] {
        copies.clear();
        if (wxDirExists(folder))
            wxDir::GetAllFiles(folder, &copies, "*.xml", wxDIR_FILES);
        return copies.size() != 1 || !wxString::FromUTF8(testsupport::ReadBytes(copies[0]).c_str()).Contains(b);
    });
    kill(pid, SIGKILL);
    ASSERT_EQ(copies.size(), 1u);
    PumpWhile([&] { return !AbandonedCopy::FindNewest(folder); }); // gone once its lock is free
    ASSERT_TRUE(wxRemoveFile(demo)); // what comes back comes from the copy

    EXPECT_EQ(Messages([&] { m_frame->StartUp(wxArrayString()); }, wxID_YES).size(), 1u);
    EXPECT_EQ(Names(), (std::vector<wxString>{"a.png", "anim.gif_0", "anim.gif_1", "anim.gif_2", "b.png"}));
    EXPECT_EQ(std::make_tuple(Spin("m_spinctrl_delay")->GetValue(), Spin("m_spinctrl_width")->GetValue(),
                              Spin("m_spinctrl_height")->GetValue()), std::make_tuple(7, 20, 15));
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));
    EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_CANCEL).size(), 1u);
    m_frame->UpdateRecoveryCopy();
    EXPECT_FALSE(wxFileExists(copies[0]));
    EXPECT_TRUE(wxFileExists(m_frame->GetRecoveryPath()));
}
