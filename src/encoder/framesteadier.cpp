#include "encoder/framesteadier.h"

#include "encoder/colourindex.h"
#include "encoder/palette.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace
{
long ColourAt(const unsigned char* pixel)
{
    return (long(pixel[0]) << 16) | (long(pixel[1]) << 8) | pixel[2];
}

long SquaredError(const unsigned char* a, const unsigned char* b)
{
    long sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += long(a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}
} // namespace

GifFrameSteadier::GifFrameSteadier(int quality)
    : m_tolerance(0.1 + (100 - std::clamp(quality, 1, 100)) / 200.0)
{
}

void GifFrameSteadier::Steady(const wxImage& composed, wxImage& reduced) const
{
    if (!composed.IsOk() || !reduced.IsOk() || composed.GetSize() != reduced.GetSize() || !m_composed.IsOk() ||
        m_composed.GetSize() != composed.GetSize())
        return;
    const wxImage carried = CarryPalette(composed, reduced);
    if (carried.IsOk())
        reduced = carried;
    else
        KeepStillPixels(composed, reduced);
}

void GifFrameSteadier::Remember(const wxImage& composed, const wxImage& displayed)
{
    m_composed = composed;
    m_displayed = displayed;
}

wxImage GifFrameSteadier::CarryPalette(const wxImage& composed, const wxImage& reduced) const
{
    GifPalette palette;
    if (!BuildGifPalette(m_displayed, palette) || m_displayed.HasMask() || palette.count == 0)
        return wxImage();
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    const unsigned char* now = composed.GetData();
    const unsigned char* before = m_composed.GetData();

    // Only worth a try when most of the picture stands still.
    std::vector<size_t> changed;
    for (size_t p = 0; p < 3 * pixels; p += 3)
    {
        if (std::memcmp(now + p, before + p, 3) != 0)
        {
            changed.push_back(p);
            if (changed.size() > pixels / 4)
                return wxImage();
        }
    }

    // The nearest entry for each changed colour (the first of equals), and
    // the error of either candidate over the whole frame: the previous
    // frame keeps its error where the picture stands still.
    std::unordered_map<long, int> nearest;
    std::vector<int> entries(changed.size());
    double ownError = 0, carriedError = 0;
    const unsigned char* own = reduced.GetData();
    const unsigned char* shown = m_displayed.GetData();
    size_t next = 0;
    for (size_t p = 0; p < 3 * pixels; p += 3)
    {
        ownError += SquaredError(now + p, own + p);
        if (next < changed.size() && changed[next] == p)
            ++next;
        else
            carriedError += SquaredError(now + p, shown + p);
    }
    for (size_t i = 0; i < changed.size(); ++i)
    {
        const unsigned char* pixel = now + changed[i];
        auto found = nearest.find(ColourAt(pixel));
        if (found == nearest.end())
        {
            int best = 0;
            long bestError = SquaredError(pixel, palette.entries[0]);
            for (int e = 1; e < palette.count && bestError > 0; ++e)
            {
                const long error = SquaredError(pixel, palette.entries[e]);
                if (error < bestError)
                {
                    best = e;
                    bestError = error;
                }
            }
            found = nearest.emplace(ColourAt(pixel), best).first;
        }
        entries[i] = found->second;
        carriedError += SquaredError(pixel, palette.entries[found->second]);
    }
    // A little more error over the frame buys a picture that stands still;
    // so does any amount below one step per channel on the changed pixels.
    const double extra = carriedError - ownError;
    if (extra > ownError * m_tolerance && extra > 3.0 * changed.size())
        return wxImage();

    wxImage carried = m_displayed.Copy();
    if (!carried.IsOk())
        return wxImage();
    unsigned char* out = carried.GetData();
    for (size_t i = 0; i < changed.size(); ++i)
        std::memcpy(out + changed[i], palette.entries[entries[i]], 3);
    return carried;
}

void GifFrameSteadier::KeepStillPixels(const wxImage& composed, wxImage& reduced) const
{
    GifPalette palette;
    if (!BuildGifPalette(reduced, palette))
        return;
    const GifColourIndex lookup(palette.entries, palette.count);
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    const unsigned char* now = composed.GetData();
    const unsigned char* before = m_composed.GetData();
    const unsigned char* shown = m_displayed.GetData();
    unsigned char* out = reduced.GetData();
    long cached = -1; // the colour last looked up, and whether the palette has it
    bool cachedFound = false;
    for (size_t p = 0; p < 3 * pixels; p += 3)
    {
        if (std::memcmp(now + p, before + p, 3) != 0 || std::memcmp(out + p, shown + p, 3) == 0)
            continue;
        if (ColourAt(shown + p) != cached)
        {
            cached = ColourAt(shown + p);
            cachedFound = lookup.Find(shown[p], shown[p + 1], shown[p + 2]) >= 0;
        }
        if (cachedFound)
            std::memcpy(out + p, shown + p, 3);
    }
}
