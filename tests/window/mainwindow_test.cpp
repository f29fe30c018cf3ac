// The main window itself: menus, labels, command state, language switch, the
// layout's checks and the close sequence.

#include "windowtest.h"

#include "window/windowids.h"

#include <wx/filefn.h>
#include <wx/hyperlink.h>
#include <wx/statusbr.h>

namespace
{
// The language submenu in its order: program id and label.
const std::pair<int, const char*> kLanguages[] = {{46, "中文简体"}, {47, "中文繁体"}, {89, "Deutsch"}, {58, "English"},
                                                  {80, "Français"}, {110, "Italiano"}, {112, "日本語"}};

class MainWindowTest : public WindowTest
{
};
} // namespace

TEST_F(MainWindowTest, MenuBarHasEveryItemWithItsAccelerator)
{
    ASSERT_TRUE(Create());
    const std::vector<std::pair<wxString, std::vector<wxString>>> expected = {
        {"File", {"Save", "Save As", "Open Project", "Save Project\tCtrl+S", "Exit\tCtrl+Q"}},
        {"Frame", {"Add Image\tCtrl+Ins", "Delete\tCtrl+Del", "Clear All"}},
        {"Animation", {"Run animation\tCtrl+P", "Loop Count"}},
        {"Help", {"Help", "Language", "Support", "Check for Update", "About"}},
    };
    ASSERT_EQ(m_frame->GetMenuBar()->GetMenuCount(), 4u);
    for (size_t m = 0; m < expected.size(); ++m)
    {
        EXPECT_EQ(m_frame->GetMenuBar()->GetMenuLabelText(m), expected[m].first);
        ASSERT_EQ(Menu(m)->GetMenuItemCount(), expected[m].second.size()) << "menu " << m;
        for (size_t i = 0; i < expected[m].second.size(); ++i)
            EXPECT_EQ(Item(m, i)->GetItemLabel(), expected[m].second[i]) << "menu " << m << " item " << i;
    }
    // The accelerators are real ones, not just label text.
    std::unique_ptr<wxAcceleratorEntry> accel(Item(0, 4)->GetAccel());
    ASSERT_TRUE(accel);
    EXPECT_EQ(accel->GetFlags(), wxACCEL_CTRL);
    EXPECT_EQ(accel->GetKeyCode(), 'Q');

    ASSERT_EQ(LanguageMenu()->GetMenuItemCount(), 7u);
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(LanguageMenu()->FindItemByPosition(i)->GetId(), kLanguages[i].first);
        EXPECT_EQ(LanguageMenu()->FindItemByPosition(i)->GetItemLabel(), wxString::FromUTF8(kLanguages[i].second));
    }
}

TEST_F(MainWindowTest, SavedLanguageIsCheckedAndAnUnknownOneChecksNothing)
{
    // No file (first start) is English; 0 is no menu language.
    for (const auto& [saved, id] : std::vector<std::pair<const char*, int>>{{nullptr, 58}, {"110\n", 110}, {"0", 0}})
    {
        if (saved)
            testsupport::WriteBytes(GetLanguageFilePath(), saved);
        ASSERT_TRUE(Create());
        for (const auto& language : kLanguages)
            EXPECT_EQ(LanguageMenu()->IsChecked(language.first), language.first == id) << language.first;
        Destroy();
    }
}

TEST_F(MainWindowTest, NewWindowTitleIconStatusFieldsLabelsAndCommandState)
{
    ASSERT_TRUE(Create());
    EXPECT_EQ(m_frame->GetTitle(), "Tavrinex Gloamer");
    EXPECT_TRUE(m_frame->GetIcons().GetIconByIndex(0).IsOk()); // application.ico from Themes
    wxStatusBar* status = m_frame->GetStatusBar();
    ASSERT_EQ(status->GetFieldsCount(), 3);
    const int widths[] = {200, 400, -1};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(status->GetStatusWidth(i), widths[i]) << i;
    const char* const labels[][2] = {{"m_staticText_delay", "Delay :"}, {"m_staticText_sec", "1/100sec "},
                                     {"m_staticText_gif", "GIF:"},      {"m_staticText_width", "Width:"},
                                     {"m_staticText_wpx", "px"},        {"m_staticText_height", "Height:"},
                                     {"m_staticText_hpx", "px"}};
    for (const auto& label : labels)
        EXPECT_EQ(LabelOf(label[0]), label[1]) << label[0];
    ExpectCommandsEnabled(false);
    m_frame->EnableFrameCommands(true); // the editing commands switch as a group
    ExpectCommandsEnabled(true);
}

TEST_F(MainWindowTest, CloseWithEmptyStripDestroysWithoutAQuestion)
{
    ASSERT_TRUE(Create());
    DialogCounter dialogs;
    m_frame->Close();
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

TEST_F(MainWindowTest, EveryLanguageFindsItsCatalog)
{
    // The Help menu's title in each language: a catalog in the wrong folder
    // would leave it English.
    const std::pair<int, const char*> help[] = {{46, "帮助"},  {47, "說明"}, {89, "Hilfe"}, {58, "Help"},
                                                {80, "Aide"}, {110, "Aiuto"}, {112, "ヘルプ"}};
    ASSERT_TRUE(Create());
    for (const auto& [id, title] : help)
    {
        LanguageMenu()->SendEvent(id);
        EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), std::to_string(id));
        EXPECT_EQ(m_frame->GetMenuBar()->GetMenuLabelText(3), wxString::FromUTF8(title)) << id;
        EXPECT_TRUE(LanguageMenu()->IsChecked(id)) << id;
    }
}

TEST_F(MainWindowTest, SwitchToGermanRelabelsTheWindowAtOnceAndPersists)
{
    ASSERT_TRUE(Create());
    AddFrames(1);
    m_frame->ShowFrame(0);
    m_frame->SetTitle("project - Tavrinex Gloamer");
    LanguageMenu()->SendEvent(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");

    const auto expectGerman = [this] {
        const std::vector<std::pair<const char*, std::vector<const char*>>> menus = {
            {"Datei", {"Speichern", "Speichern unter", "Projekt öffnen", "Projekt speichern\tCtrl+S", "Beenden\tCtrl+Q"}},
            {"Einzelbild", {"Bild hinzufügen\tCtrl+Ins", "Löschen\tCtrl+Del", "Alle entfernen"}},
            {"Animation", {"Animation abspielen\tCtrl+P", "Wiederholungen"}},
            {"Hilfe", {"Hilfe", "Sprache", "Support", "Nach Updates suchen", "Über"}},
        };
        for (size_t m = 0; m < menus.size(); ++m)
        {
            EXPECT_EQ(m_frame->GetMenuBar()->GetMenuLabelText(m), wxString::FromUTF8(menus[m].first));
            for (size_t i = 0; i < menus[m].second.size(); ++i)
                EXPECT_EQ(Item(m, i)->GetItemLabel(), wxString::FromUTF8(menus[m].second[i])) << "menu " << m << " item " << i;
        }
        const char* const labels[][2] = {{"m_staticText_delay", "Verzögerung:"}, {"m_staticText_sec", "1/100 s "},
                                         {"m_staticText_gif", "GIF:"},           {"m_staticText_width", "Breite:"},
                                         {"m_staticText_wpx", "px"},             {"m_staticText_height", "Höhe:"},
                                         {"m_staticText_hpx", "px"}};
        for (const auto& label : labels)
            EXPECT_EQ(LabelOf(label[0]), wxString::FromUTF8(label[1])) << label[0];
        const char* const tips[][2] = {
            {"m_tool_insert", "Bild hinzufügen"}, {"m_tool_delete", "Löschen"}, {"m_tool_play", "Animation abspielen"}};
        for (const auto& tip : tips)
            EXPECT_EQ(m_frame->GetToolBar()->GetToolShortHelp(XRCID(tip[0])), wxString::FromUTF8(tip[1])) << tip[0];
        EXPECT_TRUE(LanguageMenu()->IsChecked(89));
        EXPECT_FALSE(LanguageMenu()->IsChecked(58));
    };
    expectGerman();
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), wxString::FromUTF8("frame.png Breite:40px,Höhe:30 px"));
    EXPECT_EQ(m_frame->GetTitle(), "Tavrinex Gloamer");

    // A dialog opened afterwards speaks the new language.
    wxString description, notice;
    DialogCounter about(wxID_OK, [&](wxDialog* dialog) {
        description = XRCCTRL(*dialog, "m_static_description", wxStaticText)->GetLabel();
        notice = XRCCTRL(*dialog, "m_static_information", wxStaticText)->GetLabel();
    });
    Send(3, 4);
    EXPECT_EQ(description, "Erstellt aus Standbildern ein animiertes GIF.");
    EXPECT_TRUE(notice.StartsWith("Copyright ") && notice.EndsWith(". Alle Rechte vorbehalten.")) << notice;

    // Choosing the active language again rewrites the file and rebuilds the bar.
    WriteLanguageFile(1);
    m_frame->GetMenuBar()->SetMenuLabel(0, "stale");
    LanguageMenu()->Check(89, false);
    LanguageMenu()->SendEvent(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");
    expectGerman();

    // The next window starts in German.
    Destroy();
    ASSERT_TRUE(Create());
    expectGerman();
}

TEST_F(MainWindowTest, CommandsKeepWorkingAfterTheMenuBarIsRebuilt)
{
    ASSERT_TRUE(Create());
    Send(3, 0); // Help
    AddFrames(3);
    LanguageMenu()->SendEvent(89);
    ExpectCommandsEnabled(true); // the rebuilt bar keeps the group state

    // Each item of the rebuilt bar reaches its own command exactly once, even
    // though the new items may reuse ids of the old ones.
    Send(3, 0);
    Send(3, 2); // Support
    EXPECT_EQ(m_opened, (std::vector<wxString>{g_domainOption->GetHelpUrl(), g_domainOption->GetHelpUrl(),
                                              g_domainOption->GetSupportUrl()}));
    {
        DialogCounter yes(wxID_YES);
        m_frame->GetThumbnailCtrl()->Select(1);
        Send(1, 1); // Delete
        EXPECT_EQ(yes.shown, 1);
        EXPECT_EQ(m_frame->GetFrameCount(), 2);
    }
    // A switch while the preview runs keeps the stop look of its item.
    Send(2, 0);
    ASSERT_TRUE(m_frame->IsPlaying());
    LanguageMenu()->SendEvent(58);
    EXPECT_TRUE(m_frame->IsPlaying());
    EXPECT_EQ(Item(2, 0)->GetItemLabel(), "Stop animation\tCtrl+T");
    Send(2, 0);
    EXPECT_FALSE(m_frame->IsPlaying());
    Send(1, 2); // Clear All
    EXPECT_EQ(m_frame->GetFrameCount(), 0);
    ExpectCommandsEnabled(false);

    DialogCounter dialogs;
    Send(0, 4); // Exit, like the window's close button
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}

TEST_F(MainWindowTest, IncompleteLayoutIsRefusedWithTheMissingName)
{
    for (const std::string name :
         {"m_spinctrl_height", "m_staticText_hpx", "m_statusBar1", "m_tool_insert", "m_panel_down", "MyFrame1"})
    {
        // The real layout with one object renamed, loaded into its own resource.
        testsupport::TempDir dir;
        std::string xrc = testsupport::ReadBytes(GetThemesDir() + "/mainframe.xrc");
        const size_t at = xrc.find("name=\"" + name + "\"");
        ASSERT_NE(at, std::string::npos) << name;
        xrc.insert(at + 6, "renamed_");
        testsupport::WriteBytes(dir.File("mainframe.xrc"), xrc);
        for (const char* image : {"play.png", "delete.png", "insert.png"})
            wxCopyFile(GetThemesDir() + "/" + image, dir.File(image));
        wxXmlResource resource;
        resource.InitAllHandlers();
        ASSERT_TRUE(resource.Load(dir.File("mainframe.xrc")));
        wxString problem;
        EXPECT_EQ(GifFrame::CreateFromLayout(resource, &problem), nullptr) << name;
        EXPECT_TRUE(problem.Contains(name)) << problem;
        wxTheApp->ProcessIdle(); // the partly built window goes here
    }
}

TEST_F(MainWindowTest, AboutBoxShowsNameVersionAndProductPage)
{
    ASSERT_TRUE(Create());
    wxString version, link;
    DialogCounter about(wxID_OK, [&](wxDialog* dialog) {
        version = XRCCTRL(*dialog, "m_static_version_name", wxStaticText)->GetLabel();
        link = XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl)->GetURL();
    });
    Send(3, 4);
    EXPECT_EQ(version, "Tavrinex Gloamer 3.0.19");
    EXPECT_EQ(link, g_domainOption->GetProductUrl());

    // Without a product address the box still opens.
    delete g_domainOption;
    g_domainOption = nullptr;
    Send(3, 4);
    EXPECT_EQ(link, "");
}

TEST_F(MainWindowTest, StripFillsTheTopPanel)
{
    ASSERT_TRUE(Create());
    wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
    ASSERT_NE(strip, nullptr);
    wxWindow* top = XRCCTRL(*m_frame, "m_panel_top", wxWindow);
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
