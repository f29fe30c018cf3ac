#include "picture/picturereader.h"

#include "picture/picturedecoders.h"
#include "picture/picturefile.h"

#include <wx/image.h>
#include <wx/string.h>

#include <cstring>
#include <new>

namespace
{
// Turns a failed allocation deep inside a decoder into a status.
template <typename Read>
PictureStatus Guarded(Read read)
{
    try
    {
        return read();
    }
    catch (const std::bad_alloc&)
    {
        return PictureStatus::Fail(PictureError::OutOfMemory);
    }
}
} // namespace

bool IsGifPath(const wxString& path)
{
    return path.EndsWith(".gif");
}

PictureStatus ReadPictureStream(std::FILE* file, bool allFrames, const PictureFrameSink& sink,
                                const PictureLimits& limits)
{
    return Guarded([&] {
        switch (SniffPictureFormat(file))
        {
        case PictureFormat::Png:
            return DecodePng(file, sink, limits);
        case PictureFormat::Jpeg:
            return DecodeJpeg(file, sink, limits);
        case PictureFormat::Bmp:
            return DecodeBmp(file, sink, limits);
        case PictureFormat::Gif:
            return DecodeGif(file, allFrames, sink, limits);
        case PictureFormat::Unknown:
            break;
        }
        return PictureStatus::Fail(PictureError::NotAPicture);
    });
}

PictureStatus ProbePictureStream(std::FILE* file, wxSize& size, const PictureLimits& limits)
{
    return Guarded([&] {
        switch (SniffPictureFormat(file))
        {
        case PictureFormat::Png:
            return ProbePng(file, size, limits);
        case PictureFormat::Jpeg:
            return ProbeJpeg(file, size, limits);
        case PictureFormat::Bmp:
            return ProbeBmp(file, size, limits);
        case PictureFormat::Gif:
            return ProbeGif(file, size, limits);
        case PictureFormat::Unknown:
            break;
        }
        return PictureStatus::Fail(PictureError::NotAPicture);
    });
}

PictureStatus ProbePictureSize(const wxString& path, wxSize& size, const PictureLimits& limits)
{
    PictureFilePtr file;
    PictureStatus status = OpenPictureFile(path, file);
    return status.IsOk() ? ProbePictureStream(file.get(), size, limits) : status;
}

PictureStatus ReadPictureFrames(const wxString& path, const PictureFrameSink& sink, const PictureLimits& limits)
{
    PictureFilePtr file;
    PictureStatus status = OpenPictureFile(path, file);
    return status.IsOk() ? ReadPictureStream(file.get(), IsGifPath(path), sink, limits) : status;
}

PictureStatus ReadPictureFrames(const wxString& path, std::vector<wxImage>& frames, const PictureLimits& limits)
{
    std::vector<wxImage> read;
    std::uint64_t held = 0;
    bool overBudget = false;
    PictureStatus status = ReadPictureFrames(
        path,
        [&](wxImage& frame) {
            held += static_cast<std::uint64_t>(frame.GetWidth()) * frame.GetHeight();
            if (held > limits.maxHeldPixels)
            {
                overBudget = true;
                return false;
            }
            read.push_back(frame);
            return true;
        },
        limits);
    if (overBudget)
        return PictureStatus::Fail(PictureError::TooLarge,
                                   wxString::Format("its frames exceed %llu megapixels together",
                                                    static_cast<unsigned long long>(limits.maxHeldPixels /
                                                                                    PictureLimits::kMegapixel)));
    if (status.IsOk())
        frames.insert(frames.end(), read.begin(), read.end());
    return status;
}

PictureStatus ReadPictureFrame(const wxString& path, int index, wxImage& frame, const PictureLimits& limits)
{
    if (index < 0)
        return PictureStatus::Fail(PictureError::NoFrames);
    int seen = 0;
    bool found = false;
    PictureStatus status = ReadPictureFrames(
        path,
        [&](wxImage& image) {
            if (seen++ < index)
                return true;
            frame = image;
            found = true;
            return false;
        },
        limits);
    if (status.IsOk() && !found)
        return PictureStatus::Fail(PictureError::NoFrames);
    return status;
}

PictureStatus TooLargePicture(std::uint64_t width, std::uint64_t height, const PictureLimits& limits)
{
    return PictureStatus::Fail(
        PictureError::TooLarge,
        wxString::Format("%llu x %llu exceeds %llu megapixels", static_cast<unsigned long long>(width),
                         static_cast<unsigned long long>(height),
                         static_cast<unsigned long long>(limits.maxPicturePixels / PictureLimits::kMegapixel)));
}

PictureFormat SniffPictureFormat(std::FILE* file)
{
    unsigned char head[8] = {};
    const size_t got = std::fread(head, 1, sizeof head, file);
    std::rewind(file);
    if (got >= 8 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0)
        return PictureFormat::Png;
    if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return PictureFormat::Jpeg;
    if (got >= 2 && head[0] == 'B' && head[1] == 'M')
        return PictureFormat::Bmp;
    if (got >= 6 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0))
        return PictureFormat::Gif;
    return PictureFormat::Unknown;
}
