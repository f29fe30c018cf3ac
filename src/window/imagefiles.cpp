#include "window/imagefiles.h"

#include <wx/filefn.h>
#include <wx/gifdecod.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include <algorithm>
#include <cstring>

namespace
{
// Draws the opaque pixels of `frame` at `pos` onto the canvas, which has alpha.
void DrawOver(wxImage& canvas, const wxImage& frame, const wxPoint& pos)
{
    const int cw = canvas.GetWidth();
    const int ch = canvas.GetHeight();
    const int fw = frame.GetWidth();
    const bool masked = frame.HasMask();
    const unsigned char mr = masked ? frame.GetMaskRed() : 0;
    const unsigned char mg = masked ? frame.GetMaskGreen() : 0;
    const unsigned char mb = masked ? frame.GetMaskBlue() : 0;
    const unsigned char* frameAlpha = frame.HasAlpha() ? frame.GetAlpha() : nullptr;
    const int x0 = std::max(0, pos.x);
    const int y0 = std::max(0, pos.y);
    const int x1 = std::min(cw, pos.x + fw);
    const int y1 = std::min(ch, pos.y + frame.GetHeight());
    unsigned char* rgb = canvas.GetData();
    unsigned char* alpha = canvas.GetAlpha();
    const unsigned char* src = frame.GetData();
    for (int y = y0; y < y1; ++y)
    {
        for (int x = x0; x < x1; ++x)
        {
            const size_t from = static_cast<size_t>(y - pos.y) * fw + (x - pos.x);
            const unsigned char* s = src + 3 * from;
            if (masked && s[0] == mr && s[1] == mg && s[2] == mb)
                continue;
            if (frameAlpha && frameAlpha[from] == 0)
                continue;
            const size_t to = static_cast<size_t>(y) * cw + x;
            std::memcpy(rgb + 3 * to, s, 3);
            alpha[to] = 255;
        }
    }
}

// Makes the rectangle transparent (black with alpha 0).
void ClearRect(wxImage& canvas, const wxRect& rect)
{
    const wxRect area = rect.Intersect(wxRect(0, 0, canvas.GetWidth(), canvas.GetHeight()));
    unsigned char* rgb = canvas.GetData();
    unsigned char* alpha = canvas.GetAlpha();
    for (int y = area.y; y < area.GetBottom() + 1; ++y)
    {
        const size_t start = static_cast<size_t>(y) * canvas.GetWidth() + area.x;
        std::memset(rgb + 3 * start, 0, 3u * area.width);
        std::memset(alpha + start, 0, area.width);
    }
}

// The canvas as a frame; alpha is dropped when nothing is transparent.
wxImage Snapshot(const wxImage& canvas)
{
    wxImage frame = canvas.Copy();
    const unsigned char* alpha = frame.GetAlpha();
    const size_t pixels = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
    if (std::all_of(alpha, alpha + pixels, [](unsigned char a) { return a == 255; }))
        frame.ClearAlpha();
    return frame;
}

PictureReadResult ReadGifFrames(const wxString& path, std::vector<wxImage>& frames)
{
    wxFileInputStream input(path);
    if (!input.IsOk())
        return PictureReadResult::Unreadable;
    // The decoder reports a GIF without images like any broken file; the
    // signature tells a GIF with nothing usable from something else entirely.
    char signature[6] = {};
    const bool isGif = input.Read(signature, sizeof signature).LastRead() == sizeof signature &&
                       (std::memcmp(signature, "GIF87a", 6) == 0 || std::memcmp(signature, "GIF89a", 6) == 0);
    if (!isGif || input.SeekI(0) != 0)
        return PictureReadResult::Unreadable;

    wxGIFDecoder decoder;
    decoder.LoadGIF(input);
    // A truncated file still gives the frames that were read.
    const unsigned count = decoder.GetFrameCount();
    if (count == 0)
        return PictureReadResult::NoFrames;

    // A logical screen far beyond any real picture only comes from a broken
    // file; the frames' own extent then serves instead of a huge canvas.
    const int kMaxScreenSide = 16384;
    wxSize screen = decoder.GetAnimationSize();
    if (screen.x <= 0 || screen.y <= 0 || screen.x > kMaxScreenSide || screen.y > kMaxScreenSide)
    {
        wxRect bounds;
        for (unsigned f = 0; f < count; ++f)
            bounds.Union(wxRect(decoder.GetFramePosition(f), decoder.GetFrameSize(f)));
        screen = wxSize(bounds.GetRight() + 1, bounds.GetBottom() + 1);
    }
    wxImage canvas;
    if (screen.x <= 0 || screen.y <= 0 || !canvas.Create(screen, true))
        return PictureReadResult::Unreadable;
    canvas.SetAlpha();
    std::memset(canvas.GetAlpha(), 0, static_cast<size_t>(screen.x) * screen.y);

    size_t added = 0;
    for (unsigned f = 0; f < count; ++f)
    {
        wxImage frame;
        if (!decoder.ConvertToImage(f, &frame) || !frame.IsOk())
            continue;
        const wxRect rect(decoder.GetFramePosition(f), frame.GetSize());
        const wxAnimationDisposal disposal = decoder.GetDisposalMethod(f);
        wxImage before;
        if (disposal == wxANIM_TOPREVIOUS)
            before = canvas.Copy();
        DrawOver(canvas, frame, rect.GetPosition());
        frames.push_back(Snapshot(canvas));
        ++added;
        if (disposal == wxANIM_TOBACKGROUND)
            ClearRect(canvas, rect);
        else if (disposal == wxANIM_TOPREVIOUS)
            canvas = before;
    }
    return added ? PictureReadResult::Ok : PictureReadResult::NoFrames;
}
} // namespace

bool IsGifPath(const wxString& path)
{
    return path.EndsWith(".gif");
}

PictureReadResult ReadPictureFrames(const wxString& path, std::vector<wxImage>& frames)
{
    if (!wxFileExists(path))
        return wxDirExists(path) ? PictureReadResult::Unreadable : PictureReadResult::Missing;

    wxLogNull quiet;
    if (IsGifPath(path))
        return ReadGifFrames(path, frames);

    wxImage picture;
    if (!picture.LoadFile(path, wxBITMAP_TYPE_ANY, -1) || !picture.IsOk())
        return PictureReadResult::Unreadable;
    frames.push_back(picture);
    return PictureReadResult::Ok;
}
