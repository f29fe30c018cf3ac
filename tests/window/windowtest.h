#pragma once
// The main window built from the real layout in the staged Themes folder, the
// same way the program builds it, with a private documents folder and no
// browser.

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/paths.h"
#include "app/userdata.h"
#include "support/testsupport.h"
#include "window/gifframe.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnailctrl.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include <functional>
#include <vector>

// Answers every modal dialog and counts them, so that a test can prove that
// no question was asked; `look` may read the dialog first.
struct DialogCounter : wxModalDialogHook
{
    explicit DialogCounter(int answer = wxID_CANCEL, std::function<void(wxDialog*)> look = {})
        : answer(answer), look(std::move(look)) { Register(); }
    int Enter(wxDialog* dialog) override
    {
        if (look)
            look(dialog);
        ++shown;
        return answer;
    }
    void Exit(wxDialog*) override {}
    const int answer;
    const std::function<void(wxDialog*)> look;
    int shown = 0;
};

class WindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // Messages to stderr and assertions as failures, never a pop-up.
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
        g_domainOption = new DomainOption(GetInstallRoot() + "/option.cfg");
        ASSERT_TRUE(g_domainOption->Load());
    }

    void TearDown() override
    {
        Destroy();
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
    // Deletes the window now: its locale must go before the next one is made.
    void Destroy()
    {
        if (m_frame && !wxTheApp->IsScheduledForDestruction(m_frame))
            m_frame->Destroy();
        wxTheApp->ProcessIdle();
        m_frame = nullptr;
    }

    wxMenu* Menu(int index) const { return m_frame->GetMenuBar()->GetMenu(index); }
    wxMenuItem* Item(int menu, int index) const { return Menu(menu)->FindItemByPosition(index); }
    wxMenu* LanguageMenu() const { return Item(3, 1)->GetSubMenu(); }
    void Send(int menu, int index) const { Menu(menu)->SendEvent(Item(menu, index)->GetId()); }
    wxString LabelOf(const char* name) const { return XRCCTRL(*m_frame, name, wxStaticText)->GetLabel(); }

    // The editing commands follow `frames`; the others are always enabled.
    void ExpectCommandsEnabled(bool frames) const
    {
        const std::vector<std::vector<bool>> always = {
            {false, false, true, false, true}, {true, false, false}, {false, false}, {true, true, true, true, true}};
        for (size_t m = 0; m < always.size(); ++m)
            for (size_t i = 0; i < always[m].size(); ++i)
                EXPECT_EQ(Item(m, i)->IsEnabled(), frames || always[m][i]) << "menu " << m << " item " << i;
        for (const auto& [tool, on] : {std::pair{"m_tool_play", frames}, {"m_tool_delete", frames}, {"m_tool_insert", true}})
            EXPECT_EQ(m_frame->GetToolBar()->GetToolEnabled(XRCID(tool)), on) << tool;
        for (const char* spin : {"m_spinctrl_delay", "m_spinctrl_width", "m_spinctrl_height"})
            EXPECT_EQ(XRCCTRL(*m_frame, spin, wxSpinCtrl)->IsEnabled(), frames) << spin;
    }

    // Puts `count` frames of one small picture into the window's strip.
    void AddFrames(int count)
    {
        const wxString path = m_documents.File("frame.png");
        wxImage picture(40, 30);
        ASSERT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(m_frame->GetThumbnailCtrl()->Append(new wxImageThumbnailItem(new wxImage(picture), 0, path), 10), i);
    }

    testsupport::TempDir m_documents;
    std::vector<wxString> m_opened;
    GifFrame* m_frame = nullptr;
};
