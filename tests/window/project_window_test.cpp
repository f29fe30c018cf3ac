// Project files through the real window: Save Project and Open Project, the
// question about unsaved work, and what a damaged project leaves behind.

#include "windowtest.h"

#include "app/productinfo.h"
#include "cli/cliencoder.h"

#include <wx/filefn.h>

#include <sstream>

namespace
{
class ProjectTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        m_frame->SetProjectPathChooser([this](wxWindow*, bool save) {
            m_asked.push_back(save ? "save" : "open");
            return save ? m_savePath : m_openPath;
        });
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
    std::vector<wxString> m_asked;
};
} // namespace

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
    m_frame->SetSavePathChooser([&](wxWindow*, const wxString&) { return window; });
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

// A damaged project loads the frames it can, skipping markers and gone
// files, and says so only when nothing is usable; a wrong element stops
// reading but what came before it stays applied.
TEST_F(ProjectTest, DamagedProjectsLoadWhatTheyCanAndSayOnlyWhenNothingIsUsable)
{
    const wxString a = Picture("a.png", 40, 30), b = Picture("b.png", 40, 30), anim = Gif("anim.gif", 2);
    const std::string absurd = "<?xml version=\"1.0\"?><project><name/><gif><width>-5</width><height>99999999999"
                               "</height><delay_time>soon</delay_time></gif>" + Images({a}) + "</project>";
    const struct { const char* label; std::string images; std::vector<wxString> names; size_t failures; } cases[] = {
        {"marker and a gone GIF skipped", Images({a, anim + "_0", anim, "/gone.gif_1", b}), {"a.png", "anim.gif_0", "b.png"}, 0},
        {"empty images", "<images/>", {}, 1},
        {"every file gone", Images({"/gone.png", "/gone.gif_0"}), {}, 1},
        {"not a path", "<images><path>" + std::string(a.utf8_str()) + "</path><picture/></images>", {}, 0},
        {"malformed", "<images>", {}, 0},
        {"absurd numbers", "", {"a.png"}, 0},
    };
    for (const auto& c : cases)
    {
        const wxString path = Project("p.xml", c.images);
        if (c.images.empty())
            testsupport::WriteBytes(path, absurd);
        const std::vector<wxString> messages = Messages([&] { OpenProject(path); });
        EXPECT_EQ(Names(), c.names) << c.label;
        EXPECT_EQ(messages, std::vector<wxString>(c.failures, "Failed to load XML file!")) << c.label;
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
