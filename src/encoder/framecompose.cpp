#include "encoder/framecompose.h"

#include <wx/image.h>

#include <algorithm>

wxRect FitPictureRect(const wxSize& pictureSize, const wxSize& outputSize)
{
    const int width = outputSize.x;
    const int height = outputSize.y;
    int scaledWidth = pictureSize.x;
    int scaledHeight = pictureSize.y;
    const double ratioW = static_cast<double>(width) / pictureSize.x;
    const double ratioH = static_cast<double>(height) / pictureSize.y;
    if (ratioW < 1 || ratioH < 1)
    {
        const double factor = std::min(ratioW, ratioH);
        scaledWidth = static_cast<int>(pictureSize.x * factor);
        scaledHeight = static_cast<int>(pictureSize.y * factor);
        // A very thin picture would truncate to nothing; one pixel stays.
        scaledWidth = std::min(std::max(scaledWidth, 1), width);
        scaledHeight = std::min(std::max(scaledHeight, 1), height);
    }
    // Integer halving: an odd leftover goes to the right and the bottom.
    return wxRect((width - scaledWidth) / 2, (height - scaledHeight) / 2, scaledWidth, scaledHeight);
}

wxImage FlattenOverBlack(const wxImage& picture)
{
    if (!picture.IsOk() || (!picture.HasMask() && !picture.HasAlpha()))
        return picture;

    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    wxImage flat(width, height, false);
    if (!flat.IsOk())
        return flat;
    const unsigned char* src = picture.GetData();
    const unsigned char* alpha = picture.HasAlpha() ? picture.GetAlpha() : nullptr;
    const bool masked = picture.HasMask();
    const unsigned char mr = masked ? picture.GetMaskRed() : 0;
    const unsigned char mg = masked ? picture.GetMaskGreen() : 0;
    const unsigned char mb = masked ? picture.GetMaskBlue() : 0;
    unsigned char* dst = flat.GetData();
    for (size_t p = 0; p < pixels; ++p, src += 3, dst += 3)
    {
        if (masked && src[0] == mr && src[1] == mg && src[2] == mb)
        {
            dst[0] = dst[1] = dst[2] = 0;
            continue;
        }
        if (alpha)
        {
            const unsigned a = alpha[p];
            dst[0] = static_cast<unsigned char>((src[0] * a + 127) / 255);
            dst[1] = static_cast<unsigned char>((src[1] * a + 127) / 255);
            dst[2] = static_cast<unsigned char>((src[2] * a + 127) / 255);
        }
        else
        {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return flat;
}

wxImage ComposeFrame(const wxImage& picture, int width, int height)
{
    if (width <= 0 || height <= 0)
        return wxImage();
    if (!picture.IsOk())
        return wxImage(width, height, true);

    const wxSize pictureSize(picture.GetWidth(), picture.GetHeight());
    const wxRect place = FitPictureRect(pictureSize, wxSize(width, height));
    wxImage scaled = place.GetSize() == pictureSize
                         ? picture
                         : picture.Scale(place.width, place.height, wxIMAGE_QUALITY_NORMAL);
    scaled = FlattenOverBlack(scaled);
    if (place.width == width && place.height == height)
    {
        // Covers the whole frame: no canvas needed. A copy of its own, so that
        // later changes never reach the caller's picture.
        return scaled.IsSameAs(picture) ? scaled.Copy() : scaled;
    }

    wxImage canvas(width, height, true);  // black
    if (canvas.IsOk())
        canvas.Paste(scaled, place.x, place.y);
    return canvas;
}
