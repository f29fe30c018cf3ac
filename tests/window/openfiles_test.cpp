// Files from outside the window: the command line, drops from the file
// manager, and frames moved to a new order; the minimum window size.

#include "windowtest.h"

#include "app/startarguments.h"
#include "window/framedroptarget.h"

#include <wx/filefn.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <tuple>

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
};
} // namespace

// Start arguments: files, "--", help and version, the first unknown option;
// the program itself answers an unknown option with one line and status 2.
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
    wxArrayString out, err;
    const wxString program = wxString(GLOAMER_STAGE_DIR) + "/bin/gloamer";
    EXPECT_EQ(wxExecute(program + " --bogus", out, err, wxEXEC_SYNC), 2);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err[0], "gloamer: unknown option '--bogus'");
    EXPECT_EQ(wxExecute(program + " --version", out, err, wxEXEC_SYNC), 0);
    EXPECT_EQ(out.back(), "Tavrinex Gloamer 3.0.19");
}

// Pictures from the command line or a drop load as Add Image does (relative
// paths made absolute, missing files named); a project replaces the list after
// the unsaved-work question, pictures beside it are named as left aside, and
// an unreadable one asked for by name says so and changes nothing.
TEST_F(OpenFilesTest, CommandLineAndDropsAddPicturesOrOpenOneProject)
{
    const wxString a = Picture("a.png", 40, 30), b = Picture("b.png", 40, 30), anim = Gif("anim.gif", 2);
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
    EXPECT_EQ(m_frame->GetFrameCount(), 2); // the work stays
}

// Alt+Right moves the selected frames (not past the end) and shows the moved
// focus frame; Save and Save Project write the new order, which counts as a change.
TEST_F(OpenFilesTest, MovedFramesAreSavedInTheirNewOrderAndCountAsAChange)
{
    // Different shapes, so that another order gives another file.
    Choose({Picture("a.png", 40, 30), Picture("b.png", 30, 30), Picture("c.png", 40, 30), Picture("d.png", 20, 40)});
    AddAndWait();
    const wxString gif = m_documents.File("out.gif");
    m_frame->SetSavePathChooser([&](wxWindow*, const wxString&, const wxString&) { return gif; });
    Send(0, 3); // Save Project
    SaveAndWait();
    const std::string before = testsupport::ReadBytes(gif);
    Select({0, 2});
    m_frame->GetThumbnailCtrl()->SetFocusItem(2);
    for (int i = 0; i < 2; ++i) // the second: at the end, nothing moves
    {
        wxKeyEvent key(wxEVT_CHAR);
        key.m_keyCode = WXK_RIGHT;
        key.SetAltDown(true);
        m_frame->GetThumbnailCtrl()->ProcessWindowEvent(key);
        EXPECT_EQ(Names(), (std::vector<wxString>{"b.png", "a.png", "d.png", "c.png"}));
    }
    EXPECT_TRUE(Status(1).StartsWith("c.png")) << Status(1);
    SaveAndWait();
    EXPECT_FALSE(testsupport::ReadBytes(gif) == before);
    EXPECT_EQ(Messages([&] { m_frame->Close(); }, wxID_CANCEL).size(), 1u);
    Send(0, 3);
    const std::string saved = testsupport::ReadBytes(m_documents.File("demo.xml"));
    EXPECT_LT(saved.find("b.png"), saved.find("a.png"));
    EXPECT_LT(saved.find("d.png"), saved.find("c.png"));
}

// The window after a switch to each language, from the narrowest it can be
// in English: the spin row laid out anew (every control at its best size at
// least, none over the one before, all within the window), the typed size
// and the project's name in the title kept.
TEST_F(OpenFilesTest, ALanguageSwitchLaysOutTheSpinRowAndKeepsTheTypedSizeAndTheTitle)
{
    Choose({Picture("a.png", 400, 300)});
    AddAndWait();
    Type("m_spinctrl_width", 200);
    Send(0, 3); // Save Project: demo.xml
    m_frame->SetClientSize(m_frame->GetMinClientSize());
    wxSizer* row = XRCCTRL(*m_frame, "m_staticText_delay", wxStaticText)->GetContainingSizer();
    for (const int id : {46, 47, 89, 58, 80, 110, 112, 89})
    {
        LanguageMenu()->SendEvent(id);
        int x = 0; // where the control before ends
        for (const wxSizerItem* item : row->GetChildren())
        {
            if (const wxWindow* control = item->GetWindow()) // the spacer has none
            {
                EXPECT_GE(control->GetPosition().x, x) << id << " " << control->GetName();
                EXPECT_GE(control->GetSize().x, control->GetBestSize().x) << id << " " << control->GetName();
                x = control->GetRect().GetRight() + 1;
            }
        }
        EXPECT_LE(x, row->GetContainingWindow()->GetClientSize().x) << id;
        EXPECT_EQ(Spin("m_spinctrl_width")->GetValue() * 1000 + Spin("m_spinctrl_height")->GetValue(), 200150) << id;
        EXPECT_TRUE(Status(0).StartsWith("Untitled.gif (200 * 150)")) << id << Status(0);
        EXPECT_EQ(m_frame->GetTitle(), "demo - Tavrinex Gloamer") << id;
    }
}
