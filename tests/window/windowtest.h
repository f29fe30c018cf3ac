#pragma once
// The main window from the staged Themes layout, with a private documents folder and no browser.

#include "app/desktop.h"
#include "app/domainoption.h"
#include "app/paths.h"
#include "app/userdata.h"
#include "gifcodec.h"
#include "support/testsupport.h"
#include "window/gifframe.h"
#include "strip/imagethumbnailitem.h"
#include "strip/thumbnailctrl.h"
#include "window/windowids.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/stockitem.h>
#include <wx/thread.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <chrono>
#include <functional>
#include <vector>

// Answers every modal dialog and counts them; `look` may read the dialog first.
struct DialogCounter : wxModalDialogHook
{
    explicit DialogCounter(int answer = wxID_CANCEL, std::function<void(wxDialog*)> look = {})
        : answer(answer), look(std::move(look)) { Register(); }
    int Enter(wxDialog* dialog) override
    {
        // Every message box labels its buttons in the program's language, never a stock label.
        if (auto* message = dynamic_cast<wxMessageDialog*>(dialog))
        {
            const long style = message->GetMessageDialogStyle();
            buttons = style & wxYES ? message->GetYesLabel() + "/" + message->GetNoLabel() : message->GetOKLabel();
            if (style & wxCANCEL)
                buttons += "/" + message->GetCancelLabel();
            EXPECT_FALSE(buttons.Contains("gtk-")) << buttons << " " << message->GetMessage();
        }
        // Nor does any other dialog: GTK draws a stock id's button in the system's language.
        for (wxWindow* child : dialog->GetChildren())
            if (wxIsStockID(child->GetId()) && child->IsKindOf(wxCLASSINFO(wxButton)))
                ADD_FAILURE() << "stock button " << child->GetLabel() << " in " << dialog->GetTitle();
        if (look)
            look(dialog);
        ++shown;
        return answer;
    }
    void Exit(wxDialog*) override {}
    const int answer;
    const std::function<void(wxDialog*)> look;
    int shown = 0;
    wxString buttons; // of the last message box: "_Yes/_No/_Cancel"
};

// A window ready for editing, whose file dialogs answer with m_choice.
class EditingTest : public ::testing::Test
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
        ASSERT_TRUE(Create());
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
        if (m_frame)
            m_frame->SetFileChooser([this](wxWindow*, const wxString&) { return m_choice; });
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

    // The editing commands follow `frames`; Help's follow the settings; the others are always enabled.
    void ExpectCommandsEnabled(bool frames) const
    {
        // Support and Check for Update need their addresses.
        const bool support = !g_domainOption->GetSupportUrl().empty(), update = !g_domainOption->GetUpdateUrl().empty();
        const std::vector<std::vector<bool>> always = {
            {false, false, true, false, true}, {true, false, false}, {false, false, true}, {true, true, support, update, true}};
        for (size_t m = 0; m < always.size(); ++m)
            for (size_t i = 0; i < always[m].size(); ++i)
                EXPECT_EQ(Item(m, i)->IsEnabled(), (frames && m < 3) || always[m][i]) << "menu " << m << " item " << i;
        for (size_t i = 7; i < 13; ++i) // Select All ... Duplicate
            EXPECT_EQ(Item(1, i)->IsEnabled(), frames) << "frame operation " << i;
        for (const auto& [tool, on] : {std::pair{"m_tool_play", frames}, {"m_tool_delete", frames}, {"m_tool_insert", true}})
            EXPECT_EQ(m_frame->GetToolBar()->GetToolEnabled(XRCID(tool)), on) << tool;
        for (const char* spin : {"m_spinctrl_delay", "m_spinctrl_width", "m_spinctrl_height"})
            EXPECT_EQ(XRCCTRL(*m_frame, spin, wxSpinCtrl)->IsEnabled(), frames) << spin;
    }

    // Runs the event loop while `busy`, for at most `seconds`; false if still busy.
    static bool PumpWhile(const std::function<bool()>& busy, int seconds = 30)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (busy() && std::chrono::steady_clock::now() < deadline)
        {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(2);
        }
        wxTheApp->ProcessPendingEvents();
        return !busy();
    }

    wxString Picture(const wxString& name, int width, int height)
    {
        wxImage image(width, height);
        image.SetRGB(wxRect(0, 0, width, height), 200, 100, 50);
        EXPECT_TRUE(image.SaveFile(m_documents.File(name), wxBITMAP_TYPE_PNG));
        return m_documents.File(name);
    }
    // `frames` frames on an 8x6 screen, each after the first a 2x2 patch.
    wxString Gif(const wxString& name, int frames)
    {
        std::vector<giftest::Layer> layers = {{0, 0, 8, 6, 1, -1, std::vector<unsigned char>(48, 1)}};
        for (int f = 1; f < frames; ++f)
            layers.push_back({2 * f, 2, 2, 2, 1, -1, std::vector<unsigned char>(4, 2)});
        testsupport::WriteBytes(m_documents.File(name), giftest::MakeGif(8, 6, {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}}, layers));
        return m_documents.File(name);
    }
    // A project file as the program writes one, 40x30 at `delay`, with these <images>.
    wxString Project(const wxString& name, const std::string& images, int delay = 5, const std::string& gif = "")
    {
        testsupport::WriteBytes(m_documents.File(name), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project><name>" + gif +
                                                            "</name><gif><width>40</width><height>30</height><delay_time>" +
                                                            std::to_string(delay) + "</delay_time></gif>" + images + "</project>");
        return m_documents.File(name);
    }
    // <images> with a <path> for each of `paths`.
    static std::string Images(std::initializer_list<wxString> paths)
    {
        std::string images = "<images>";
        for (const wxString& path : paths)
            images += "<path>" + std::string(path.utf8_str()) + "</path>";
        return images + "</images>";
    }
    static wxArrayString Files(std::initializer_list<wxString> paths)
    {
        return wxArrayString(paths.size(), paths.begin());
    }
    void Choose(std::initializer_list<wxString> paths) { m_choice = Files(paths); }
    // `count` frames of one 40x30 picture, added as Add Image adds them.
    void AddFrames(int count)
    {
        m_choice.assign(count, Picture("frame.png", 40, 30));
        AddAndWait();
    }
    // Add Image, then the event loop until the run has ended.
    void AddAndWait()
    {
        Send(1, 0);
        EXPECT_TRUE(m_frame->IsLoading());
        WaitForLoad();
    }
    void AddAndWait(std::initializer_list<wxString> paths)
    {
        Choose(paths);
        AddAndWait();
    }
    void WaitForLoad() { ASSERT_TRUE(PumpWhile([this] { return m_frame->IsLoading(); })); }
    // Insert Image with `paths`, then the event loop until the run has ended.
    void InsertAndWait(std::initializer_list<wxString> paths)
    {
        Choose(paths);
        SendCommand(ID_INSERT_IMAGE_MENU);
        EXPECT_TRUE(m_frame->IsLoading());
        WaitForLoad();
    }
    // Runs File menu item `item` (Save 0, Save As 1) and waits for the save it started.
    void SaveAndWait(int item = 0)
    {
        Send(0, item);
        EXPECT_TRUE(PumpWhile([this] { return m_frame->IsSaving(); }));
    }
    void SendCommand(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        m_frame->ProcessWindowEvent(event);
    }
    // A value typed into a spin control, as the user's edit reports it.
    void Type(const char* spin, int value)
    {
        Spin(spin)->SetValue(value);
        wxCommandEvent event(wxEVT_TEXT, Spin(spin)->GetId());
        event.SetEventObject(Spin(spin));
        Spin(spin)->GetEventHandler()->ProcessEvent(event);
    }
    wxSpinCtrl* Spin(const char* name) const { return XRCCTRL(*m_frame, name, wxSpinCtrl); }
    wxString Status(int field) const { return m_frame->GetStatusBar()->GetStatusText(field); }
    void Tick()
    {
        wxTimer timer(m_frame, ID_PREVIEW_TIMER);
        wxTimerEvent event(timer);
        m_frame->ProcessWindowEvent(event);
    }
    std::vector<wxString> Names() const
    {
        std::vector<wxString> names;
        for (int i = 0; i < m_frame->GetFrameCount(); ++i)
            names.push_back(m_frame->GetThumbnailCtrl()->GetItem(i)->GetFilename().AfterLast('/'));
        return names;
    }
    void Select(std::initializer_list<int> order)
    {
        for (int index : order)
            m_frame->GetThumbnailCtrl()->Select(index);
    }
    void SelectOnly(std::initializer_list<int> order)
    {
        wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
        for (const int selected : std::vector<int>(strip->GetSelections().begin(), strip->GetSelections().end()))
            strip->Select(selected, false);
        Select(order);
    }
    // A key pressed in the strip, or for the window's hook.
    void Key(int code, int modifiers = 0, wxEventType type = wxEVT_CHAR)
    {
        wxKeyEvent key(type);
        key.m_keyCode = code;
        key.SetShiftDown(modifiers & wxMOD_SHIFT);
        key.SetControlDown(modifiers & wxMOD_CONTROL);
        key.SetAltDown(modifiers & wxMOD_ALT);
        wxWindow* target = type == wxEVT_CHAR_HOOK ? static_cast<wxWindow*>(m_frame) : m_frame->GetThumbnailCtrl();
        key.SetEventObject(target);
        target->ProcessWindowEvent(key);
    }
    // Every message (else dialog title) shown while `run` runs, answered with `answer`.
    std::vector<wxString> Messages(const std::function<void()>& run, int answer = wxID_NO)
    {
        std::vector<wxString> messages;
        DialogCounter counter(answer, [&](wxDialog* dialog) {
            auto* message = dynamic_cast<wxMessageDialog*>(dialog);
            messages.push_back(message ? message->GetMessage() : dialog->GetTitle());
        });
        run();
        WaitForLoad(); // a run reports what it left out when it ends
        return messages;
    }

    testsupport::TempDir m_documents;
    std::vector<wxString> m_opened;
    GifFrame* m_frame = nullptr;
    wxArrayString m_choice;
};
