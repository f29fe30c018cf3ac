#include "strip/imagethumbnailitem.h"

#include "frames/framestore.h"
#include "strip/thumbnailctrl.h"
#include "strip/thumbnaillayout.h"

#include <wx/dc.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/log.h>

wxIMPLEMENT_CLASS(wxImageThumbnailItem, wxThumbnailItem);

wxImage FitImageIntoBox(const wxImage& image, const wxSize& box)
{
    if (!image.IsOk())
        return wxImage();
    const wxSize size = FitSizeToBox(image.GetSize(), box);
    if (size.x < 1 || size.y < 1)
        return wxImage();
    if (size == image.GetSize())
        return image.Copy(); // a copy of its own: the two may part ways
    // Four samples per thumbnail pixel, averaged: far less aliasing than one,
    // and unlike the toolkit's scaling (which averages every source pixel
    // when the factor is a whole number) the cost does not grow with the
    // picture.
    const int sw = image.GetWidth(), sh = image.GetHeight();
    const unsigned char* rgb = image.GetData();
    const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
    wxImage thumbnail(size.x, size.y, false);
    if (alpha)
        thumbnail.SetAlpha();
    unsigned char* out = thumbnail.GetData();
    unsigned char* outAlpha = alpha ? thumbnail.GetAlpha() : nullptr;
    for (int y = 0; y < size.y; ++y)
    {
        const long long y0 = (4LL * y + 1) * sh / (4LL * size.y), y1 = (4LL * y + 3) * sh / (4LL * size.y);
        for (int x = 0; x < size.x; ++x)
        {
            const long long x0 = (4LL * x + 1) * sw / (4LL * size.x), x1 = (4LL * x + 3) * sw / (4LL * size.x);
            const size_t at[4] = {static_cast<size_t>(y0 * sw + x0), static_cast<size_t>(y0 * sw + x1),
                                  static_cast<size_t>(y1 * sw + x0), static_cast<size_t>(y1 * sw + x1)};
            for (int c = 0; c < 3; ++c)
                *out++ = static_cast<unsigned char>(
                    (rgb[3 * at[0] + c] + rgb[3 * at[1] + c] + rgb[3 * at[2] + c] + rgb[3 * at[3] + c] + 2) / 4);
            if (outAlpha)
                *outAlpha++ = static_cast<unsigned char>((alpha[at[0]] + alpha[at[1]] + alpha[at[2]] + alpha[at[3]] + 2) / 4);
        }
    }
    return thumbnail;
}

wxBitmap ScaleImageToBox(const wxImage& image, int boxWidth, int boxHeight)
{
    const wxImage thumbnail = FitImageIntoBox(image, wxSize(boxWidth, boxHeight));
    return thumbnail.IsOk() ? wxBitmap(thumbnail, -1) : wxBitmap();
}

wxImageThumbnailItem::wxImageThumbnailItem(wxImage* image, int subImageIndex,
                                           const wxString& filename)
    : wxThumbnailItem(filename), m_image(image), m_subImageIndex(subImageIndex)
{
}

wxImageThumbnailItem::wxImageThumbnailItem(FrameHandle frame, const wxImage& thumbnail, int subImageIndex,
                                           const wxString& filename)
    : wxThumbnailItem(filename), m_thumbnailImage(thumbnail), m_subImageIndex(subImageIndex), m_frame(std::move(frame))
{
}

wxImageThumbnailItem::~wxImageThumbnailItem() = default;

void wxImageThumbnailItem::SetThumbnailImage(const wxImage& thumbnail)
{
    m_thumbnailImage = thumbnail;
}

bool wxImageThumbnailItem::Load(wxThumbnailCtrl* ctrl, bool forceLoad)
{
    if (m_bitmap.IsOk() && !forceLoad)
        return true;
    if (!wxFileExists(m_filename))
        return false;
    if (!m_frame && (!m_image || !m_image->IsOk()))
        return false;
    if (!m_frame)
    {
        FrameStoreRefusal refusal;
        m_frame = GetFrameStore().Add(*m_image, std::string(), refusal);
        if (!m_frame)
            return false;
    }

    wxLogNull noLog;
    // Frames of a GIF file are told apart by their index after the name.
    if (!m_named && m_filename.EndsWith(".gif"))
        m_filename += wxString::Format("_%d", m_subImageIndex);
    m_named = true;

    const wxSize box = ctrl ? ctrl->GetThumbnailImageSize() : wxSize(80, 80);
    if (m_thumbnailImage.IsOk() && m_thumbnailImage.GetSize() == FitSizeToBox(m_frame->GetSize(), box))
        m_bitmap = wxBitmap(m_thumbnailImage, -1);
    else if (m_image)
        m_bitmap = ScaleImageToBox(*m_image, box.x, box.y);
    else if (const FramePicturePtr picture = GetFullPicture())
        m_bitmap = ScaleImageToBox(picture->View(), box.x, box.y);
    m_thumbnailImage = wxImage();
    if (m_bitmap.IsOk())
        m_image.reset();
    return true;
}

wxThumbnailItem* wxImageThumbnailItem::Clone() const
{
    // The copy shares the stored frame and the bitmaps: it costs no picture
    // memory of its own.
    auto* copy = new wxImageThumbnailItem(m_frame, m_thumbnailImage, m_subImageIndex, m_filename);
    if (m_image)
        copy->m_image = std::make_unique<wxImage>(*m_image);
    copy->m_bitmap = m_bitmap;
    copy->m_named = m_named;
    return copy;
}

FramePicturePtr wxImageThumbnailItem::GetFullPicture() const
{
    return GetFrameStore().Get(m_frame);
}

wxImage wxImageThumbnailItem::GetFullImage() const
{
    return GetFrameStore().Load(m_frame);
}

wxBitmap wxImageThumbnailItem::GetFullBitmap() const
{
    const wxImage picture = GetFullImage();
    return picture.IsOk() ? wxBitmap(picture, -1) : wxBitmap();
}

bool wxImageThumbnailItem::Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style)
{
    if (m_bitmap.IsOk())
    {
        const int x = rect.x + (rect.width - m_bitmap.GetWidth()) / 2;
        const int y = rect.y + (rect.height - m_bitmap.GetHeight()) / 2;
        dc.DrawBitmap(m_bitmap, x, y, false);
    }
    return true;
}
