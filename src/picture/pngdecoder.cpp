// PNG through libpng's simplified interface, which keeps its errors and
// warnings to itself and converts every colour type to 8-bit RGB(A).
#include "picture/picturedecoders.h"

#include <wx/image.h>

#include <png.h>

#include <cstring>
#include <memory>
#include <new>

namespace
{
// Frees libpng's state whatever path the decoding takes.
class PngImage
{
public:
    PngImage()
    {
        std::memset(&m_image, 0, sizeof m_image);
        m_image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&m_image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image& Get() { return m_image; }

private:
    png_image m_image;
};

// A file that stops before its end chunk was cut short; otherwise the data
// itself is wrong.
PictureStatus Failure(std::FILE* file, const png_image& image)
{
    unsigned char tail[12] = {};
    const bool ended = std::fseek(file, -12, SEEK_END) == 0 && std::fread(tail, 1, sizeof tail, file) == sizeof tail &&
                       std::memcmp(tail + 4, "IEND", 4) == 0;
    if (!ended)
        return PictureStatus::Fail(PictureError::Truncated);
    return PictureStatus::Fail(PictureError::Damaged, wxString::FromUTF8(image.message));
}

PictureStatus Begin(std::FILE* file, PngImage& png, const PictureLimits& limits)
{
    std::rewind(file);
    png_image& image = png.Get();
    if (!png_image_begin_read_from_stdio(&image, file))
        return Failure(file, image);
    // Untagged 16-bit samples are sRGB like every other file, not linear light.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    if (!FitsPictureLimit(image.width, image.height, limits))
        return TooLargePicture(image.width, image.height, limits);
    return PictureStatus();
}
} // namespace

PictureStatus ProbePng(std::FILE* file, wxSize& size, const PictureLimits& limits)
{
    PngImage png;
    const PictureStatus status = Begin(file, png, limits);
    if (status.IsOk())
        size = wxSize(static_cast<int>(png.Get().width), static_cast<int>(png.Get().height));
    return status;
}

PictureStatus DecodePng(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits)
{
    PngImage png;
    const PictureStatus status = Begin(file, png, limits);
    if (!status.IsOk())
        return status;
    png_image& image = png.Get();
    const int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    const size_t pixels = static_cast<size_t>(width) * height;
    const bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;

    wxImage picture;
    if (!picture.Create(width, height, false))
        return PictureStatus::Fail(PictureError::OutOfMemory);
    if (!hasAlpha)
    {
        // Straight into the picture's own pixels.
        image.format = PNG_FORMAT_RGB;
        if (!png_image_finish_read(&image, nullptr, picture.GetData(), 0, nullptr))
            return Failure(file, image);
    }
    else
    {
        image.format = PNG_FORMAT_RGBA;
        std::unique_ptr<unsigned char[]> rgba(new (std::nothrow) unsigned char[pixels * 4]);
        if (!rgba)
            return PictureStatus::Fail(PictureError::OutOfMemory);
        if (!png_image_finish_read(&image, nullptr, rgba.get(), 0, nullptr))
            return Failure(file, image);
        picture.SetAlpha();
        unsigned char* rgb = picture.GetData();
        unsigned char* alpha = picture.GetAlpha();
        const unsigned char* from = rgba.get();
        for (size_t p = 0; p < pixels; ++p, from += 4)
        {
            rgb[3 * p] = from[0];
            rgb[3 * p + 1] = from[1];
            rgb[3 * p + 2] = from[2];
            alpha[p] = from[3];
        }
    }
    sink(picture);
    return PictureStatus();
}
