#include "stripharness.h"

#include "support/testsupport.h"
#include "window/imagethumbnailitem.h"
#include "window/thumbnailctrl.h"
#include "window/windowids.h"

#include <wx/image.h>
#include <wx/panel.h>
#include <wx/sizer.h>

// clang-format off
wxBEGIN_EVENT_TABLE(StripHarnessFrame, wxFrame)
    EVT_THUMBNAIL_ITEM_SELECTED(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_ITEM_DESELECTED(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_LEFT_CLICK(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_MIDDLE_CLICK(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_RIGHT_CLICK(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_LEFT_DCLICK(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
    EVT_THUMBNAIL_RETURN(ID_THUMBNAIL_CTRL, StripHarnessFrame::OnThumbnail)
wxEND_EVENT_TABLE()
// clang-format on

StripHarnessFrame::StripHarnessFrame(const wxSize& stripSize)
    : wxFrame(nullptr, wxID_ANY, "Thumbnail strip")
{
    m_panel_top = new wxPanel(this);
    m_strip = new RecordingStrip(m_panel_top, wxDefaultPosition, stripSize);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_strip, 1, wxEXPAND);
    m_panel_top->SetSizer(sizer);
    SetClientSize(stripSize);
}

void StripHarnessFrame::OnThumbnail(wxThumbnailEvent& event)
{
    notices.push_back({event.GetEventType(), event.GetIndex(), event.GetFlags(), event.GetId()});
    if (vetoAll)
        event.Veto();
}

bool PumpEventsFor(int milliseconds)
{
    wxStopWatch watch;
    while (watch.Time() < milliseconds)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}

wxImageThumbnailItem* MakeEntry(const wxString& dir, const wxString& name, int width, int height,
                                const wxColour& colour, int subImageIndex)
{
    const wxString path = dir + "/" + name;
    if (!wxFileExists(path))
        testsupport::WriteBytes(path, "x");
    auto* image = new wxImage(width, height);
    image->SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    return new wxImageThumbnailItem(image, subImageIndex, path);
}

void FillStrip(wxThumbnailCtrl* strip, const wxString& dir, int count, int delay)
{
    for (int i = 0; i < count; ++i)
        strip->Append(MakeEntry(dir, wxString::Format("frame%03d.png", i), 40, 30), delay);
}

void RecordingStrip::Refresh(bool eraseBackground, const wxRect* rect)
{
    if (rect)
        refreshed.push_back(*rect);
    else
        ++fullRefreshes;
    wxThumbnailCtrl::Refresh(eraseBackground, rect);
}

bool RecordingStrip::TileRefreshed(int n) const
{
    wxRect tile;
    if (!GetItemRect(n, tile, true))
        return false;
    for (const wxRect& r : refreshed)
        if (r.Contains(tile))
            return true;
    return false;
}

namespace
{
std::vector<AssertRecorder::Failure> g_assertFailures;

void RecordAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    g_assertFailures.push_back({file, cond, msg});
}
} // namespace

AssertRecorder::AssertRecorder() : m_previous(wxSetAssertHandler(RecordAssert))
{
    g_assertFailures.clear();
}

AssertRecorder::~AssertRecorder()
{
    wxSetAssertHandler(m_previous);
}

std::vector<AssertRecorder::Failure>& AssertRecorder::Failures()
{
    return g_assertFailures;
}
