// The preview panel: showing one frame, playing the frames with the delay,
// and the play tool's two looks.

#include "window/gifframe.h"

#include "app/paths.h"
#include "app/trace.h"
#include "frames/framestore.h"
#include "strip/imagethumbnailitem.h"
#include "window/previewplacement.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnailevent.h"
#include "window/windowtexts.h"

#include <wx/dcclient.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menuitem.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

namespace
{
// Frames decoded ahead of the preview: enough to ride out one slow decode.
const int kPrefetchFrames = 3;

// Many commands stop the preview, the delay spin on every keystroke: each
// look's image is read once.
void SetPlayToolLook(wxToolBar* toolBar, wxMenuItem* item, wxBitmap& bitmap, const char* file,
                     const wxString& label)
{
    if (!bitmap.IsOk())
    {
        wxLogNull quiet;
        bitmap.LoadFile(GetInstallRoot() + "/Themes/" + file, wxBITMAP_TYPE_ANY);
    }
    if (toolBar && bitmap.IsOk())
        toolBar->SetToolNormalBitmap(XRCID("m_tool_play"), bitmap);
    if (toolBar)
        toolBar->SetToolShortHelp(XRCID("m_tool_play"), label.BeforeFirst('\t'));
    if (item)
        item->SetItemLabel(label);
}
} // namespace

void GifFrame::StopPreview()
{
    m_timer.Stop();
    m_preview_index = 0;
    SetRunLook();
    m_playing = false;
}

void GifFrame::SetRunLook()
{
    SetPlayToolLook(m_toolBar_button, m_item_run_animation, m_play_bitmap, "play.png",
                    _("Run animation") + "\tCtrl+P");
}

void GifFrame::SetStopLook()
{
    SetPlayToolLook(m_toolBar_button, m_item_run_animation, m_stop_bitmap, "stop.png",
                    _("Stop animation") + "\tCtrl+T");
}

void GifFrame::SetLoopCount(int count)
{
    m_loop_count = count;
    m_loops_played = 0;
}

void GifFrame::OnRunAnimation(wxCommandEvent&)
{
    if (m_playing)
    {
        StopPreview();
        return;
    }
    if (GetFrameCount() == 0)
        return;
    // A zero delay would spin the timer as fast as it can go.
    m_timer.Start(std::max(1, m_spinctrl_delay->GetValue()) * 10, wxTIMER_CONTINUOUS);
    SetStopLook();
    m_playing = true;
}

void GifFrame::OnPreviewTimer(wxTimerEvent&)
{
    const int count = GetFrameCount();
    if (count == 0)
    {
        StopPreview();
        return;
    }
    if (m_preview_index >= count)
        m_preview_index = 0;
    ShowFrame(m_preview_index);
    ++m_preview_index;
    if (m_preview_index == count)
    {
        m_preview_index = 0;
        ++m_loops_played;
        if (m_loops_played == m_loop_count)
        {
            m_loops_played = 0;
            StopPreview();
        }
    }
}

void GifFrame::ShowFrame(int index)
{
    const auto* item = index >= 0 && index < GetFrameCount()
                           ? wxDynamicCast(m_thumbnail_ctrl->GetItem(index), wxImageThumbnailItem)
                           : nullptr;
    if (!item || item->GetFullSize().x <= 0 || item->GetFullSize().y <= 0)
    {
        // Nothing to draw: an empty panel rather than the previous frame.
        ClearPreview();
        m_statusBar1->SetStatusText(wxString(), 1);
        return;
    }
    m_shown_picture = item->GetFullPicture();
    m_shown_image = m_shown_picture ? m_shown_picture->View() : wxImage();
    if (m_playing)
        PrefetchAfter(index);
    if (!m_shown_image.IsOk())
    {
        ClearPreview();
        m_statusBar1->SetStatusText(wxString(), 1);
        return;
    }
    PlaceShownFrame();
    m_image_path = wxFileNameFromPath(item->GetFilename());
    m_statusBar1->SetStatusText(FrameStatusText(m_image_path, m_shown_image.GetWidth(), m_shown_image.GetHeight()),
                                1);
}

void GifFrame::PrefetchAfter(int index)
{
    // The frames the timer shows next are decoded on the store's worker
    // while this one is on screen.
    const int count = GetFrameCount();
    std::vector<FrameHandle> next;
    for (int step = 1; step <= kPrefetchFrames && step < count; ++step)
    {
        const auto* item = wxDynamicCast(m_thumbnail_ctrl->GetItem((index + step) % count), wxImageThumbnailItem);
        if (item && item->GetFrame())
            next.push_back(item->GetFrame());
    }
    GetFrameStore().Prefetch(next);
}

void GifFrame::PlaceShownFrame()
{
    m_preview_rect = PlacePreview(m_panel_down->GetSize(), m_shown_image.GetSize());
    // Only the pixels that show become a bitmap.
    if (m_preview_rect.GetSize() == m_shown_image.GetSize())
        m_preview_bitmap = wxBitmap(m_shown_image, -1);
    else
        m_preview_bitmap = wxBitmap(
            m_shown_image.Scale(m_preview_rect.width, m_preview_rect.height, wxIMAGE_QUALITY_NORMAL), -1);
    m_panel_down->Refresh();
}

void GifFrame::ClearPreview()
{
    m_preview_bitmap = wxBitmap();
    m_preview_rect = wxRect();
    m_panel_down->Refresh();
}

void GifFrame::OnPaintPreview(wxPaintEvent&)
{
    wxPaintDC dc(m_panel_down);
    if (m_preview_bitmap.IsOk())
        dc.DrawBitmap(m_preview_bitmap, m_preview_rect.x, m_preview_rect.y, true);
}

void GifFrame::OnSizePreview(wxSizeEvent& event)
{
    event.Skip();
    // The shown frame keeps its place relative to the panel's new size.
    if (m_preview_bitmap.IsOk() && m_shown_image.IsOk())
        PlaceShownFrame();
}

void GifFrame::OnThumbnailLeftClick(wxThumbnailEvent& event)
{
    if (GetFrameCount() == 0)
        return;
    StopPreview();
    ShowFrame(event.GetIndex());
}

void GifFrame::OnChangeSplitterWindow(wxSplitterEvent& event)
{
    event.Skip();
    WriteTraceLine("OnChangeSplitterWindow");
    const wxArrayInt& selections = m_thumbnail_ctrl->GetSelections();
    if (!selections.empty() && selections[0] >= 0)
        ShowFrame(selections[0]);
}
