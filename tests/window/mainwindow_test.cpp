// The main window: menus, labels, command state, language switch, layout checks, closing.

#include "windowtest.h"

#include "app/productinfo.h"
#include "window/frameevents.h"
#include "window/windowids.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/hyperlink.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>

namespace
{
// The language submenu: id, label, and Help's title in that language (a misplaced catalog leaves English).
const std::tuple<int, const char*, const char*> kLanguages[] = {
    {46, "中文简体", "帮助"}, {47, "中文繁体", "說明"}, {89, "Deutsch", "Hilfe"}, {58, "English", "Help"},
    {80, "Français", "Aide"}, {110, "Italiano", "Aiuto"}, {112, "日本語", "ヘルプ"}};

// Every text in English and German: menu items by (menu, position; -1 the title), then controls by name.
struct Text { int menu, item; const char* name; const char* english; const char* german; };
const Text kTexts[] = {
    {0, -1, "", "File", "Datei"}, {0, 0, "", "Save", "Speichern"}, {0, 1, "", "Save As", "Speichern unter"},
    {0, 2, "", "Open Project", "Projekt öffnen"}, {0, 3, "", "Save Project\tCtrl+S", "Projekt speichern\tCtrl+S"},
    {0, 4, "", "Exit\tCtrl+Q", "Beenden\tCtrl+Q"}, {1, -1, "", "Frame", "Einzelbild"},
    {1, 0, "", "Add Image\tCtrl+Ins", "Bild hinzufügen\tCtrl+Ins"}, {1, 1, "", "Delete\tCtrl+Del", "Löschen\tCtrl+Del"},
    {1, 2, "", "Clear All", "Alle entfernen"}, {1, 4, "", "Undo\tCtrl+Z", "Rückgängig\tCtrl+Z"},
    {1, 5, "", "Redo\tCtrl+Shift+Z", "Wiederholen\tCtrl+Shift+Z"},
    {1, 7, "", "Select All\tCtrl+A", "Alle auswählen\tCtrl+A"},
    {1, 8, "", "Reverse", "Umkehren"}, {1, 9, "", "Yo-yo", "Jo-Jo"},
    {1, 10, "", "Remove Every Nth Frame...", "Jedes N-te Einzelbild entfernen..."},
    {1, 11, "", "Keep Every Nth Frame...", "Jedes N-te Einzelbild behalten..."},
    {1, 12, "", "Duplicate", "Duplizieren"}, {2, -1, "", "Animation", "Animation"},
    {2, 0, "", "Run animation\tCtrl+P", "Animation abspielen\tCtrl+P"}, {2, 1, "", "Loop Count", "Wiederholungen"},
    {2, 2, "", "GIF options", "GIF-Optionen"},
    {3, -1, "", "Help", "Hilfe"}, {3, 0, "", "Help", "Hilfe"}, {3, 1, "", "Language", "Sprache"},
    {3, 2, "", "Support", "Support"}, {3, 3, "", "Check for Update", "Nach Updates suchen"}, {3, 4, "", "About", "Über"},
    {-1, 0, "m_staticText_delay", "Delay :", "Verzögerung:"}, {-1, 0, "m_staticText_sec", "1/100sec ", "1/100 s "},
    {-1, 0, "m_staticText_gif", "GIF:", "GIF:"}, {-1, 0, "m_staticText_width", "Width:", "Breite:"},
    {-1, 0, "m_staticText_wpx", "px", "px"}, {-1, 0, "m_staticText_height", "Height:", "Höhe:"},
    {-1, 0, "m_staticText_hpx", "px", "px"}, {-2, 0, "m_tool_insert", "Add Image", "Bild hinzufügen"},
    {-2, 0, "m_tool_delete", "Delete", "Löschen"}, {-2, 0, "m_tool_play", "Run animation", "Animation abspielen"},
};

class MainWindowTest : public EditingTest
{
protected:
    void ExpectTexts(bool german) const
    {
        const size_t counts[] = {5, 13, 3, 5};
        ASSERT_EQ(m_frame->GetMenuBar()->GetMenuCount(), 4u);
        for (size_t m = 0; m < 4; ++m)
            EXPECT_EQ(Menu(m)->GetMenuItemCount(), counts[m]) << "menu " << m;
        for (const Text& t : kTexts)
        {
            const wxString shown = t.menu == -1   ? XRCCTRL(*m_frame, t.name, wxStaticText)->GetLabel()
                                   : t.menu == -2 ? m_frame->GetToolBar()->GetToolShortHelp(XRCID(t.name))
                                   : t.item < 0   ? m_frame->GetMenuBar()->GetMenuLabelText(t.menu)
                                                  : Item(t.menu, t.item)->GetItemLabel();
            EXPECT_EQ(shown, wxString::FromUTF8(german ? t.german : t.english)) << t.menu << " " << t.item << t.name;
        }
        for (const auto& [id, label, help] : kLanguages)
            EXPECT_EQ(LanguageMenu()->IsChecked(id), id == (german ? 89 : 58)) << id;
    }
    // Opens the About box and returns its texts: version, link, description, notice.
    std::vector<wxString> AboutTexts()
    {
        std::vector<wxString> texts;
        DialogCounter about(wxID_OK, [&](wxDialog* dialog) {
            for (const char* name : {"m_static_version_name", "m_static_description", "m_static_information"})
                texts.push_back(XRCCTRL(*dialog, name, wxStaticText)->GetLabel());
            texts.insert(texts.begin() + 1, XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl)->GetURL());
            m_aboutLinkShown = XRCCTRL(*dialog, "m_hyperlink", wxHyperlinkCtrl)->IsShown();
            m_aboutLogo = XRCCTRL(*dialog, "m_bitmap_logo", wxStaticBitmap)->GetBitmap().ConvertToImage();
        });
        Send(3, 4);
        EXPECT_EQ(about.shown, 1);
        texts.resize(4);
        return texts;
    }
    bool m_aboutLinkShown = false;
    wxImage m_aboutLogo;
};
} // namespace

TEST_F(MainWindowTest, EveryTextInEnglishAndEveryLanguage)
{
    EXPECT_TRUE(m_frame->GetIcons().GetIconByIndex(0).IsOk()); // application.ico from Themes
    ExpectTexts(false);
    ASSERT_EQ(LanguageMenu()->GetMenuItemCount(), std::size(kLanguages));
    for (size_t i = 0; i < std::size(kLanguages); ++i)
        EXPECT_EQ(LanguageMenu()->FindItemByPosition(i)->GetItemLabel(), wxString::FromUTF8(std::get<1>(kLanguages[i])));
    ExpectCommandsEnabled(false);

    wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
    wxWindow* top = XRCCTRL(*m_frame, "m_panel_top", wxWindow);
    ASSERT_EQ(strip->GetParent(), top);
    top->Layout();
    EXPECT_EQ(strip->GetSize(), top->GetClientSize());

    // The About box: the application's icon (once the play button's), version, no empty link.
    const std::vector<wxString> about = AboutTexts();
    EXPECT_EQ(about[0], "Tavrinex Gloamer 3.0.19");
    EXPECT_EQ(about[1], "");
    EXPECT_FALSE(m_aboutLinkShown);
    wxImage icon;
    ASSERT_TRUE(icon.LoadFile(GetThemesDir() + "/application.ico", wxBITMAP_TYPE_ICO, 2)); // 48 x 48
    icon = wxBitmap(icon).ConvertToImage(); // as a bitmap shows it
    ASSERT_EQ(m_aboutLogo.GetSize(), icon.GetSize());
    EXPECT_EQ(0, memcmp(m_aboutLogo.GetData(), icon.GetData(), 48 * 48 * 3));

    // Every language finds its catalog, relabels at once and persists.
    for (const auto& [id, label, help] : kLanguages)
    {
        LanguageMenu()->SendEvent(id);
        EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), std::to_string(id));
        EXPECT_EQ(m_frame->GetMenuBar()->GetMenuLabelText(3), wxString::FromUTF8(help)) << id;
        EXPECT_TRUE(LanguageMenu()->IsChecked(id)) << id;
    }
    // A frame put straight into the strip: no Undo step renames the Undo item.
    m_frame->GetThumbnailCtrl()->Append(new wxImageThumbnailItem(new wxImage(40, 30), 0, Picture("frame.png", 40, 30)), 10);
    m_frame->ShowFrame(0);
    LanguageMenu()->SendEvent(89);
    ExpectTexts(true);
    EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), wxString::FromUTF8("frame.png Breite:40px,Höhe:30 px"));
    // A dialog opened afterwards speaks the new language.
    const std::vector<wxString> german = AboutTexts();
    EXPECT_EQ(german[2], "Erstellt aus Standbildern ein animiertes GIF.");
    EXPECT_TRUE(german[3].StartsWith("Copyright ") && german[3].EndsWith(". Alle Rechte vorbehalten.")) << german[3];

    // Choosing the active language again rewrites the file and rebuilds the bar.
    WriteLanguageFile(1);
    m_frame->GetMenuBar()->SetMenuLabel(0, "stale");
    LanguageMenu()->Check(89, false);
    LanguageMenu()->SendEvent(89);
    EXPECT_EQ(testsupport::ReadBytes(GetLanguageFilePath()), "89");
    ExpectTexts(true);
    // The next window starts in the saved language; 0 is no menu language.
    Destroy();
    ASSERT_TRUE(Create());
    ExpectTexts(true);
    Destroy();
    testsupport::WriteBytes(GetLanguageFilePath(), "0");
    ASSERT_TRUE(Create());
    for (const auto& [id, label, help] : kLanguages)
        EXPECT_FALSE(LanguageMenu()->IsChecked(id)) << id;
    // A layout missing an object is refused, naming it.
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
    delete g_domainOption; // the About box opens even without settings
    g_domainOption = nullptr;
    EXPECT_EQ(AboutTexts()[0], "Tavrinex Gloamer 3.0.19");
}

// Each question's buttons speak the program's language, even without a system locale; commands survive the rebuild.
TEST_F(MainWindowTest, QuestionsAndCommandsWorkAfterEveryLanguageSwitch)
{
    AddFrames(2);
    testsupport::WriteBytes(m_documents.File("taken.xml"), "");
    wxString offered = m_documents.File("taken"); // Save Project lands on taken.xml once
    m_frame->SetProjectPathChooser([&](wxWindow*, bool) { return std::exchange(offered, wxString()); });
    const auto latest = [this] {
        wxCommandEvent done(EVT_UPDATE_CHECK_DONE); // the update check found this version
        done.SetString(GetVersionString());
        m_frame->ProcessWindowEvent(done);
    };
    const struct { int language; const char* question; std::function<void()> ask; const char* buttons; } cases[] = {
        {89, "delete", [&] { m_frame->GetThumbnailCtrl()->Select(0); Send(1, 1); }, "_Ja/_Nein"},
        {80, "unsaved work", [&] { m_frame->Close(); }, "_Oui/_Non/_Annuler"},
        {110, "replace", [&] { Send(0, 3); }, "_Sì/_No"},
        {46, "delete", [&] { Send(1, 1); }, "是(_Y)/否(_N)"},
        {47, "unsaved work", [&] { m_frame->Close(); }, "是(_Y)/否(_N)/取消(_C)"},
        {112, "latest version", latest, "OK(_O)"},
        {58, "unsaved work at session end", [&] { m_frame->Close(true); }, "_Yes/_No"},
    };
    for (const auto& c : cases)
    {
        LanguageMenu()->SendEvent(c.language);
        DialogCounter counter;
        c.ask();
        EXPECT_EQ(counter.buttons, wxString::FromUTF8(c.buttons)) << c.question;
    }
    EXPECT_EQ(m_frame->GetFrameCount(), 2); // every answer kept the frames and the window
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_frame));
    EXPECT_TRUE(m_opened.empty());

    Send(3, 0); // Help
    LanguageMenu()->SendEvent(89);
    ExpectCommandsEnabled(true); // the rebuilt bar keeps the group state

    // Each rebuilt item reaches its own command once; with no pages set Help opens the manual, Support nothing.
    Send(3, 0);
    Send(3, 2); // Support
    ASSERT_TRUE(wxFileExists(GetManualPath()));
    const wxString manual = wxFileName::FileNameToURL(wxFileName(GetManualPath()));
    EXPECT_EQ(m_opened, (std::vector<wxString>{manual, manual}));
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

    // Exit, like the window's close button: an empty strip asks nothing.
    EXPECT_TRUE(Messages([&] { Send(0, 4); }).empty());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_frame));
}
