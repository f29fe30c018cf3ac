// Undo and redo in the real window, the frame operations, and the keyboard.

#include "windowtest.h"

#include "strip/thumbnailevent.h"
#include "window/everynthdialog.h"
#include "window/gifoptionsdialog.h"
#include "window/loopcountdialog.h"

#include <wx/cmdproc.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/splitter.h>

namespace
{
// A modal dialog answered after `set` has filled it in.
template <typename Dialog>
DialogCounter Answer(std::function<void(Dialog&)> set)
{
    return DialogCounter(wxID_OK, [set](wxDialog* dialog) {
        if (auto* wanted = dynamic_cast<Dialog*>(dialog))
            set(*wanted);
    });
}
} // namespace

// Four frames f0..f3 of 40x30, saved as a project.
class HistoryTest : public EditingTest
{
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        AddAndWait({Picture("f0.png", 40, 30), Picture("f1.png", 40, 30), Picture("f2.png", 40, 30),
                    Picture("f3.png", 40, 30)});
        m_frame->SetProjectPathChooser([this](wxWindow*, bool) { return m_documents.File("work.xml"); });
        Send(0, 3);
        m_frame->SetMenuShower([this](wxMenu& menu, const wxPoint& at) {
            m_menu.clear();
            for (const wxMenuItem* item : menu.GetMenuItems())
                if (!item->IsSeparator())
                    m_menu += (m_menu.empty() ? "" : "|") + item->GetItemLabelText();
            m_menu_at = at;
        });
    }
    // "f0 f2 | 10 | 40x30 | 0": frames, delay, size, loop count, changed GIF options ("q40+").
    wxString Work() const
    {
        wxString work;
        for (const wxString& name : Names())
            work += name.BeforeLast('.') + " ";
        return work + wxString::Format("| %d | %dx%d | %d", Spin("m_spinctrl_delay")->GetValue(),
                                       Spin("m_spinctrl_width")->GetValue(), Spin("m_spinctrl_height")->GetValue(),
                                       m_frame->GetLoopCount()) +
               (m_frame->GetGifChoices() == GifChoices() ? wxString()
                : wxString::Format(" q%d%s", m_frame->GetGifChoices().quality,
                                   m_frame->GetGifChoices().storeChanges ? "+" : ""));
    }
    // Remove or Keep Every Nth Frame with N = 2.
    void EverySecond(int id)
    {
        auto two = Answer<EveryNthDialog>([](EveryNthDialog& d) { d.GetNumberControl()->SetValue(2); });
        SendCommand(id);
    }
    wxMenuItem* HistoryItem(int id) const { return m_frame->GetMenuBar()->FindItem(id); }
    wxString Label(int id) const { return HistoryItem(id)->GetItemLabelText(); }

    wxString m_menu;
    wxPoint m_menu_at;
};

// Every edit is one named step; undoing back to the saved state counts as saved.
TEST_F(HistoryTest, EveryEditIsOneStepAndTheKeyboardReachesTheStrip)
{
    const wxString saved = Work();
    EXPECT_FALSE(m_frame->HasUnsavedWork());
    const struct
    {
        const char* step;
        std::function<void()> edit;
        const char* work;
    } script[] = {
        {"Delete 1 Frame", [&] { SelectOnly({1}); DialogCounter yes(wxID_YES); SendCommand(wxID_DELETE); },
         "f0 f2 f3 | 10 | 40x30 | 0"},
        {"Add 1 Frame", [&] { AddAndWait({Picture("g.png", 60, 20)}); }, "f0 f2 f3 g | 10 | 60x20 | 0"},
        {"Insert 1 Frame", [&] { SelectOnly({1}); InsertAndWait({Picture("h.png", 40, 30)}); },
         "f0 h f2 f3 g | 10 | 60x20 | 0"},
        {"Move 1 Frame", [&] { Key(WXK_RIGHT, wxMOD_ALT); }, "f0 h f3 f2 g | 10 | 60x20 | 0"}, // the strip moves it
        {"Reverse", [&] { SendCommand(ID_SELECT_ALL_MENU); SendCommand(ID_REVERSE_MENU); },
         "g f2 f3 h f0 | 10 | 40x30 | 0"},
        {"Yo-yo", [&] { SelectOnly({1, 3, 2}); SendCommand(ID_YOYO_MENU); }, "g f2 f3 h f3 f0 | 10 | 40x30 | 0"},
        {"Duplicate 1 Frame", [&] { SelectOnly({0}); SendCommand(ID_DUPLICATE_MENU); },
         "g g f2 f3 h f3 f0 | 10 | 40x30 | 0"},
        {"Remove Every Nth Frame", [&] { SelectOnly({}); EverySecond(ID_REMOVE_EVERY_NTH_MENU); },
         "g f2 h f0 | 10 | 40x30 | 0"},
        {"Keep Every Nth Frame", [&] { SelectOnly({1, 2, 3}); EverySecond(ID_KEEP_EVERY_NTH_MENU); },
         "g f2 f0 | 10 | 40x30 | 0"},
        {"Change Delay", [&] { Type("m_spinctrl_delay", 2); Type("m_spinctrl_delay", 25); },
         "g f2 f0 | 25 | 40x30 | 0"},
        {"Change Size", [&] { Type("m_spinctrl_width", 20); }, "g f2 f0 | 25 | 20x15 | 0"},
        {"Change Loop Count",
         [&] {
             auto three = Answer<LoopCountDialog>([](LoopCountDialog& d) {
                 d.GetCountChoice()->SetValue(true);
                 d.GetCountControl()->SetValue(3);
             });
             Send(2, 1);
         },
         "g f2 f0 | 25 | 20x15 | 3"},
        {"Change GIF Options",
         [&] {
             auto smaller = Answer<GifOptionsDialog>([](GifOptionsDialog& d) {
                 d.GetQualitySlider()->SetValue(40);
                 d.GetStoreChangesBox()->SetValue(true);
             });
             Send(2, 2);
         },
         "g f2 f0 | 25 | 20x15 | 3 q40+"},
        {"Clear All", [&] { Send(1, 2); }, "| 25 | 0x0 | 3 q40+"},
    };
    std::vector<wxString> works = {saved};
    for (const auto& edit : script)
    {
        edit.edit();
        EXPECT_EQ(Work(), edit.work) << edit.step;
        EXPECT_EQ(Label(ID_UNDO_MENU), wxString("Undo ") + edit.step);
        EXPECT_FALSE(HistoryItem(ID_REDO_MENU)->IsEnabled()) << edit.step;
        SendCommand(ID_UNDO_MENU);
        EXPECT_EQ(Work(), works.back()) << "undo " << edit.step;
        EXPECT_EQ(Label(ID_REDO_MENU), wxString("Redo ") + edit.step);
        EXPECT_EQ(m_frame->HasUnsavedWork(), works.size() > 1) << "undo " << edit.step;
        SendCommand(ID_REDO_MENU);
        EXPECT_EQ(Work(), edit.work) << "redo " << edit.step;
        works.push_back(Work());
    }
    // All the way back: the project as saved, with nothing to ask on closing.
    for (size_t i = works.size() - 1; i > 0; --i)
    {
        SendCommand(ID_UNDO_MENU);
        EXPECT_EQ(Work(), works[i - 1]);
    }
    EXPECT_FALSE(m_frame->HasUnsavedWork());
    EXPECT_EQ(Label(ID_UNDO_MENU), "Undo Add 4 Frames");
    SendCommand(ID_UNDO_MENU);
    EXPECT_EQ(Work(), "| 10 | 0x0 | 0");
    EXPECT_FALSE(HistoryItem(ID_UNDO_MENU)->IsEnabled());
    EXPECT_EQ(Label(ID_UNDO_MENU), "Undo");
    SendCommand(ID_REDO_MENU);
    // Ctrl+Y redoes as Ctrl+Shift+Z does.
    Key('Y', wxMOD_CONTROL, wxEVT_CHAR_HOOK);
    EXPECT_EQ(Work(), works[1]);

    // The menu moves frames too; no history while a load runs; a new one with a project opened.
    SelectOnly({0});
    SendCommand(ID_MOVE_RIGHT_MENU);
    EXPECT_EQ(Work(), "f2 f0 f3 | 10 | 40x30 | 0");
    Choose({Picture("g.png", 40, 30)});
    Send(1, 0);
    EXPECT_FALSE(HistoryItem(ID_UNDO_MENU)->IsEnabled());
    WaitForLoad();
    EXPECT_TRUE(HistoryItem(ID_UNDO_MENU)->IsEnabled());

    Messages([&] { m_frame->OpenProject(m_documents.File("work.xml")); });
    EXPECT_EQ(Work(), saved);
    EXPECT_EQ(m_frame->GetHistory()->GetCommands().GetCount(), 0u);
    EXPECT_FALSE(HistoryItem(ID_UNDO_MENU)->IsEnabled());

    // Tab, arrows, Shift+F10 at the focus frame, right-click outside the selection, left click, and the sash.
    m_frame->Show();
    wxThumbnailCtrl* strip = m_frame->GetThumbnailCtrl();
    EXPECT_TRUE(PumpWhile([&] { return wxWindow::FindFocus() != strip; })) << "the strip has the focus after loading";
    const std::vector<wxWindow*> ring = {Spin("m_spinctrl_delay"), Spin("m_spinctrl_width"),
                                         Spin("m_spinctrl_height"), strip};
    for (size_t i = 0; i < ring.size(); ++i)
    {
        Key(WXK_TAB, 0, wxEVT_CHAR_HOOK);
        EXPECT_TRUE(PumpWhile([&] { return wxWindow::FindFocus() != ring[i]; })) << "tab " << i;
    }
    Key(WXK_TAB, wxMOD_SHIFT, wxEVT_CHAR_HOOK);
    EXPECT_TRUE(PumpWhile([&] { return wxWindow::FindFocus() != ring[2]; })) << "shift+tab";
    strip->SetFocus();

    Key(WXK_RIGHT);
    Key(WXK_RIGHT);
    EXPECT_EQ(Status(1), "f1.png Width:40px,Height:30 px");
    Key(WXK_F10, wxMOD_SHIFT);
    EXPECT_EQ(m_menu, "Insert Image|Delete|Move Left|Move Right|Select All|Reverse|Yo-yo|Remove Every Nth Frame...|"
                      "Keep Every Nth Frame...|Duplicate");
    wxRect tile;
    strip->GetItemRect(1, tile);
    EXPECT_TRUE(tile.Contains(strip->ScreenToClient(m_frame->ClientToScreen(m_menu_at))));
    EXPECT_EQ(Messages([&] { Key(WXK_DELETE); }, wxID_YES).size(), 1u);
    EXPECT_EQ(Work(), "f0 f2 f3 | 10 | 40x30 | 0");

    // Right-click on f3 while f0 is selected, then Delete: f3 goes.
    SelectOnly({0});
    m_menu.clear();
    wxMouseEvent right(wxEVT_RIGHT_DOWN);
    strip->GetItemRect(2, tile);
    right.SetPosition(tile.GetPosition() + wxPoint(10, 10));
    strip->ProcessWindowEvent(right);
    EXPECT_FALSE(m_menu.empty());
    EXPECT_EQ(std::vector<int>(strip->GetSelections().begin(), strip->GetSelections().end()), std::vector<int>{2});
    SelectOnly({0, 2});
    strip->GetItemRect(0, tile);
    right.SetPosition(tile.GetPosition() + wxPoint(10, 10));
    strip->ProcessWindowEvent(right);
    EXPECT_EQ(strip->GetSelections().size(), 2u);

    wxMouseEvent left(wxEVT_LEFT_DOWN);
    strip->GetItemRect(1, tile);
    left.SetPosition(tile.GetPosition() + wxPoint(10, 10));
    strip->ProcessWindowEvent(left);
    EXPECT_EQ(Status(1).BeforeFirst(' '), "f2.png");
    SelectOnly({2, 0});
    wxSplitterEvent sash(wxEVT_SPLITTER_SASH_POS_CHANGED, XRCCTRL(*m_frame, "m_splitter3", wxSplitterWindow));
    m_frame->ProcessWindowEvent(sash);
    EXPECT_EQ(Status(1).BeforeFirst(' '), "f3.png");
}
