// Files from outside the window: the command line, drops from the file
// manager, and frames moved to a new order; the minimum window size.

#include "windowtest.h"

#include "app/startarguments.h"
#include "window/framedroptarget.h"

#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

namespace
{
class OpenFilesTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        m_frame->SetProjectPathChooser([this](wxWindow*, bool) { return m_documents.File("demo.xml"); });
    }
    wxArrayString Files(std::initializer_list<wxString> paths)
    {
        wxArrayString files;
        for (const wxString& path : paths)
            files.Add(path);
        return files;
    }
    // A project of the given pictures, written as the program writes one.
    wxString Project(const wxString& name, const std::vector<wxString>& pictures)
    {
        std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project><name/><gif><width>40</width>"
                           "<height>30</height><delay_time>6</delay_time></gif><images>";
        for (const wxString& picture : pictures)
            body += "<path>" + std::string(picture.utf8_str()) + "</path>";
        testsupport::WriteBytes(m_documents.File(name), body + "</images></project>");
        return m_documents.File(name);
    }
    // Every message shown while `run` runs, answered with `answer`.
    std::vector<wxString> Messages(const std::function<void()>& run, int answer = wxID_NO)
    {
        std::vector<wxString> messages;
        DialogCounter counter(answer, [&](wxDialog* dialog) {
            auto* message = dynamic_cast<wxMessageDialog*>(dialog);
            messages.push_back(message ? message->GetMessage() : dialog->GetTitle());
        });
        run();
        WaitForLoad();
        return messages;
    }
    void AltKey(int keyCode)
    {
        wxKeyEvent key(wxEVT_CHAR);
        key.m_keyCode = keyCode;
        key.SetAltDown(true);
        m_frame->GetThumbnailCtrl()->ProcessWindowEvent(key);
    }
};
} // namespace

TEST(StartArguments, FilesOptionsAndWhatIsNotUnderstood)
{
    const struct
    {
        std::vector<wxString> args;
        std::vector<wxString> files;
        bool help, version;
        wxString error;
    } cases[] = {
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
        EXPECT_EQ(parsed.help, c.help) << c.args[0];
        EXPECT_EQ(parsed.version, c.version) << c.args[0];
        EXPECT_EQ(parsed.error, c.error) << c.args[0];
    }

    // The program itself: a clear line and status 2, never the toolkit's
    // usage text and 255.
    wxArrayString out, err;
    const wxString program = wxString(GLOAMER_STAGE_DIR) + "/bin/gloamer";
    EXPECT_EQ(wxExecute(program + " --bogus", out, err, wxEXEC_SYNC), 2);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err[0], "gloamer: unknown option '--bogus'");
    EXPECT_EQ(wxExecute(program + " --version", out, err, wxEXEC_SYNC), 0);
    EXPECT_EQ(out.back(), "Tavrinex Gloamer 3.0.19");
}

TEST_F(OpenFilesTest, CommandLineAndDropsAddPicturesOrOpenOneProject)
{
    const wxString a = Picture("a.png", 40, 30), b = Picture("b.png", 40, 30), anim = Gif("anim.gif", 2);
    // Pictures load as Add Image loads them, relative paths made absolute;
    // a missing file is named.
    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(m_documents.Path());
    std::vector<wxString> messages = Messages([&] { m_frame->OpenFiles(Files({"a.png", anim, "gone.png"})); });
    wxSetWorkingDirectory(cwd);
    EXPECT_EQ(Names(), (std::vector<wxString>{"a.png", "anim.gif_0", "anim.gif_1"}));
    EXPECT_EQ(m_frame->GetThumbnailCtrl()->GetItem(0)->GetFilename(), a);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Contains("gone.png")) << messages[0];

    // A drop on the strip or the preview panel adds the same way.
    ASSERT_NE(m_frame->GetThumbnailCtrl()->GetDropTarget(), nullptr);
    auto* drop = static_cast<FrameDropTarget*>(m_frame->GetThumbnailCtrl()->GetDropTarget());
    EXPECT_TRUE(Messages([&] { EXPECT_TRUE(drop->OnDropFiles(5, 5, Files({b}))); }).empty());
    EXPECT_EQ(m_frame->GetFrameCount(), 4);

    // A project, dropped with a picture: the unsaved work is asked about,
    // the picture is named as left aside, and the project replaces the list.
    const wxString project = Project("p.xml", {b, a});
    messages = Messages([&] { drop->OnDropFiles(5, 5, Files({project, a})); });
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].Contains(a)) << messages[0];
    EXPECT_TRUE(messages[1].StartsWith("The project is unsaved")) << messages[1];
    EXPECT_EQ(Names(), (std::vector<wxString>{"b.png", "a.png"}));
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 6);

    // A project that cannot be read says so when it was asked for by name.
    testsupport::WriteBytes(m_documents.File("bad.xml"), "<project><name>");
    messages = Messages([&] { m_frame->OpenFiles(Files({m_documents.File("bad.xml")})); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].StartsWith("Failed to load XML file!")) << messages[0];
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
}

TEST_F(OpenFilesTest, MovedFramesAreSavedInTheirNewOrderAndCountAsAChange)
{
    // Different shapes, so that another order gives another file.
    Choose({Picture("a.png", 40, 30), Picture("b.png", 30, 30), Picture("c.png", 40, 30), Picture("d.png", 20, 40)});
    AddAndWait();
    const wxString gif = m_documents.File("out.gif");
    m_frame->SetSavePathChooser([&](wxWindow*, const wxString&) { return gif; });
    Send(0, 3); // Save Project
    Send(0, 0); // Save
    while (m_frame->IsSaving())
        wxTheApp->ProcessPendingEvents();
    const std::string before = testsupport::ReadBytes(gif);

    // a and c one place right: b a d c; at the end nothing moves.
    Select({0, 2});
    m_frame->GetThumbnailCtrl()->SetFocusItem(2);
    AltKey(WXK_RIGHT);
    EXPECT_EQ(Names(), (std::vector<wxString>{"b.png", "a.png", "d.png", "c.png"}));
    AltKey(WXK_RIGHT);
    EXPECT_EQ(Names(), (std::vector<wxString>{"b.png", "a.png", "d.png", "c.png"}));
    EXPECT_TRUE(Status(1).StartsWith("c.png")) << "the moved focus frame is shown: " << Status(1);

    // Save writes the new order although the number of frames is the same.
    Send(0, 0);
    while (m_frame->IsSaving())
        wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(testsupport::ReadBytes(gif) == before);
    {
        DialogCounter cancel(wxID_CANCEL);
        m_frame->Close();
        EXPECT_EQ(cancel.shown, 1) << "the project's order changed";
    }
    Send(0, 3);
    const std::string saved = testsupport::ReadBytes(m_documents.File("demo.xml"));
    EXPECT_LT(saved.find("b.png"), saved.find("a.png"));
    EXPECT_LT(saved.find("d.png"), saved.find("c.png"));
}

TEST_F(OpenFilesTest, TheWindowKeepsRoomForTheSpinRowInEveryLanguage)
{
    wxSizer* row = XRCCTRL(*m_frame, "m_staticText_delay", wxStaticText)->GetContainingSizer();
    ASSERT_NE(row, nullptr);
    for (int i = 0; i < 7; ++i)
    {
        LanguageMenu()->SendEvent(LanguageMenu()->FindItemByPosition(i)->GetId());
        EXPECT_GE(m_frame->GetMinClientSize().x, row->CalcMin().x) << "language item " << i;
    }
    LanguageMenu()->SendEvent(LanguageMenu()->FindItemByPosition(3)->GetId()); // English again
}
