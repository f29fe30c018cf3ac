// The strip in a frame's panel, as the main window holds it.
#include "support/testsupport.h"
#include "strip/imagethumbnailitem.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailevent.h"
#include "strip/thumbnailitem.h"
#include "strip/thumbnaillabel.h"
#include "window/windowids.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/region.h>
#include <wx/sizer.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

namespace
{
using Ints = std::vector<int>;
std::vector<wxString> g_asserts; // conditions of the assertions raised

// The strip with its repaints recorded.
class RecordingStrip : public wxThumbnailCtrl
{
public:
    using wxThumbnailCtrl::wxThumbnailCtrl;
    void Refresh(bool erase = true, const wxRect* rect = nullptr) override
    {
        rect ? refreshed.push_back(*rect) : void(++fullRefreshes);
        wxThumbnailCtrl::Refresh(erase, rect);
    }
    void Forget() { refreshed.clear(), fullRefreshes = 0; }
    std::vector<wxRect> refreshed;
    int fullRefreshes = 0;
};

int CountPixels(const wxImage& image, const wxRect& area, const std::function<bool(wxColour)>& match)
{
    int count = 0;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        for (int x = area.x; x <= area.GetRight(); ++x)
            count += match(wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)));
    return count;
}
// Dotted lines come out slightly translucent: the focus colour blended with the fill.
bool IsFocusColour(wxColour c)
{
    return std::abs(c.Red() - 100) <= 40 && std::abs(c.Green() - 80) <= 40 && std::abs(c.Blue() - 80) <= 40 &&
           c.Red() - c.Green() >= 8;
}

template <typename Pred> bool PumpUntil(Pred done)
{
    for (wxStopWatch watch; !done(); wxMilliSleep(5))
    {
        if (watch.Time() > 2000)
            return false;
        wxTheApp->Yield(true);
    }
    return true;
}

class Strip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_asserts.clear();
        m_prevHandler = wxSetAssertHandler([](const wxString&, int, const wxString&,
                                              const wxString& cond, const wxString&) {
            g_asserts.push_back(cond);
        });
        m_frame = new wxFrame(nullptr, wxID_ANY, "Thumbnail strip");
        auto* panel = new wxPanel(m_frame);
        m_strip = new RecordingStrip(panel);
        panel->SetSizer(new wxBoxSizer(wxVERTICAL));
        panel->GetSizer()->Add(m_strip, 1, wxEXPAND);
        const std::pair<wxEventType, const char*> types[] = {
            {wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED, "sel"}, {wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED, "desel"},
            {wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, "left"},   {wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK, "middle"},
            {wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK, "right"}, {wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK, "dclick"},
            {wxEVT_COMMAND_THUMBNAIL_RETURN, "return"},     {wxEVT_COMMAND_THUMBNAIL_ITEMS_MOVED, "moved"}};
        for (const auto& [type, name] : types)
            m_frame->Bind(wxEventTypeTag<wxThumbnailEvent>(type), [this, n = name](wxThumbnailEvent& e) {
                EXPECT_EQ(m_strip, e.GetEventObject()) << n;
                m_notices << (m_notices.empty() ? "" : " ") << n << e.GetIndex();
                if (e.GetFlags())
                    m_notices << "/" << e.GetFlags();
            }, ID_THUMBNAIL_CTRL);
    }
    void TearDown() override
    {
        for (const wxString& cond : g_asserts)
            ADD_FAILURE() << "unexpected assertion: " << cond;
        wxSetAssertHandler(m_prevHandler);
        m_frame->Destroy();
        PumpUntil([] { return wxTopLevelWindows.empty(); });
    }

    // Three tiles wide, two and a half rows high.
    void ShowGrid(int entries = 10)
    {
        const ThumbnailLayout layout = m_strip->GetLayout();
        const int w = layout.TileWidth() + layout.spacing, h = layout.TileHeight() + layout.spacing;
        m_frame->SetClientSize(3 * w + 40, 2 * h + h / 2);
        m_frame->Show();
        ASSERT_TRUE(PumpUntil([&] {
            const wxSize client = m_strip->GetClientSize();
            return layout.Columns(client.x) == 3 && layout.RowsPerPage(client.y) == 2;
        }));
        Fill(entries);
    }
    wxImageThumbnailItem* Entry(const wxString& name, int w = 40, int h = 30, int sub = 0)
    {
        testsupport::WriteBytes(m_dir.File(name), "x");
        return new wxImageThumbnailItem(new wxImage(w, h), sub, m_dir.File(name));
    }
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            m_strip->Append(Entry(wxString::Format("frame%03d.png", i)), 10);
    }
    // Notices since the last call, e.g. "desel1 sel4 left4" ("/flags" when set).
    wxString TakeNotices() { return std::exchange(m_notices, wxString()); }
    Ints Selection() const { return Ints(m_strip->GetSelections().begin(), m_strip->GetSelections().end()); }
    wxRect TileRect(int n) const
    {
        wxRect r;
        m_strip->GetItemRect(n, r, true);
        return r;
    }
    bool FullyVisible(int n) const { return TileRect(n).y >= 0 && TileRect(n).GetBottom() < m_strip->GetClientSize().y; }

    template <typename Event> bool Send(Event& event, const wxString& step)
    {
        event.SetShiftDown(step.Contains("shift+"));
        event.SetControlDown(step.Contains("ctrl+"));
        event.SetAltDown(step.Contains("alt+"));
        event.SetEventObject(m_strip);
        return m_strip->ProcessWindowEvent(event);
    }
    // Plays input such as "shift+down@3 blur up@blank alt+left": "@" a place is a
    // mouse event, other steps keys. True if every key was consumed.
    bool Play(const wxString& steps)
    {
        static const std::map<wxString, int> keys = {
            {"esc", WXK_ESCAPE}, {"left", WXK_LEFT},   {"right", WXK_RIGHT},       {"up", WXK_UP},
            {"down", WXK_DOWN},  {"home", WXK_HOME},   {"end", WXK_END},           {"pagedown", WXK_PAGEDOWN},
            {"a", 'a'},          {"return", WXK_RETURN}};
        static const std::map<wxString, wxEventType> buttons = {
            {"down", wxEVT_LEFT_DOWN},   {"up", wxEVT_LEFT_UP},         {"rdown", wxEVT_RIGHT_DOWN},
            {"mdown", wxEVT_MIDDLE_DOWN}, {"dclick", wxEVT_LEFT_DCLICK}, {"move", wxEVT_MOTION}, {"hover", wxEVT_MOTION}};
        const wxSize client = m_strip->GetClientSize();
        const wxRect last = TileRect(m_strip->GetCount() - 1);
        bool consumed = true;
        for (const wxString& step : wxSplit(steps, ' '))
        {
            const wxString what = step.BeforeFirst('@').AfterLast('+'), where = step.AfterFirst('@');
            if (what == "blur")
            {
                wxFocusEvent blur(wxEVT_KILL_FOCUS);
                m_strip->ProcessWindowEvent(blur);
                continue;
            }
            if (where.empty())
            {
                wxKeyEvent key(wxEVT_CHAR);
                key.m_keyCode = keys.at(what);
                consumed = Send(key, step) && consumed;
                continue;
            }
            long n = -1;
            wxMouseEvent mouse(buttons.at(what));
            mouse.SetPosition(where.ToLong(&n)      ? TileRect(n).GetPosition() + wxPoint(10, 10)
                              : where == "blank" ? wxPoint(client.x - 2, last.y + 10)
                              : where == "past"  ? last.GetTopRight() + wxPoint(10, 10)
                              : where == "below" ? wxPoint(10, client.y + 30)
                                                 : wxPoint(client.x + 30, 20));
            mouse.m_leftDown = what == "move";
            Send(mouse, step);
        }
        return consumed;
    }

    testsupport::TempDir m_dir;
    wxFrame* m_frame = nullptr;
    RecordingStrip* m_strip = nullptr;
    wxString m_notices;
    wxAssertHandler_t m_prevHandler = nullptr;
};
} // namespace

// Selection indices move with their entries; Append drops anchor and focus.
TEST_F(Strip, InsertAndDeleteKeepSelectionIndicesOnTheirEntries)
{
    Fill(6);
    for (int i : {0, 2, 3})
        m_strip->Select(i);
    EXPECT_EQ(0, m_strip->Insert(Entry("new.png"), 0));
    EXPECT_EQ(Ints({1, 3, 4}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    m_strip->SetFocusItem(4);
    m_strip->Delete(2);
    EXPECT_EQ(Ints({1, 2, 3}), Selection());
    EXPECT_EQ(4, m_strip->GetFocusItem()); // the focus index stays
    m_strip->Delete(4);
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    Fill(1);
    EXPECT_EQ(Ints({1, 2, 3}), Selection());
    EXPECT_EQ(-1, m_strip->GetFocusItem());
    m_strip->DoSelection(4, wxTHUMBNAIL_SHIFT_DOWN); // Shift with no anchor selects only the entry
    EXPECT_EQ(Ints({4}), Selection());
}

// Keys move and scroll to the focus entry; clicks report only on entries (mended: blank beside the grid).
TEST_F(Strip, KeysAndClicksSelectAndReport)
{
    ShowGrid();
    m_strip->ScrollIntoView(9, WXK_END);
    const struct { const char* steps; const char* notices; Ints selection; int inView = -1; } cases[] = {
        {"end", "sel0", {0}, 0},
        {"pagedown down", "desel0 sel6 desel6 sel9", {9}, 9},
        {"down@past rdown@past down@blank", "", {9}, 9},
        {"home", "desel9 sel0", {0}, 0},
        {"shift+right shift+right", "sel0 sel1 sel0 sel1 sel2", {0, 1, 2}},
        {"ctrl+down ctrl+up", "sel5 desel2", {0, 1, 5}},
        {"ctrl+return", "return-1/2", {0, 1, 5}}, // Enter reports no entry
        // A plain press on one of several selected entries may start a drag: its click waits for the release.
        {"down@5", "", {0, 1, 5}},
        {"up@5", "desel0 desel1 sel5 left5", {5}},
        {"shift+alt+down@7", "sel5 sel6 sel7 left7/5", {5, 6, 7}},
        // Other buttons report without changing the selection.
        {"ctrl+rdown@6 mdown@8 shift+dclick@3", "right6/2 middle8 dclick3/1", {5, 6, 7}},
        {"ctrl+down@6 ctrl+shift+down@1", "desel6 left6/2 sel1 left1/3", {5, 7, 1}},
        {"down@2 up@2", "desel5 desel7 desel1 sel2 left2", {2}},
        {"shift+down@5", "sel2 sel3 sel4 sel5 left5/1", {2, 3, 4, 5}},
    };
    for (const auto& c : cases)
    {
        m_strip->Forget();
        EXPECT_TRUE(Play(c.steps)) << c.steps;
        EXPECT_EQ(c.notices, TakeNotices().ToStdString()) << c.steps;
        EXPECT_EQ(c.selection, Selection()) << c.steps;
        EXPECT_TRUE(c.inView < 0 || FullyVisible(c.inView)) << c.steps;
    }
    EXPECT_FALSE(Play("a")); // other keys pass on
    // Select All selects every entry without notices, in one repaint.
    m_strip->Forget();
    wxCommandEvent command(wxEVT_MENU, wxID_SELECTALL);
    m_strip->ProcessWindowEvent(command);
    EXPECT_EQ(Ints({2, 3, 4, 5, 0, 1, 6, 7, 8, 9}), Selection());
    EXPECT_EQ("", TakeNotices());
    EXPECT_TRUE(m_strip->refreshed.empty());
}

// A press released elsewhere or a drag released outside the strip moves nothing (mended).
TEST_F(Strip, DragsAndAltArrowsMoveTheSelectionOnlyWhenReleasedInTheStrip)
{
    ShowGrid(6);
    m_strip->Select(1);
    m_strip->Select(3);
    TakeNotices();
    const struct { const char* steps; const char* names; const char* notices; int mark = -1; } cases[] = {
        {"down@3 down@blank move@0 up@0", "012345", ""}, {"down@3 blur up@3", "012345", ""},
        {"down@3 move@0", "012345", "", 0},
        {"move@below", "012345", ""}, /* no mark where a release cancels */ {"up@below", "012345", ""},
        {"down@3 move@0 up@right", "012345", ""},       {"down@3 move@0 up@0", "130245", "moved1"},
        {"down@0 move@5 esc up@5", "130245", ""},       {"down@0 move@1 up@1", "130245", ""},
        {"alt+right", "013245", "moved2"},
        // A move ends the press: its release is no click.
        {"down@2 alt+left up@2 alt+right", "013245", "moved1 moved2"},
        {"down@5 up@5 alt+right", "013245", "desel1 desel2 sel5 left5"}, {"alt+left", "013254", "moved4"},
    };
    for (const auto& c : cases)
    {
        Play(c.steps);
        wxString names; // the last digit of each entry's name, in strip order
        for (int i = 0; i < m_strip->GetCount(); ++i)
            names << m_strip->GetItem(i)->GetFilename().Right(5).Left(1);
        EXPECT_EQ(names, c.names) << c.steps;
        EXPECT_EQ(TakeNotices().ToStdString(), c.notices) << c.steps;
        EXPECT_EQ(m_strip->GetInsertionMark(), c.mark) << c.steps;
    }
    EXPECT_EQ(Ints({4}), Selection());
    Play("down@4"); // held, so that a dialog opening before the release takes it and ends the press
    EXPECT_TRUE(m_strip->HasCapture());
    Play("up@4 hover@4");
    EXPECT_EQ(m_strip->GetToolTipText(), m_strip->GetItem(4)->GetFilename());
    m_strip->Delete(0); // another entry is under the pointer now
    EXPECT_EQ(m_strip->GetToolTipText(), "");
}

// A strip lower than a tile scrolls once, not on every click (mended).
TEST_F(Strip, AShortStripScrollsOnceAndAResizeKeepsTheFocusEntryInView)
{
    ShowGrid();
    const wxSize grid = m_frame->GetClientSize();
    m_frame->SetClientSize(grid.x, 79);
    ASSERT_TRUE(PumpUntil([&] { return m_strip->GetClientSize().y <= 79; }));
    m_strip->ScrollIntoView(4, WXK_DOWN);
    Play("down@4 up@4");
    const int start = m_strip->GetViewStart().y;
    Play("down@4 up@4");
    EXPECT_EQ(m_strip->GetViewStart().y, start);
    m_frame->SetClientSize(grid);
    m_strip->ScrollIntoView(0, WXK_HOME);
    Play("down@4 up@4");
    ASSERT_TRUE(FullyVisible(4));
    m_frame->SetClientSize(m_strip->GetLayout().TileWidth() + 40, m_frame->GetClientSize().y); // entry 4 in row 5
    ASSERT_TRUE(PumpUntil([&] { return m_strip->GetLayout().Columns(m_strip->GetClientSize().x) == 1; }));
    EXPECT_TRUE(FullyVisible(4));
}

// Indices past either end assert and change nothing (mended: negative ones slipped past).
TEST_F(Strip, BadIndicesAssertAndLeaveTheStripUnchanged)
{
    Fill(5);
    m_strip->Select(1);
    m_strip->Select(3);
    m_strip->SetFocusItem(2);
    m_strip->Forget();
    const std::pair<const char*, std::function<bool(int)>> cases[] = {
        {"n < GetCount()", [&](int n) { return m_strip->GetItem(n) != nullptr; }},
        {"n < GetCount()", [&](int n) { return m_strip->Select(n, n > 0), false; }},
        {"item < GetCount()", [&](int n) { return m_strip->SetFocusItem(n), false; }},
        {"uiIndex < size()", [&](int n) { return m_strip->Delete(n), false; }},
    };
    for (const auto& [cond, call] : cases)
        for (const int n : {5, -1})
        {
            EXPECT_FALSE(call(n)) << cond << " " << n;
            EXPECT_EQ(std::vector<wxString>{cond}, std::exchange(g_asserts, {}));
            EXPECT_EQ(std::make_tuple(5, Ints({1, 3}), 2, 3), std::make_tuple(m_strip->GetCount(), Selection(),
                                                                             m_strip->GetFocusItem(), m_strip->GetFirstSelection()));
        }
    EXPECT_TRUE(m_strip->refreshed.empty());
}

// Thumbnails fit the box (too thin a picture gets none); a missing file is refused.
TEST_F(Strip, ThumbnailsFitTheBoxTheFullBitmapKeepsTheSizeAndGifFramesGainTheirIndex)
{
    const wxSize cases[][2] = {{{160, 120}, {80, 60}}, {{100, 300}, {26, 80}}, {{81, 80}, {80, 79}},
                               {{50, 40}, {50, 40}},   {{1000, 3}, {}}};
    for (const auto& [picture, thumbnail] : cases)
    {
        std::unique_ptr<wxImageThumbnailItem> entry(Entry("pic.png", picture.x, picture.y));
        ASSERT_TRUE(entry->Load(m_strip, false));
        const wxBitmap& bitmap = entry->GetBitmap();
        EXPECT_EQ(thumbnail, bitmap.IsOk() ? bitmap.GetSize() : wxSize()) << picture.x;
        EXPECT_EQ(picture, entry->GetFullBitmap().GetSize());
    }
    std::unique_ptr<wxImageThumbnailItem> gif(Entry("a.gif", 20, 20, 2));
    ASSERT_TRUE(gif->Load(m_strip, false)); // a GIF frame's name gains its index
    EXPECT_EQ(m_dir.File("a.gif_2"), gif->GetFilename());
    wxImageThumbnailItem missing(new wxImage(20, 20), 4, m_dir.File("gone.gif"));
    EXPECT_FALSE(missing.Load(m_strip, false));
    EXPECT_EQ(-1, m_strip->Append(&missing, 25)); // left with the caller
}

// The fill tells selection and focus apart; the frame label (blue) needs a name with an extension.
TEST_F(Strip, TilesShowSelectionFocusAndLabels)
{
    const wxSize size = m_strip->GetThumbnailOverallSize();
    const int text = m_strip->GetThumbnailTextHeight();
    const wxRect image((size.x - 80) / 2, 6 + text, 80, 80), fileLabel(3, 3, size.x - 6, text);
    const wxColour unselected = m_strip->GetUnselectedColour(), selected(175, 175, 175), focused(140, 140, 140);
    const struct { const char* name; int style; wxColour fill; bool ring, frameLabel; } cases[] = {
        {"frame.png", 0, unselected, false, true},
        {"frame.png", wxTHUMBNAIL_FOCUSED | wxTHUMBNAIL_IS_FOCUS, unselected, true, true},
        {"frame.png", wxTHUMBNAIL_SELECTED, selected, false, false},
        {"frame.png", wxTHUMBNAIL_SELECTED | wxTHUMBNAIL_FOCUSED, focused, false, false},
        {"frame01", 0, unselected, false, false},
    };
    for (const auto& c : cases)
    {
        wxBitmap target(size, 24);
        wxMemoryDC dc(target);
        wxThumbnailItem item(m_dir.File(c.name));
        EXPECT_TRUE(item.DrawBackground(dc, m_strip, wxRect(size), image, c.style, 3));
        dc.SelectObject(wxNullBitmap);
        const wxImage out = target.ConvertToImage();
        SCOPED_TRACE(wxString::Format("%s %d", c.name, c.style).ToStdString());
        EXPECT_EQ(1, CountPixels(out, wxRect(2, size.y / 2, 1, 1), [&](wxColour p) { return p == c.fill; }));
        EXPECT_EQ(c.ring, CountPixels(out, wxRect(size), IsFocusColour) > 0);
        EXPECT_EQ(c.frameLabel, CountPixels(out, wxRect(size), [](wxColour p) { return p.Blue() > p.Red() + 60; }) > 0);
        EXPECT_GT(CountPixels(out, fileLabel, [&](wxColour p) { return c.fill != unselected ? p == *wxWHITE : p.Red() < 100; }), 0);
    }
    EXPECT_EQ("#1000  9.99sec", FormatFrameLabel(999, 1)); // number and start time, two blanks apart
    // A long file name loses its middle (mended: it was cut at the right).
    wxMemoryDC measure;
    measure.SetFont(m_strip->GetFont());
    const wxString shown = FitFileLabel("holiday_2019_beach_sunset_panorama_0042.png", measure, fileLabel.width);
    EXPECT_TRUE(shown.StartsWith("holiday") && shown.EndsWith("42.png") &&
                measure.GetTextExtent(shown).x <= fileLabel.width) << shown;
}

// The longest frame label fits the tile (mended); nested freezes wait for the
// last thaw; a paint draws only the tiles of its update region.
TEST_F(Strip, LayoutFollowsTheFontAndTheLastThawAndAPaintTheUpdateRegion)
{
    wxClientDC measure(m_strip);
    measure.SetFont(m_strip->GetFont());
    const int t = measure.GetTextExtent("X").y, label = measure.GetTextExtent("#9999  9999.99sec").x;
    const int w = label + 6;
    EXPECT_EQ(wxSize(w, 92 + 2 * t), m_strip->GetThumbnailOverallSize());
    ShowGrid(0);
    m_strip->Forget();
    m_strip->Freeze();
    m_strip->Freeze();
    Fill(10);
    m_strip->Thaw();
    EXPECT_FALSE(m_strip->wxWindow::IsFrozen());
    EXPECT_EQ(0, m_strip->GetScrollLines(wxVERTICAL));
    EXPECT_TRUE(m_strip->refreshed.empty() && m_strip->fullRefreshes == 0);
    m_strip->Thaw();
    EXPECT_EQ(m_strip->GetLayout().ScrollUnits(10, m_strip->GetClientSize().x), m_strip->GetScrollLines(wxVERTICAL));
    EXPECT_GE(m_strip->fullRefreshes, 1);
    EXPECT_EQ(wxRect(6 + w, 3 + 92 + 2 * t + 3, w, 92 + 2 * t), TileRect(4));

    const wxSize client = m_strip->GetClientSize();
    int drawn = 0;
    auto render = [&](const wxRect& region) {
        wxBitmap target(client.x, client.y, 24);
        wxMemoryDC dc(target);
        m_strip->PrepareDC(dc);
        drawn = m_strip->DrawContents(dc, wxRegion(region));
        dc.SelectObject(wxNullBitmap);
        return target.ConvertToImage();
    };
    render(wxRect(client));
    EXPECT_EQ(9, drawn); // three rows reach into the view
    m_strip->ScrollIntoView(9, WXK_END); // the region maps to the scrolled tiles
    render(wxRect(TileRect(9).GetPosition() + wxPoint(1, 1), wxSize(2, 2)));
    EXPECT_EQ(1, drawn);

    m_strip->ScrollIntoView(0, WXK_HOME);
    m_strip->SetInsertionMark(0);
    const wxRect mark = m_strip->GetLayout().InsertionMarkRect(0, client.x, m_strip->GetCount());
    EXPECT_EQ(mark.width * mark.height, CountPixels(render(wxRect(client)), mark, IsFocusColour));

    m_strip->Clear();
    m_strip->SetEmptyText("Add images here");
    const wxImage hint = render(wxRect(client));
    const auto inked = [&](wxColour c) { return c != m_strip->GetBackgroundColour(); };
    const int middle = CountPixels(hint, wxRect(0, client.y / 2 - 20, client.x, 41), inked);
    EXPECT_GT(middle, 20);
    EXPECT_EQ(middle, CountPixels(hint, wxRect(client), inked));
}
