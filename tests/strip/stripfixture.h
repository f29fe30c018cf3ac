#pragma once
// The strip in a frame's top panel, as the main window holds it; records the
// owner's notifications, the tiles repainted and toolkit assertions.
#include "support/testsupport.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnailctrl.h"
#include "window/thumbnailevent.h"
#include "window/windowids.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <algorithm>
#include <utility>

using Ints = std::vector<int>;

class RecordingStrip : public wxThumbnailCtrl
{
public:
    using wxThumbnailCtrl::wxThumbnailCtrl;
    void Refresh(bool erase = true, const wxRect* rect = nullptr) override
    {
        rect ? refreshed.push_back(*rect) : void(++fullRefreshes);
        wxThumbnailCtrl::Refresh(erase, rect);
    }
    bool TileRefreshed(int n) const
    {
        wxRect tile;
        GetItemRect(n, tile, true);
        return std::any_of(refreshed.begin(), refreshed.end(),
                           [&](const wxRect& r) { return r.Contains(tile); });
    }
    void Forget() { refreshed.clear(), fullRefreshes = 0; }
    std::vector<wxRect> refreshed;
    int fullRefreshes = 0;
};

inline std::vector<wxString> g_asserts; // conditions of the assertions raised

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

class StripFixture : public ::testing::Test
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
            {wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED, "sel"},
            {wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED, "desel"},
            {wxEVT_COMMAND_THUMBNAIL_LEFT_CLICK, "left"},
            {wxEVT_COMMAND_THUMBNAIL_MIDDLE_CLICK, "middle"},
            {wxEVT_COMMAND_THUMBNAIL_RIGHT_CLICK, "right"},
            {wxEVT_COMMAND_THUMBNAIL_LEFT_DCLICK, "dclick"},
            {wxEVT_COMMAND_THUMBNAIL_RETURN, "return"}};
        for (const auto& [type, name] : types)
            m_frame->Bind(wxEventTypeTag<wxThumbnailEvent>(type), [this, n = name](wxThumbnailEvent& e) {
                m_notices << (m_notices.empty() ? "" : " ") << n << e.GetIndex();
                if (e.GetFlags())
                    m_notices << "/" << e.GetFlags();
                if (m_veto)
                    e.Veto();
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

    // Shows the strip with three tiles per row and two and a half rows per page.
    void ShowGrid()
    {
        const ThumbnailLayout layout = m_strip->GetLayout();
        const int w = layout.TileWidth() + layout.spacing, h = layout.TileHeight() + layout.spacing;
        m_frame->SetClientSize(3 * w + 40, 2 * h + h / 2);
        m_frame->Show();
        ASSERT_TRUE(PumpUntil([&] {
            const wxSize client = m_strip->GetClientSize();
            return layout.Columns(client.x) == 3 && layout.RowsPerPage(client.y) == 2;
        }));
    }

    // A solid red entry whose file exists.
    wxImageThumbnailItem* Entry(const wxString& name, int w = 40, int h = 30, int sub = 0)
    {
        if (!wxFileExists(m_dir.File(name)))
            testsupport::WriteBytes(m_dir.File(name), "x");
        auto* image = new wxImage(w, h);
        image->SetRGB(wxRect(0, 0, w, h), 255, 0, 0);
        return new wxImageThumbnailItem(image, sub, m_dir.File(name));
    }
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            m_strip->Append(Entry(wxString::Format("frame%03d.png", i)), 10);
    }
    // Notices since the last call, e.g. "desel1 sel4 left4" ("/flags" when set).
    wxString TakeNotices() { return std::exchange(m_notices, wxString()); }
    Ints Selection() const
    {
        return Ints(m_strip->GetSelections().begin(), m_strip->GetSelections().end());
    }

    testsupport::TempDir m_dir;
    wxFrame* m_frame = nullptr;
    RecordingStrip* m_strip = nullptr;
    wxString m_notices;
    bool m_veto = false;
    wxAssertHandler_t m_prevHandler = nullptr;
};
