// GIF through giflib's record-level interface: one frame's indices at a time,
// drawn onto the logical screen as a viewer shows the animation.
#include "picture/picturedecoders.h"

#include <wx/image.h>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
int ReadFromStream(GifFileType* gif, GifByteType* buffer, int length)
{
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(length), static_cast<std::FILE*>(gif->UserData)));
}

// An open giflib decoder over the stream, closed with the object.
class GifInput
{
public:
    explicit GifInput(std::FILE* file)
    {
        std::rewind(file);
        m_gif = DGifOpen(file, ReadFromStream, &m_openError);
    }
    ~GifInput()
    {
        int error = 0;
        if (m_gif)
            DGifCloseFile(m_gif, &error);
    }
    GifInput(const GifInput&) = delete;
    GifInput& operator=(const GifInput&) = delete;

    GifFileType* Get() const { return m_gif; }
    int OpenError() const { return m_openError; }

private:
    GifFileType* m_gif = nullptr;
    int m_openError = 0;
};

// giflib reports bad data and missing data alike as failed reads; only the
// end of the stream tells a file that was cut short.
PictureStatus Failure(std::FILE* file, int error)
{
    switch (error)
    {
    case D_GIF_ERR_NOT_GIF_FILE:
        return PictureStatus::Fail(PictureError::NotAPicture);
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        return PictureStatus::Fail(PictureError::OutOfMemory);
    default:
        break;
    }
    if (std::feof(file))
        return PictureStatus::Fail(PictureError::Truncated);
    switch (error)
    {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
    case D_GIF_ERR_IMAGE_DEFECT:
    case D_GIF_ERR_DATA_TOO_BIG:
        return PictureStatus::Fail(PictureError::Damaged, "bad image data");
    default:
        return PictureStatus::Fail(PictureError::Damaged, GifErrorString(error));
    }
}

// Skips an extension's sub-blocks; the graphic control block is kept.
bool ReadExtension(GifFileType* gif, GraphicsControlBlock& control)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        DGifExtensionToGCB(block[0], block + 1, &control);
    while (block)
    {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

// Skips a frame's compressed data without decoding it.
bool SkipImageData(GifFileType* gif)
{
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
        return false;
    while (block)
    {
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

// The extent of every frame from the origin, when the file's own screen is
// unusable. Stops quietly at the first broken record.
wxSize ScanFrameExtent(std::FILE* file)
{
    GifInput input(file);
    GifFileType* gif = input.Get();
    std::uint64_t right = 0, bottom = 0;
    GraphicsControlBlock ignored;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (gif && DGifGetRecordType(gif, &type) != GIF_ERROR && type != TERMINATE_RECORD_TYPE)
    {
        if (type == EXTENSION_RECORD_TYPE)
        {
            if (!ReadExtension(gif, ignored))
                break;
        }
        else if (type == IMAGE_DESC_RECORD_TYPE)
        {
            if (DGifGetImageHeader(gif) == GIF_ERROR)
                break;
            const GifImageDesc& d = gif->Image;
            right = std::max<std::uint64_t>(right, static_cast<std::uint64_t>(d.Left) + d.Width);
            bottom = std::max<std::uint64_t>(bottom, static_cast<std::uint64_t>(d.Top) + d.Height);
            if (!SkipImageData(gif))
                break;
        }
        else
        {
            break;
        }
    }
    // Sides come from 16-bit fields, so the sum stays far below int range.
    return wxSize(static_cast<int>(right), static_cast<int>(bottom));
}

// The drawing surface: the logical screen when it is sound, otherwise the
// extent of the frames; refused beyond the picture limit.
PictureStatus ChooseScreen(std::FILE* file, GifFileType* gif, const PictureLimits& limits, wxSize& screen)
{
    screen = wxSize(gif->SWidth, gif->SHeight);
    if (FitsPictureLimit(screen.x, screen.y, limits))
        return PictureStatus();
    // A broken writer's zero or absurd screen: the frames tell the real size.
    const wxSize declared = screen;
    screen = ScanFrameExtent(file);
    if (FitsPictureLimit(screen.x, screen.y, limits))
        return PictureStatus();
    if (screen.x <= 0 || screen.y <= 0)
    {
        if (declared.x > 0 && declared.y > 0)
            return TooLargePicture(declared.x, declared.y, limits);
        return PictureStatus::Fail(PictureError::NoFrames);
    }
    return TooLargePicture(screen.x, screen.y, limits);
}

// The logical screen with every frame so far drawn on it.
class GifCanvas
{
public:
    GifCanvas(int width, int height)
        : m_width(width), m_height(height), m_rgb(static_cast<size_t>(width) * height * 3, 0),
          m_alpha(static_cast<size_t>(width) * height, 0)
    {
    }

    // The part of a frame's rectangle that lies on the screen.
    wxRect Clip(const GifImageDesc& d) const
    {
        return wxRect(d.Left, d.Top, d.Width, d.Height).Intersect(wxRect(0, 0, m_width, m_height));
    }

    void Save(const wxRect& area)
    {
        m_savedArea = area;
        m_savedRgb.resize(static_cast<size_t>(area.width) * area.height * 3);
        m_savedAlpha.resize(static_cast<size_t>(area.width) * area.height);
        for (int y = 0; y < area.height; ++y)
        {
            const size_t from = Offset(area.x, area.y + y), to = static_cast<size_t>(y) * area.width;
            std::memcpy(&m_savedRgb[3 * to], &m_rgb[3 * from], 3u * area.width);
            std::memcpy(&m_savedAlpha[to], &m_alpha[from], area.width);
        }
    }

    void Restore()
    {
        const wxRect& area = m_savedArea;
        for (int y = 0; y < area.height; ++y)
        {
            const size_t to = Offset(area.x, area.y + y), from = static_cast<size_t>(y) * area.width;
            std::memcpy(&m_rgb[3 * to], &m_savedRgb[3 * from], 3u * area.width);
            std::memcpy(&m_alpha[to], &m_savedAlpha[from], area.width);
        }
    }

    // Background disposal clears to transparent, as viewers show it.
    void Clear(const wxRect& area)
    {
        for (int y = 0; y < area.height; ++y)
        {
            const size_t at = Offset(area.x, area.y + y);
            std::memset(&m_rgb[3 * at], 0, 3u * area.width);
            std::memset(&m_alpha[at], 0, area.width);
        }
    }

    // Draws row `row` of a frame whose indices are `line`.
    void DrawLine(const GifImageDesc& d, int row, const GifPixelType* line, const unsigned char (*colours)[3],
                  int transparent)
    {
        const long y = static_cast<long>(d.Top) + row;
        if (y < 0 || y >= m_height)
            return;
        const int x0 = std::max(0, d.Left), x1 = std::min<long>(m_width, static_cast<long>(d.Left) + d.Width);
        for (int x = x0; x < x1; ++x)
        {
            const int index = line[x - d.Left];
            if (index == transparent)
                continue;
            const size_t at = Offset(x, static_cast<int>(y));
            std::memcpy(&m_rgb[3 * at], colours[index], 3);
            m_alpha[at] = 255;
        }
    }

    // A copy as a frame; alpha only when something is transparent.
    bool Snapshot(wxImage& frame) const
    {
        if (!frame.Create(m_width, m_height, false))
            return false;
        std::memcpy(frame.GetData(), m_rgb.data(), m_rgb.size());
        if (std::find(m_alpha.begin(), m_alpha.end(), 0) != m_alpha.end())
        {
            frame.SetAlpha();
            std::memcpy(frame.GetAlpha(), m_alpha.data(), m_alpha.size());
        }
        return true;
    }

private:
    size_t Offset(int x, int y) const { return static_cast<size_t>(y) * m_width + x; }

    int m_width, m_height;
    std::vector<unsigned char> m_rgb, m_alpha;
    wxRect m_savedArea;
    std::vector<unsigned char> m_savedRgb, m_savedAlpha;
};

// Indices to colours: the frame's table, else the file's, else a grey ramp;
// an index beyond the table is black.
void BuildColours(const GifFileType* gif, unsigned char (*colours)[3])
{
    const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
    for (int i = 0; i < 256; ++i)
    {
        if (!map)
            colours[i][0] = colours[i][1] = colours[i][2] = static_cast<unsigned char>(i);
        else if (i < map->ColorCount)
        {
            colours[i][0] = map->Colors[i].Red;
            colours[i][1] = map->Colors[i].Green;
            colours[i][2] = map->Colors[i].Blue;
        }
        else
            colours[i][0] = colours[i][1] = colours[i][2] = 0;
    }
}

// Decodes the current frame's rows onto the canvas, in interlaced order where
// the frame says so. False when the data ends or breaks first.
bool DrawFrame(GifFileType* gif, GifCanvas& canvas, int transparent, std::vector<GifPixelType>& line)
{
    const GifImageDesc& d = gif->Image;
    unsigned char colours[256][3];
    BuildColours(gif, colours);
    line.resize(static_cast<size_t>(d.Width));
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass)
    {
        const int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
        for (int row = start; row < d.Height; row += step)
        {
            if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
                return false;
            canvas.DrawLine(d, row, line.data(), colours, transparent);
        }
    }
    return true;
}

GraphicsControlBlock NoControl()
{
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = 0;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    return control;
}
} // namespace

PictureStatus ProbeGif(std::FILE* file, wxSize& size, const PictureLimits& limits)
{
    GifInput input(file);
    if (!input.Get())
        return Failure(file, input.OpenError());
    return ChooseScreen(file, input.Get(), limits, size);
}

PictureStatus DecodeGif(std::FILE* file, bool allFrames, const PictureFrameSink& sink, const PictureLimits& limits)
{
    auto input = std::make_unique<GifInput>(file);
    if (!input->Get())
        return Failure(file, input->OpenError());
    wxSize screen;
    const bool soundScreen = FitsPictureLimit(input->Get()->SWidth, input->Get()->SHeight, limits);
    const PictureStatus chosen = ChooseScreen(file, input->Get(), limits, screen);
    if (!chosen.IsOk())
        return chosen;
    if (!soundScreen)
    {
        // Measuring the frames read the stream to its end: start again.
        input = std::make_unique<GifInput>(file);
        if (!input->Get())
            return Failure(file, input->OpenError());
    }
    GifFileType* gif = input->Get();

    GifCanvas canvas(screen.x, screen.y);
    std::vector<GifPixelType> line;
    GraphicsControlBlock control = NoControl();
    int delivered = 0;
    int failure = 0;  // giflib's error where reading stopped early
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    for (;;)
    {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
        {
            failure = gif->Error;
            break;
        }
        if (type == TERMINATE_RECORD_TYPE)
            break;
        if (type == EXTENSION_RECORD_TYPE)
        {
            if (!ReadExtension(gif, control))
            {
                failure = gif->Error;
                break;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageHeader(gif) == GIF_ERROR)
        {
            failure = type == IMAGE_DESC_RECORD_TYPE ? gif->Error : D_GIF_ERR_WRONG_RECORD;
            break;
        }
        const GifImageDesc& d = gif->Image;
        if (d.Width <= 0 || d.Height <= 0 || !FitsPictureLimit(d.Width, d.Height, limits))
        {
            failure = D_GIF_ERR_IMAGE_DEFECT;
            break;
        }
        const wxRect area = canvas.Clip(d);
        const int disposal = control.DisposalMode;
        if (disposal == DISPOSE_PREVIOUS)
            canvas.Save(area);
        if (!DrawFrame(gif, canvas, control.TransparentColor, line))
        {
            failure = gif->Error ? gif->Error : D_GIF_ERR_EOF_TOO_SOON;
            break;
        }
        wxImage frame;
        if (!canvas.Snapshot(frame))
            return PictureStatus::Fail(PictureError::OutOfMemory);
        ++delivered;
        if (!sink(frame) || !allFrames)
            return PictureStatus();
        if (disposal == DISPOSE_BACKGROUND)
            canvas.Clear(area);
        else if (disposal == DISPOSE_PREVIOUS)
            canvas.Restore();
        control = NoControl();
    }

    if (delivered > 0)
    {
        // Whatever follows the last good frame is lost; the good frames stay.
        PictureStatus status;
        status.cutShort = failure != 0 && std::feof(file);
        return status;
    }
    if (failure == 0)
        return PictureStatus::Fail(PictureError::NoFrames);
    return Failure(file, failure);
}
