// Project files through the window: save, open, unsaved work, damage, recovery, command line, drops.

#include "windowtest.h"

#include "app/productinfo.h"
#include "app/startarguments.h"
#include "project/projectfile.h"
#include "project/workstate.h"
#include "recovery/abandonedcopy.h"
#include "window/clippartdialog.h"
#include "window/framedroptarget.h"

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/textctrl.h>

#include <signal.h>

#include <deque>
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
    // Project dialogs answer m_savePath/m_openPath; the GIF dialog m_gifAnswers, then cancels, noting names offered.
    void SetChoosers()
    {
        m_frame->SetProjectPathChooser([this](wxWindow*, bool save) {
            m_asked.push_back(save ? "save" : "open");
            return save ? m_savePath : m_openPath;
        });
        m_frame->SetSavePathChooser([this](wxWindow*, const wxString&, const wxString& name) {
            m_offered.push_back(name);
            return Next(m_gifAnswers);
        });
    }
    // The first of `answers`, taken; then an empty answer, as from Cancel.
    static wxString Next(std::deque<wxString>& answers)
    {
        if (answers.empty())
            return wxString();
        const wxString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SaveProject() { Send(0, 3); }
    // Open Project, then the event loop until its frames have loaded.
    void OpenProject(const wxString& path)
    {
        m_openPath = path;
        Send(0, 2);
        WaitForLoad();
    }
    static ProjectContent Read(const wxString& file)
    {
        ProjectContent content;
        EXPECT_EQ(ReadProjectFile(file, content), ProjectRead::Ok) << file;
        return content;
    }
    wxString Title(const wxString& name) const { return name + " - " + GetProductDisplayName(); }

    wxString m_savePath, m_openPath;
    std::vector<wxString> m_asked, m_offered;
    std::deque<wxString> m_gifAnswers;
};
} // namespace

// A clip asks for its part, named by clip and time; the saved project reopens the same without a question.
TEST_F(ProjectTest, ClipPartAndPicturesSaveIntoAProjectThatReopens)
{
    ASSERT_TRUE(testsupport::MakeClip(m_documents, "trip.mp4", testsupport::GreyRamp(64, 48, 10, 2), "-c:v libx264"));
    Choose({Picture("a.png", 40, 30), Gif("anim.gif", 3), Picture("b.png", 40, 30), m_documents.File("trip.mp4")});
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
    const std::vector<wxString> names{"a.png",          "anim.gif_0",     "anim.gif_1",     "anim.gif_2",
                                      "b.png",          "trip.mp4#t=0.5", "trip.mp4#t=0.7", "trip.mp4#t=0.9",
                                      "trip.mp4#t=1.1", "trip.mp4#t=1.3"};
    const auto expectFrames = [&] { // the clip's pictures at those times
        ASSERT_EQ(Names(), names);
        for (int i = 5; i < 10; ++i)
            EXPECT_EQ(testsupport::GreyRampFrame(
                          static_cast<wxImageThumbnailItem*>(m_frame->GetThumbnailCtrl()->GetItem(i))->GetFullImage()),
                      2 * i - 5) << i;
    };
    expectFrames();
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 20);
    SendCommand(ID_UNDO_MENU);
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 10);
    SendCommand(ID_REDO_MENU);
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 20);
    Type("m_spinctrl_delay", 7);
    Type("m_spinctrl_width", 20);
    m_savePath = m_documents.File("demo");
    SaveProject();
    const wxString demo = m_documents.File("demo.xml");
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));
    std::vector<wxString> paths;
    for (const wxString& name : names)
        paths.push_back(m_documents.File(name));
    paths.insert(paths.begin() + 4, m_documents.File("anim.gif"));
    EXPECT_EQ(Read(demo).paths, paths);
    Send(1, 2);
    const std::string saved = testsupport::ReadBytes(demo);
    SaveProject();
    EXPECT_EQ(testsupport::ReadBytes(demo), saved);
    EXPECT_EQ(m_asked, std::vector<wxString>{"save"});

    EXPECT_TRUE(Messages([&] { OpenProject(demo); }).empty());
    expectFrames();
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 7);
    EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), wxSize(20, 15));
    // Opened and unchanged: closing has nothing to ask.
    EXPECT_TRUE(Messages([&] { m_frame->Close(); }).empty());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

// Unsaved work is asked about; Cancel or a cancelled dialog keeps it; a cancelled or failed save keeps the window.
TEST_F(ProjectTest, UnsavedWorkIsAskedAboutAndNeverLostToACancelledOrFailedSave)
{
    AddAndWait({Picture("a.png", 40, 30), Gif("anim.gif", 3), Picture("b.png", 40, 30)});
    SaveProject(); // cancelled: still unsaved, and a Yes at closing that cannot save keeps the window
    EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_YES).size(), 1u);
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
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
        EXPECT_EQ(Messages([&] { OpenProject(step.chosen); }, step.answer).size(), 1u) << step.label;
        EXPECT_EQ(m_frame->GetFrameCount(), step.opened ? 1 : 5) << step.label;
        EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), step.opened ? 4 : 9) << step.label;
        EXPECT_EQ(m_frame->GetTitle(), Title(step.opened ? "other" : "demo")) << step.label;
    }
    EXPECT_EQ(Read(m_savePath).delay, 9);
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
    EXPECT_EQ(Read(other).delay, 3);
}

// A damaged project loads what it can, naming gone files once, and fails only when nothing is usable.
TEST_F(ProjectTest, DamagedProjectsAndFilesFromOutsideTheWindow)
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
    // The saved size stands even one pixel high.
    wxString error;
    ASSERT_TRUE(WriteProjectFile(m_documents.File("thin.xml"), MakeProjectContent({{a}, 5, 40, 1, {}}, ""), error));
    Messages([&] { OpenProject(m_documents.File("thin.xml")); });
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 1);

    // The command line and drops load as Add Image does; a project replaces the list; a bad one changes nothing.
    Send(1, 2); // Clear All
    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(m_documents.Path());
    std::vector<wxString> messages = Messages([&] { m_frame->OpenFiles(Files({"a.png", anim, "gone.png"})); });
    wxSetWorkingDirectory(cwd);
    EXPECT_EQ(Names(), (std::vector<wxString>{"a.png", "anim.gif_0", "anim.gif_1"}));
    EXPECT_EQ(m_frame->GetThumbnailCtrl()->GetItem(0)->GetFilename(), a);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Contains("gone.png")) << messages[0];

    ASSERT_NE(m_frame->GetThumbnailCtrl()->GetDropTarget(), nullptr);
    auto* drop = static_cast<FrameDropTarget*>(m_frame->GetThumbnailCtrl()->GetDropTarget());
    EXPECT_TRUE(Messages([&] { EXPECT_TRUE(drop->OnDropFiles(5, 5, Files({b}))); }).empty());
    EXPECT_EQ(m_frame->GetFrameCount(), 4);

    const wxString project = Project("p.xml", Images({b, a}), 6);
    messages = Messages([&] { drop->OnDropFiles(5, 5, Files({project, a})); });
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].Contains(a)) << messages[0];
    EXPECT_TRUE(messages[1].StartsWith("The project is unsaved")) << messages[1];
    EXPECT_EQ(Names(), (std::vector<wxString>{"b.png", "a.png"}));
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 6);

    testsupport::WriteBytes(m_documents.File("bad.xml"), "<project><name>");
    messages = Messages([&] { m_frame->OpenFiles(Files({m_documents.File("bad.xml")})); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].StartsWith("Failed to load XML file!")) << messages[0];
    EXPECT_EQ(m_frame->GetFrameCount(), 2); // the work stays, and the project it belongs to
    EXPECT_EQ(m_frame->GetTitle(), Title("p"));
}

// Ways work used to be lost, each in a new window that starts with one frame, a.png.
TEST_F(ProjectTest, NoWorkIsLostInSavingAndOpening)
{
    const auto bytesOf = [this](const char* name) { return testsupport::ReadBytes(m_documents.File(name)); };
    const struct { const char* fault; std::function<void()> run; } scenarios[] = {
        {"Save wrote over another project's GIF",
         [&] {
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
             AddAndWait({Picture("b.png", 40, 30)});
             m_gifAnswers = {m_documents.File("g.gif")};
             m_savePath = m_documents.File("g.xml");
             SaveAndWait();
             Send(0, 3);
             const std::string before = bytesOf("g.gif");
             Select({1});
             Messages([&] { Send(1, 1); }, wxID_YES);
             // Black, of the same size: only the frame differs.
             ASSERT_TRUE(wxImage(40, 30).SaveFile(m_documents.File("c.png"), wxBITMAP_TYPE_PNG));
             AddAndWait({m_documents.File("c.png")});
             SaveAndWait();
             EXPECT_FALSE(bytesOf("g.gif") == before);
             EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_CANCEL).size(), 1u);
         }},
        {"The added extension replaced a file without asking",
         [&] {
             testsupport::WriteBytes(m_documents.File("victim.gif"), "keep");
             testsupport::WriteBytes(m_documents.File("proj.xml"), "keep");
             m_gifAnswers = {m_documents.File("victim")};
             EXPECT_EQ(Messages([&] { SaveAndWait(1); }), std::vector<wxString>{"\"" + m_documents.File("victim.gif") +
                                                                                 "\" already exists.\nDo you want to replace it?"});
             EXPECT_EQ(m_offered.size(), 2u); // No: the dialog again, then cancelled
             std::deque<wxString> projectAnswers = {m_documents.File("proj")};
             m_frame->SetProjectPathChooser([&](wxWindow*, bool) { return Next(projectAnswers); });
             EXPECT_EQ(Messages([&] { Send(0, 3); }).size(), 1u);
             EXPECT_EQ(bytesOf("victim.gif") + bytesOf("proj.xml"), "keepkeep");
             m_gifAnswers = {m_documents.File("victim")};
             Messages([&] { SaveAndWait(1); }, wxID_YES);
             EXPECT_NE(bytesOf("victim.gif"), "keep");
         }},
    };
    for (const auto& scenario : scenarios)
    {
        SCOPED_TRACE(scenario.fault);
        Destroy(); // a new window, as after a restart
        ASSERT_TRUE(Create());
        SetChoosers();
        m_offered.clear();
        m_gifAnswers.clear();
        AddAndWait({Picture("a.png", 40, 30)});
        scenario.run();
    }
}

// Each window keeps its own recovery copy; one closed unsaved leaves it for the next start; a clean end removes it.
TEST_F(ProjectTest, RecoveryCopiesOfEachWindowAndOfAKilledRun)
{
    AddAndWait({Picture("a.png", 40, 30), Picture("b.png", 40, 30)});
    Type("m_spinctrl_delay", 7);
    m_frame->UpdateRecoveryCopy();
    const wxString first = m_frame->GetRecoveryPath();
    const ProjectContent kept = Read(first);
    EXPECT_EQ(std::make_tuple(kept.hasRecovery, kept.paths.size(), kept.delay), std::make_tuple(true, size_t(2), 7));

    wxString problem;
    GifFrame* second = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
    ASSERT_NE(second, nullptr) << problem;
    second->SetProjectPathChooser([](wxWindow*, bool) { return wxString(); });
    second->GetThumbnailCtrl()->Append(new wxImageThumbnailItem(new wxImage(40, 30), 0, Picture("c.png", 40, 30)), 10);
    second->UpdateRecoveryCopy();
    const wxString other = second->GetRecoveryPath();
    EXPECT_TRUE(wxFileExists(other) && other != first) << other;
    GifFrame* third = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
    EXPECT_TRUE(Messages([&] { third->StartUp(wxArrayString()); }).empty());
    third->Destroy();
    // The session ends (no veto): Yes to saving, but the save is cancelled.
    EXPECT_EQ(Messages([&] { second->Close(true); }, wxID_YES).size(), 1u);
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(wxFileExists(other));
    EXPECT_EQ(Messages([&] { m_frame->StartUp(wxArrayString()); }, wxID_NO).size(), 1u);
    EXPECT_FALSE(wxFileExists(other));
    EXPECT_EQ(m_frame->GetFrameCount(), 2);
    Destroy();
    EXPECT_FALSE(wxDir(wxPathOnly(first)).HasFiles()) << "left in the recovery folder";

    // Killed outright: the next start offers the same work back, unsaved; the old copy goes once the new one stands.
    ASSERT_TRUE(Create());
    const wxString a = Picture("a.png", 40, 30), anim = Gif("anim.gif", 3), b = Picture("b.png", 40, 30);
    const wxString demo = m_documents.File("demo.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(demo, MakeProjectContent({{a, anim + "_0", anim + "_1", anim + "_2", b}, 7, 20, 15, {}}, ""),
                                 error));
    // Its documents folder is ours; env execs the program in its own process.
    const long pid = wxExecute(wxString::Format("env -u XDG_CONFIG_HOME \"HOME=%s\" \"%s/bin/gloamer\" \"%s\"",
                                                m_documents.Path(), GLOAMER_STAGE_DIR, demo), wxEXEC_ASYNC);
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

// Start arguments: files, "--", help and version, the first unknown option.
TEST(StartArguments, FilesOptionsAndWhatIsNotUnderstood)
{
    const struct { std::vector<wxString> args, files; bool help, version; wxString error; } cases[] = {
        {{"a.png", "demo.xml"}, {"a.png", "demo.xml"}, false, false, ""},
        {{"--", "-odd.png", "--help"}, {"-odd.png", "--help"}, false, false, ""},
        {{"-h"}, {}, true, false, ""},
        {{"--version", "a.png"}, {"a.png"}, false, true, ""},
        {{"--bogus", "-x", "a.png"}, {"a.png"}, false, false, "unknown option '--bogus'"},
        {{"-", ""}, {"-"}, false, false, ""},
    };
    for (const auto& c : cases)
    {
        const StartArguments parsed = ParseStartArguments(c.args);
        EXPECT_EQ(std::vector<wxString>(parsed.files.begin(), parsed.files.end()), c.files) << c.args[0];
        EXPECT_EQ(std::make_tuple(parsed.help, parsed.version, parsed.error), std::make_tuple(c.help, c.version, c.error))
            << c.args[0];
    }
}
