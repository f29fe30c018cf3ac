// Project files through the real window: Save Project and Open Project, the
// question about unsaved work, and what a damaged project leaves behind.

#include "windowtest.h"

#include "app/productinfo.h"
#include "cli/cliencoder.h"

#include <wx/filefn.h>
#include <wx/msgdlg.h>

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
    std::vector<wxString> Texts(const wxString& file, const wxString& element)
    {
        std::vector<wxString> texts;
        wxString rest = wxString::FromUTF8(testsupport::ReadBytes(file));
        const wxString open = "<" + element + ">", close = "</" + element + ">";
        while (rest.Contains(open))
        {
            rest = rest.AfterFirst('<').Prepend("<");
            if (!rest.StartsWith(open))
            {
                rest = rest.Mid(1);
                continue;
            }
            texts.push_back(rest.Mid(open.length()).BeforeFirst('<'));
            rest = rest.AfterFirst('>').AfterFirst('>');
        }
        return texts;
    }
    wxString Title(const wxString& name) const { return name + " - " + GetProductDisplayName(); }

    wxString m_savePath, m_openPath;
    std::vector<wxString> m_asked;
};

const char kHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
} // namespace

TEST_F(ProjectTest, SavedProjectOpensIntoTheSameFramesAndRendersAsTheWindowSaves)
{
    AddFiveFrames();
    Type("m_spinctrl_delay", 7);
    Type("m_spinctrl_width", 20);
    m_savePath = m_documents.File("demo");
    SaveProject();
    const wxString demo = m_documents.File("demo.xml");
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));
    const wxString gif = m_documents.File("anim.gif");
    EXPECT_EQ(Texts(demo, "path"), (std::vector<wxString>{m_documents.File("a.png"), gif + "_0", gif + "_1", gif + "_2",
                                                          gif, m_documents.File("b.png")}));

    // An empty strip writes nothing, even to the known path.
    Send(1, 2);
    const std::string saved = testsupport::ReadBytes(demo);
    SaveProject();
    EXPECT_EQ(testsupport::ReadBytes(demo), saved);
    EXPECT_EQ(m_asked, std::vector<wxString>{"save"});

    {
        DialogCounter none;
        OpenProject(demo);
        EXPECT_EQ(none.shown, 0);
    }
    EXPECT_EQ(Names(), (std::vector<wxString>{"a.png", "anim.gif_0", "anim.gif_1", "anim.gif_2", "b.png"}));
    EXPECT_EQ(Spin("m_spinctrl_delay")->GetValue(), 7);
    EXPECT_EQ(wxSize(Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue()), wxSize(20, 15));
    EXPECT_EQ(m_frame->GetTitle(), Title("demo"));

    const wxString window = m_documents.File("window.gif"), cli = m_documents.File("cli.gif");
    m_frame->SetSavePathChooser([&](wxWindow*, const wxString&) { return window; });
    Send(0, 0);
    while (m_frame->IsSaving())
        wxTheApp->ProcessPendingEvents();
    std::ostringstream out, err;
    ASSERT_EQ(RunCliEncoder({"--project", demo, "-o", cli}, out, err), 0) << err.str();
    EXPECT_FALSE(testsupport::ReadBytes(window).empty());
    EXPECT_TRUE(testsupport::ReadBytes(window) == testsupport::ReadBytes(cli));

    // Opened and unchanged: closing has nothing to ask.
    DialogCounter none;
    m_frame->Close();
    EXPECT_EQ(none.shown, 0);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

TEST_F(ProjectTest, UnsavedWorkIsAskedAboutAndNeverLostToACancelledOrFailedSave)
{
    std::vector<wxString> messages;
    const auto look = [&](wxDialog* dialog) { messages.push_back(static_cast<wxMessageDialog*>(dialog)->GetMessage()); };
    AddFiveFrames();
    // The first save is cancelled: the work still counts as unsaved, and a
    // Yes at closing that cannot save keeps the window.
    SaveProject();
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
    const wxString other = m_documents.File("other.xml");
    testsupport::WriteBytes(other, std::string(kHead) + "<project><name>o.gif</name><gif><width>40</width><height>30</height>"
                                   "<delay_time>4</delay_time></gif><images><path>" +
                                       std::string(m_documents.File("b.png").utf8_str()) + "</path></images></project>");

    const struct
    {
        const char* label;
        int answer;
        wxString chosen;
        bool opened;
    } steps[] = {
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

    // A directory in the way: the failure names the path, and the window
    // stays with its work; once the path is free, Yes saves and closes.
    Type("m_spinctrl_delay", 3);
    ASSERT_TRUE(wxRemoveFile(other) && wxMkdir(other));
    {
        DialogCounter yes(wxID_YES, look);
        m_frame->Close();
        ASSERT_EQ(yes.shown, 2);
        EXPECT_TRUE(messages.back().Contains(other)) << messages.back();
        EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
    }
    ASSERT_TRUE(wxRmdir(other));
    DialogCounter yes(wxID_YES);
    m_frame->Close();
    EXPECT_EQ(yes.shown, 1);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
    EXPECT_EQ(Texts(other, "delay_time"), std::vector<wxString>{"3"});
}

TEST_F(ProjectTest, DamagedProjectsLoadWhatTheyCanAndSayOnlyWhenNothingIsUsable)
{
    const std::string a = std::string(Picture("a.png", 40, 30).utf8_str()), b = std::string(Picture("b.png", 40, 30).utf8_str());
    const std::string anim = std::string(Gif("anim.gif", 2).utf8_str());
    const std::string gif = "<gif><width>40</width><height>30</height><delay_time>5</delay_time></gif>";
    const auto project = [&](const std::string& inner) { return "<project><name/>" + gif + inner + "</project>"; };
    const struct
    {
        const char* label;
        std::string body;
        std::vector<wxString> names;
        int failures;
    } cases[] = {
        {"marker and a gone GIF skipped",
         project("<images><path>" + a + "</path><path>" + anim + "_0</path><path>" + anim + "</path><path>/gone.gif_1</path><path>" +
                 b + "</path></images>"),
         {"a.png", "anim.gif_0", "b.png"}, 0},
        {"empty images", project("<images/>"), {}, 1},
        {"every file gone", project("<images><path>/gone.png</path><path>/gone.gif_0</path></images>"), {}, 1},
        {"not a path", project("<images><path>" + a + "</path><picture>" + b + "</picture></images>"), {}, 0},
        {"malformed", "<project><name>", {}, 0},
        {"comment first", "<!-- x -->" + project("<images><path>" + a + "</path></images>"), {}, 0},
        {"absurd numbers",
         "<project><name/><gif><width>-5</width><height>99999999999</height><delay_time>soon</delay_time></gif>"
         "<images><path>" + a + "</path></images></project>",
         {"a.png"}, 0},
    };
    for (const auto& c : cases)
    {
        const wxString path = m_documents.File("p.xml");
        testsupport::WriteBytes(path, kHead + c.body);
        int failures = 0;
        DialogCounter counter(wxID_NO, [&](wxDialog* dialog) {
            if (static_cast<wxMessageDialog*>(dialog)->GetMessage() == "Failed to load XML file!")
                ++failures;
        });
        OpenProject(path);
        EXPECT_EQ(Names(), c.names) << c.label;
        EXPECT_EQ(failures, c.failures) << c.label;
        EXPECT_EQ(counter.shown, c.failures) << c.label;
        EXPECT_EQ(m_frame->GetTitle(), Title("p")) << c.label;
    }
    // The frames still edit with their own ratio.
    Type("m_spinctrl_width", 20);
    EXPECT_EQ(Spin("m_spinctrl_height")->GetValue(), 15);

    // A wrong element stops reading; what came before it stays applied.
    testsupport::WriteBytes(m_documents.File("q.xml"),
                            std::string(kHead) + "<project><name/><gif><width>64</width><height>48</height><delay>5</delay></gif></project>");
    DialogCounter none(wxID_NO);
    OpenProject(m_documents.File("q.xml"));
    EXPECT_EQ(Status(0), "Unititle.gif(64 * 48)px");
    EXPECT_EQ(Spin("m_spinctrl_width")->GetValue(), 64);
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
}
