// The main window built from the real layout in the staged Themes folder, the
// same way the program builds it.

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/paths.h"
#include "app/userdata.h"
#include "support/testsupport.h"
#include "window/gifframe.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnailctrl.h"
#include "window/windowids.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/modalhook.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include <vector>

namespace
{
// Answers every modal dialog with Cancel and counts them, so that a test can
// prove that no question was asked.
class DialogCounter : public wxModalDialogHook
{
public:
    explicit DialogCounter(int answer = wxID_CANCEL) : m_answer(answer) { Register(); }
    int shown = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++shown;
        return m_answer;
    }
    const int m_answer;
    void Exit(wxDialog*) override {}
};

class MainWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // Messages to stderr and assertions as test failures, never a
        // pop-up that would wait for a click.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                              const wxString& msg) { ADD_FAILURE_AT(file.c_str(), line) << cond << " " << msg; });
        wxXmlResource::Get()->InitAllHandlers();
        ASSERT_TRUE(wxXmlResource::Get()->LoadAllFiles(GetThemesDir()));
    }

    void SetUp() override
    {
        SetDocumentsDirOverride(m_documents.Path());
        SetWebPageOpener([this](const wxString& url) { m_opened.push_back(url); });
    }

    void TearDown() override
    {
        if (m_frame && !wxTheApp->IsScheduledForDestruction(m_frame))
            m_frame->Destroy();
        // Delete it now: its locale must go before the next test makes one.
        wxTheApp->ProcessIdle();
        m_frame = nullptr;
        delete g_domainOption;
        g_domainOption = nullptr;
        SetWebPageOpener(DesktopOpener());
        SetDocumentsDirOverride(wxString());
    }

    GifFrame* Create()
    {
        wxString problem;
        m_frame = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
        EXPECT_NE(m_frame, nullptr) << problem;
        return m_frame;
    }

    void SaveLanguage(const std::string& content) { testsupport::WriteBytes(GetLanguageFilePath(), content); }

    wxMenu* Menu(int index) const { return m_frame->GetMenuBar()->GetMenu(index); }
    wxMenuItem* Item(int menu, int index) const { return Menu(menu)->FindItemByPosition(index); }
    wxMenu* LanguageMenu() const { return Item(3, 1)->GetSubMenu(); }

    bool ToolEnabled(const char* name) const
    {
        return m_frame->GetToolBar()->GetToolEnabled(XRCID(name));
    }
    wxString LabelOf(const char* name) const { return XRCCTRL(*m_frame, name, wxStaticText)->GetLabel(); }

    // Puts `count` frames of one small picture into the window's strip.
    void AddFrames(int count)
    {
        const wxString path = m_documents.File("frame.png");
        wxImage picture(40, 30);
        picture.SetRGB(wxRect(0, 0, 40, 30), 200, 40, 40);
        ASSERT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(m_frame->GetThumbnailCtrl()->Append(new wxImageThumbnailItem(new wxImage(picture), 0, path), 10), i);
    }

    testsupport::TempDir m_documents;
    std::vector<wxString> m_opened;
    GifFrame* m_frame = nullptr;
};

const char* const kLanguageLabels[] = {"中文简体", "中文繁体", "Deutsch", "English", "Français", "Italiano", "日本語"};
const int kLanguageIds[] = {46, 47, 89, 58, 80, 110, 112};
} // namespace

TEST_F(MainWindowTest, MenuBarHasEveryItemWithItsAccelerator)
{
    ASSERT_TRUE(Create());
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    EXPECT_EQ(bar->GetMenuLabelText(1), "Frame");
    EXPECT_EQ(bar->GetMenuLabelText(2), "Animation");
    EXPECT_EQ(bar->GetMenuLabelText(3), "Help");

    const std::vector<std::vector<wxString>> expected = {
        {"Save", "Save As", "Open Project", "Save Project\tCtrl+S", "Exit\tCtrl+Q"},
        {"Add Image\tCtrl+Ins", "Delete\tCtrl+Del", "Clear All"},
        {"Run animation\tCtrl+P", "Loop Count"},
        {"Help", "Language", "Support", "Check for Update", "About"},
    };
    for (size_t m = 0; m < expected.size(); ++m)
    {
        ASSERT_EQ(Menu(m)->GetMenuItemCount(), expected[m].size()) << "menu " << m;
        for (size_t i = 0; i < expected[m].size(); ++i)
        {
            wxMenuItem* item = Item(m, i);
            EXPECT_EQ(item->GetItemLabel(), expected[m][i]) << "menu " << m << " item " << i;
            EXPECT_FALSE(item->IsSeparator());
            EXPECT_EQ(item->IsSubMenu(), m == 3 && i == 1);
        }
    }
    // The accelerators are real ones, not just label text.
    wxAcceleratorEntry* accel = Item(0, 4)->GetAccel();
    ASSERT_TRUE(accel);
    EXPECT_EQ(accel->GetFlags(), wxACCEL_CTRL);
    EXPECT_EQ(accel->GetKeyCode(), 'Q');
    delete accel;

    wxMenu* languages = LanguageMenu();
    ASSERT_EQ(languages->GetMenuItemCount(), 7u);
    for (int i = 0; i < 7; ++i)
    {
        wxMenuItem* item = languages->FindItemByPosition(i);
        EXPECT_EQ(item->GetId(), kLanguageIds[i]);
        EXPECT_EQ(item->GetItemLabel(), wxString::FromUTF8(kLanguageLabels[i]));
        EXPECT_TRUE(item->IsCheckable());
    }
}

TEST_F(MainWindowTest, FirstStartIsEnglishAndWritesTheLanguageFile)
{
    ASSERT_TRUE(Create());
    EXPECT_EQ(m_frame->GetLanguage(), 58);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "58");
    for (int id : kLanguageIds)
        EXPECT_EQ(LanguageMenu()->IsChecked(id), id == 58) << id;
}

TEST_F(MainWindowTest, SavedLanguageIsCheckedAndAnUnknownOneChecksNothing)
{
    for (int saved : {110, 0})
    {
        SaveLanguage(std::to_string(saved) + "\n");
        ASSERT_TRUE(Create());
        EXPECT_EQ(m_frame->GetLanguage(), saved);
        for (int id : kLanguageIds)
            EXPECT_EQ(LanguageMenu()->IsChecked(id), id == saved) << id;
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
        m_frame = nullptr;
    }
}

TEST_F(MainWindowTest, EditingCommandsStartDisabled)
{
    ASSERT_TRUE(Create());
    // File: Save, Save As, Open Project, Save Project, Exit.
    EXPECT_FALSE(Item(0, 0)->IsEnabled());
    EXPECT_FALSE(Item(0, 1)->IsEnabled());
    EXPECT_TRUE(Item(0, 2)->IsEnabled());
    EXPECT_FALSE(Item(0, 3)->IsEnabled());
    EXPECT_TRUE(Item(0, 4)->IsEnabled());
    // Frame: Add Image, Delete, Clear All.
    EXPECT_TRUE(Item(1, 0)->IsEnabled());
    EXPECT_FALSE(Item(1, 1)->IsEnabled());
    EXPECT_FALSE(Item(1, 2)->IsEnabled());
    // Animation: Run animation, Loop Count.
    EXPECT_FALSE(Item(2, 0)->IsEnabled());
    EXPECT_FALSE(Item(2, 1)->IsEnabled());
    // Help and languages.
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(Item(3, i)->IsEnabled()) << i;
    for (int id : kLanguageIds)
        EXPECT_TRUE(LanguageMenu()->IsEnabled(id)) << id;

    EXPECT_FALSE(ToolEnabled("m_tool_play"));
    EXPECT_FALSE(ToolEnabled("m_tool_delete"));
    EXPECT_TRUE(ToolEnabled("m_tool_insert"));
    EXPECT_FALSE(XRCCTRL(*m_frame, "m_spinctrl_delay", wxSpinCtrl)->IsEnabled());
    EXPECT_FALSE(XRCCTRL(*m_frame, "m_spinctrl_width", wxSpinCtrl)->IsEnabled());
    EXPECT_FALSE(XRCCTRL(*m_frame, "m_spinctrl_height", wxSpinCtrl)->IsEnabled());

    // The group switches together.
    m_frame->EnableFrameCommands(true);
    EXPECT_TRUE(Item(0, 0)->IsEnabled());
    EXPECT_TRUE(Item(0, 3)->IsEnabled());
    EXPECT_TRUE(Item(2, 1)->IsEnabled());
    EXPECT_TRUE(ToolEnabled("m_tool_play"));
    EXPECT_TRUE(XRCCTRL(*m_frame, "m_spinctrl_height", wxSpinCtrl)->IsEnabled());
}

TEST_F(MainWindowTest, TitleStatusFieldsAndSpinRowLabels)
{
    ASSERT_TRUE(Create());
    EXPECT_EQ(m_frame->GetTitle(), "Tavrinex Gloamer");
    ASSERT_EQ(m_frame->GetIcons().GetIconCount(), 1u); // application.ico from Themes
    EXPECT_TRUE(m_frame->GetIcons().GetIconByIndex(0).IsOk());
    wxStatusBar* status = m_frame->GetStatusBar();
    ASSERT_TRUE(status);
    ASSERT_EQ(status->GetFieldsCount(), 3);
    EXPECT_EQ(status->GetStatusWidth(0), 200);
    EXPECT_EQ(status->GetStatusWidth(1), 400);
    EXPECT_EQ(status->GetStatusWidth(2), -1);

    EXPECT_EQ(LabelOf("m_staticText_delay"), "Delay :");
    EXPECT_EQ(LabelOf("m_staticText_sec"), "1/100sec ");
    EXPECT_EQ(LabelOf("m_staticText_gif"), "GIF:");
    EXPECT_EQ(LabelOf("m_staticText_width"), "Width:");
    EXPECT_EQ(LabelOf("m_staticText_wpx"), "px");
    EXPECT_EQ(LabelOf("m_staticText_height"), "Height:");
    EXPECT_EQ(LabelOf("m_staticText_hpx"), "px");
}

TEST_F(MainWindowTest, CloseWithEmptyStripDestroysWithoutAQuestion)
{
    ASSERT_TRUE(Create());
    DialogCounter dialogs;
    m_frame->Close();
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

TEST_F(MainWindowTest, ExitItemClosesLikeTheWindowButton)
{
    ASSERT_TRUE(Create());
    DialogCounter dialogs;
    Menu(0)->SendEvent(Item(0, 4)->GetId());
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

TEST_F(MainWindowTest, HelpAndSupportOpenTheirSettingsEntries)
{
    g_domainOption = new DomainOption(GetInstallRoot() + "/option.cfg");
    ASSERT_TRUE(g_domainOption->Load());
    ASSERT_TRUE(Create());
    Menu(3)->SendEvent(Item(3, 0)->GetId());
    Menu(3)->SendEvent(Item(3, 2)->GetId());
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[0], g_domainOption->GetHelpUrl());
    EXPECT_EQ(m_opened[1], g_domainOption->GetSupportUrl());
    EXPECT_NE(m_opened[0], m_opened[1]);
}

TEST_F(MainWindowTest, LanguageSwitchRebuildsTheMenuBarAndKeepsCommandsWorking)
{
    g_domainOption = new DomainOption(GetInstallRoot() + "/option.cfg");
    g_domainOption->Load();
    ASSERT_TRUE(Create());
    m_frame->SetTitle("project - Tavrinex Gloamer");
    LanguageMenu()->SendEvent(89);
    EXPECT_EQ(m_frame->GetLanguage(), 89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");
    EXPECT_TRUE(LanguageMenu()->IsChecked(89));
    EXPECT_FALSE(LanguageMenu()->IsChecked(58));
    EXPECT_EQ(m_frame->GetTitle(), "Tavrinex Gloamer");
    EXPECT_EQ(LabelOf("m_staticText_delay"), "Delay :"); // no German catalog yet
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), ""); // no frame shown yet
    // The rebuilt bar keeps the group state of the editing commands.
    EXPECT_FALSE(Item(0, 0)->IsEnabled());
    EXPECT_FALSE(Item(1, 1)->IsEnabled());

    // Choosing the same language again still rewrites the file.
    WriteLanguageFile(1);
    LanguageMenu()->SendEvent(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");

    // Each item of the rebuilt bar reaches its own command exactly once, even
    // though the new items may reuse ids of the old ones.
    LanguageMenu()->SendEvent(58);
    Menu(3)->SendEvent(Item(3, 0)->GetId());
    EXPECT_EQ(m_opened.size(), 1u);
    DialogCounter dialogs;
    Menu(0)->SendEvent(Item(0, 4)->GetId());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

namespace
{
// The real layout with one object renamed, loaded into its own resource.
std::unique_ptr<wxXmlResource> LayoutWithout(const testsupport::TempDir& dir, const std::string& name)
{
    std::string xrc = testsupport::ReadBytes(GetThemesDir() + "/mainframe.xrc");
    const std::string quoted = "name=\"" + name + "\"";
    const size_t at = xrc.find(quoted);
    if (at == std::string::npos)
        return nullptr;
    xrc.replace(at, quoted.size(), "name=\"renamed_" + name + "\"");
    testsupport::WriteBytes(dir.File("mainframe.xrc"), xrc);
    for (const char* image : {"play.png", "delete.png", "insert.png"})
        wxCopyFile(GetThemesDir() + "/" + image, dir.File(image));
    auto resource = std::make_unique<wxXmlResource>();
    resource->InitAllHandlers();
    if (!resource->Load(dir.File("mainframe.xrc")))
        return nullptr;
    return resource;
}
} // namespace

TEST_F(MainWindowTest, IncompleteLayoutIsRefusedWithTheMissingName)
{
    for (const char* name : {"m_spinctrl_height", "m_staticText_hpx", "m_statusBar1", "m_tool_insert", "m_panel_down"})
    {
        testsupport::TempDir dir;
        std::unique_ptr<wxXmlResource> resource = LayoutWithout(dir, name);
        ASSERT_TRUE(resource) << name;
        wxString problem;
        EXPECT_EQ(GifFrame::CreateFromLayout(*resource, &problem), nullptr) << name;
        EXPECT_TRUE(problem.Contains(name)) << problem;
        wxTheApp->ProcessIdle();
    }
    testsupport::TempDir dir;
    std::unique_ptr<wxXmlResource> resource = LayoutWithout(dir, "MyFrame1");
    ASSERT_TRUE(resource);
    wxString problem;
    EXPECT_EQ(GifFrame::CreateFromLayout(*resource, &problem), nullptr);
    EXPECT_TRUE(problem.Contains("MyFrame1")) << problem;
}

namespace
{
// Reads the About box's texts while it is shown, then closes it.
class AboutReader : public wxModalDialogHook
{
public:
    AboutReader() { Register(); }
    wxString versionName, information, link;
    int shown = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        ++shown;
        if (auto* text = XRCCTRL(*dialog, "m_static_version_name", wxStaticText))
            versionName = text->GetLabel();
        if (auto* text = XRCCTRL(*dialog, "m_static_information", wxStaticText))
            information = text->GetLabel();
        if (auto* hyperlink = XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl))
            link = hyperlink->GetURL();
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};
} // namespace

TEST_F(MainWindowTest, AboutBoxShowsNameVersionNoticeAndProductPage)
{
    g_domainOption = new DomainOption(GetInstallRoot() + "/option.cfg");
    g_domainOption->Load();
    ASSERT_TRUE(Create());
    AboutReader about;
    Menu(3)->SendEvent(Item(3, 4)->GetId());
    EXPECT_EQ(about.shown, 1);
    EXPECT_EQ(about.versionName, "Tavrinex Gloamer 3.0.19");
    EXPECT_TRUE(about.information.Contains(" Tavrinex.")) << about.information;
    EXPECT_EQ(about.link, g_domainOption->GetProductUrl());

    // Without a product address the box still opens.
    delete g_domainOption;
    g_domainOption = nullptr;
    Menu(3)->SendEvent(Item(3, 4)->GetId());
    EXPECT_EQ(about.shown, 2);
    EXPECT_EQ(about.versionName, "Tavrinex Gloamer 3.0.19");
    EXPECT_EQ(about.link, "");
}

TEST_F(MainWindowTest, StripFillsTheTopPanel)
{
    ASSERT_TRUE(Create());
    wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
    ASSERT_NE(strip, nullptr);
    wxWindow* top = XRCCTRL(*m_frame, "m_panel_top", wxPanel);
    EXPECT_EQ(strip->GetParent(), top);
    EXPECT_EQ(strip->GetId(), ID_THUMBNAIL_CTRL);
    EXPECT_EQ(strip->GetBackgroundColour(), wxColour(176, 223, 227));
    top->Layout();
    EXPECT_EQ(strip->GetSize(), top->GetClientSize());
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    AddFrames(3);
    EXPECT_EQ(m_frame->GetFrameCount(), 3);
}

TEST_F(MainWindowTest, CloseWithUnsavedFramesAsksAndCancelKeepsTheWindow)
{
    ASSERT_TRUE(Create());
    AddFrames(2);
    {
        DialogCounter cancel(wxID_CANCEL);
        m_frame->Close();
        EXPECT_EQ(cancel.shown, 1);
        EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
        EXPECT_EQ(m_frame->GetFrameCount(), 2);
    }
    DialogCounter no(wxID_NO);
    m_frame->Close();
    EXPECT_EQ(no.shown, 1);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}
