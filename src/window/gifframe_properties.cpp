// The animation's properties: one delay for every frame, and the output size
// whose width and height keep the frames' aspect ratio.

#include "window/gifframe.h"

#include "app/trace.h"
#include "strip/imagethumbnailitem.h"
#include "encoder/outputsize.h"
#include "strip/thumbnailctrl.h"
#include "window/framecommands.h"
#include "window/windowtexts.h"

#include <wx/spinctrl.h>
#include <wx/statusbr.h>


void GifFrame::OnSetDelay(wxCommandEvent&)
{
    WriteTraceLine("OnSetDelay");
    StopPreview();
    // The strip still shows the delay before this edit.
    WorkSnapshot before = CaptureWork();
    before.delay = m_thumbnail_ctrl->GetFrameDelay();
    m_thumbnail_ctrl->SetFrameDelay(m_spinctrl_delay->GetValue());
    // The frame labels show start times: let them follow at once.
    m_thumbnail_ctrl->Refresh();
    if (GetFrameCount() > 0)
        RecordEdit(EditKind::Delay, 0, before);
}

void GifFrame::OnSetWidth(wxCommandEvent&)
{
    FollowEditedSide(m_spinctrl_width->GetValue(), m_out_width, m_out_height, m_ref_width, m_ref_height,
                     m_spinctrl_height);
}

void GifFrame::OnSetHeight(wxCommandEvent&)
{
    FollowEditedSide(m_spinctrl_height->GetValue(), m_out_height, m_out_width, m_ref_height, m_ref_width,
                     m_spinctrl_width);
}

void GifFrame::FollowEditedSide(int typed, int& outTyped, int& outOther, int refTyped, int refOther,
                                wxSpinCtrl* otherControl)
{
    if (GetFrameCount() == 0)
        return;
    // The size before this edit is the one last set, not the controls'.
    WorkSnapshot before = CaptureWork();
    before.width = m_out_width;
    before.height = m_out_height;
    outTyped = typed;
    // Without a reference size there is no ratio to keep: the typed value
    // stands and the other side stays as it is.
    if (refTyped != 0)
    {
        otherControl->SetValue(FollowingSide(typed, refTyped, refOther));
        outOther = otherControl->GetValue(); // rounding may leave it one below the other side's least
    }
    ShowEditedSize(m_out_width, m_out_height);
    RecordEdit(EditKind::Size, 0, before);
}

void GifFrame::LimitSizeControls()
{
    // Each side may take only values for which the other, in the frames'
    // ratio, stays a size a GIF can have; without frames 0 shows.
    if (m_ref_width <= 0 || m_ref_height <= 0)
    {
        m_spinctrl_width->SetRange(0, kMaxGifSide);
        m_spinctrl_height->SetRange(0, kMaxGifSide);
        return;
    }
    const SideRange widths = AllowedSideRange(m_ref_width, m_ref_height);
    const SideRange heights = AllowedSideRange(m_ref_height, m_ref_width);
    m_spinctrl_width->SetRange(widths.min, widths.max);
    m_spinctrl_height->SetRange(heights.min, heights.max);
}

void GifFrame::ShowEditedSize(int width, int height)
{
    m_statusBar1->SetStatusText(SizeEditedStatusText(m_gif_name, width, height), 0);
}

void GifFrame::ResetOutputSize()
{
    if (GetFrameCount() == 0)
    {
        m_ref_width = m_ref_height = 0;
        LimitSizeControls();
        m_statusBar1->SetStatusText(wxString(), 0);
        m_spinctrl_width->SetValue(0);
        m_spinctrl_height->SetValue(0);
        return;
    }
    std::vector<wxSize> sizes;
    for (int i = 0; i < GetFrameCount(); ++i)
    {
        const auto* item = wxDynamicCast(m_thumbnail_ctrl->GetItem(i), wxImageThumbnailItem);
        sizes.push_back(item ? item->GetFullSize() : wxSize(0, 0));
    }
    const wxSize size = DeriveOutputSize(sizes);
    m_ref_width = m_out_width = size.x;
    m_ref_height = m_out_height = size.y;
    LimitSizeControls();
    m_spinctrl_width->SetValue(size.x);
    m_spinctrl_height->SetValue(size.y);
    m_statusBar1->SetStatusText(
        SizeResetStatusText(m_gif_name, m_spinctrl_width->GetValue(), m_spinctrl_height->GetValue()), 0);
}
