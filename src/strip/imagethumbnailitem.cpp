#include "strip/imagethumbnailitem.h"

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
    if (!m_image || !m_image->IsOk())
        return false;

    wxLogNull noLog;
    // Frames of a GIF file are told apart by their index after the name.
    if (m_filename.EndsWith(".gif"))
        m_filename += wxString::Format("_%d", m_subImageIndex);

    // Turning a large picture into a bitmap costs the GUI thread several
    // milliseconds per frame; the image is kept instead and shared, not copied.
    m_fullImage = *m_image;
    m_fullBitmap = wxBitmap();
    const wxSize box = ctrl ? ctrl->GetThumbnailImageSize() : wxSize(80, 80);
    if (m_thumbnailImage.IsOk() && m_thumbnailImage.GetSize() == FitSizeToBox(m_image->GetSize(), box))
        m_bitmap = wxBitmap(m_thumbnailImage, -1);
    else
        m_bitmap = ScaleImageToBox(*m_image, box.x, box.y);
    m_thumbnailImage = wxImage();
    if (m_bitmap.IsOk())
        m_image.reset();
    return true;
}

wxThumbnailItem* wxImageThumbnailItem::Clone() const
{
    // Images and bitmaps share their pixels when copied: the copy costs no
    // picture memory of its own.
    auto* copy = new wxImageThumbnailItem(m_image ? new wxImage(*m_image) : nullptr, m_subImageIndex, m_filename);
    copy->m_bitmap = m_bitmap;
    copy->m_thumbnailImage = m_thumbnailImage;
    copy->m_fullImage = m_fullImage;
    copy->m_fullBitmap = m_fullBitmap;
    return copy;
}

const wxBitmap& wxImageThumbnailItem::GetFullBitmap() const
{
    if (!m_fullBitmap.IsOk() && m_fullImage.IsOk())
        m_fullBitmap = wxBitmap(m_fullImage, -1);
    return m_fullBitmap;
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
