#include "encoder/lossywriter.h"

#include "encoder/gifhandler.h"
#include "encoder/imageblock.h"
#include "encoder/lossypixels.h"
#include "encoder/lzwencoder.h"
#include "encoder/nearestcolour.h"
#include "encoder/quantize.h"

#include <wx/image.h>

#include <algorithm>
#include <cstring>

namespace
{
// The 8x8 ordered-dither thresholds: every value once, neighbours far apart.
const unsigned char kBayer[64] = {0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26,
                                  12, 44, 4,  36, 14, 46, 6,  38, 60, 28, 52, 20, 62, 30, 54, 22,
                                  3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27, 49, 17, 57, 25,
                                  15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21};

// Below this squared error a pixel takes its nearest entry undithered: flat
// areas stay flat runs.
const int kFlatError = 12;
// Above this squared difference to the neighbours a pixel is texture.
const int kSmooth = 3;
// Shorter runs of pixels that may keep the screen are written in colour:
// transparency scattered among colours breaks LZW strings.
const int kMinKeepRun = 12;

int Distance(const unsigned char* a, const unsigned char* b)
{
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
}

bool Same(const unsigned char* a, const unsigned char* b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// The smallest rectangle holding every pixel in which the two RGB pictures
// differ; empty when they are equal. Equal rows are passed over whole.
wxRect ChangedBox(const unsigned char* a, const unsigned char* b, int width, int height)
{
    const size_t rowBytes = 3 * static_cast<size_t>(width);
    int left = width, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* rowA = a + y * rowBytes;
        const unsigned char* rowB = b + y * rowBytes;
        if (std::memcmp(rowA, rowB, rowBytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (x < left && Same(rowA + 3 * x, rowB + 3 * x))
            ++x;
        left = std::min(left, x);
        x = width - 1;
        while (x > right && Same(rowA + 3 * x, rowB + 3 * x))
            --x;
        right = std::max(right, x);
    }
    return top < 0 ? wxRect() : wxRect(left, top, right - left + 1, bottom - top + 1);
}

} // namespace

int GifLossTolerance(int quality)
{
    // In levels of RGB distance: 1.5 just below full quality, 20 at 50.
    const double levels = 1.5 + (100 - std::clamp(quality, 1, 100)) * 0.37;
    return static_cast<int>(levels * levels);
}

void GifOrderedDither(const unsigned char* src, int width, int height, const wxRect& area,
                      const unsigned char (*entries)[3], int count, int quality, unsigned char* indices,
                      const wxRect* part)
{
    const wxRect all(0, 0, width, height);
    const wxRect done = part ? part->Intersect(all) : all;
    GifNearestColour nearest(entries, count);
    // How much of the way to the second colour the pattern goes, in 64ths.
    const int strength = 16 + 48 * std::clamp(quality, 1, 100) / 100;
    for (int y = done.y; y < done.y + done.height; ++y)
    {
        const unsigned char* pixel = src + 3 * (static_cast<size_t>(y) * width + done.x);
        unsigned char* out = indices + static_cast<size_t>(y) * width + done.x;
        const bool rowInside = y >= area.y && y < area.y + area.height;
        for (int x = done.x; x < done.x + done.width; ++x, pixel += 3, ++out)
        {
            const int first = nearest.Find(pixel[0], pixel[1], pixel[2]);
            *out = static_cast<unsigned char>(first);
            const unsigned char* near = entries[first];
            if (!rowInside || x < area.x || x >= area.x + area.width || Distance(pixel, near) <= kFlatError)
                continue;
            // Texture hides banding by itself: only smooth parts are dithered.
            const unsigned char* right = x + 1 < width ? pixel + 3 : x > 0 ? pixel - 3 : pixel;
            const unsigned char* below = y + 1 < height ? pixel + 3 * width : y > 0 ? pixel - 3 * width : pixel;
            if (Distance(pixel, right) + Distance(pixel, below) > kSmooth)
                continue;
            // The second colour lies beyond the pixel, seen from the first:
            // the pattern mixes the two in the proportion that gives the
            // pixel's colour along the line between them.
            int beyond[3];
            for (int c = 0; c < 3; ++c)
                beyond[c] = std::clamp(pixel[c] + 2 * (pixel[c] - near[c]), 0, 255);
            const int second = nearest.Find(beyond[0], beyond[1], beyond[2]);
            if (second == first)
                continue;
            const unsigned char* far = entries[second];
            int along = 0, span = 0;
            for (int c = 0; c < 3; ++c)
            {
                along += (pixel[c] - near[c]) * (far[c] - near[c]);
                span += (far[c] - near[c]) * (far[c] - near[c]);
            }
            if (along <= 0)
                continue;
            // Mix 0 to 64; the pixel goes to the second colour where the
            // threshold is below it.
            const long mix = std::min<long>(64, 64L * along / span) * strength / 64;
            if (kBayer[(y & 7) * 8 + (x & 7)] < mix)
                *out = static_cast<unsigned char>(second);
        }
    }
}

namespace
{
// The mean squared error of every 7th pixel mapped to its nearest entry.
double SampleError(const unsigned char* src, size_t pixels, const unsigned char (*entries)[3], int count)
{
    GifNearestColour nearest(entries, count);
    double error = 0;
    size_t samples = 0;
    for (size_t p = 0; p < pixels; p += 7, ++samples)
    {
        const unsigned char* pixel = src + 3 * p;
        error += Distance(pixel, entries[nearest.Find(pixel[0], pixel[1], pixel[2])]);
    }
    return samples ? error / samples : 0;
}
} // namespace

int GifLossyColours(const wxImage& composed, int quality, bool withBlack, unsigned char (*entries)[3])
{
    const int full = ChooseFrameColours(composed, GifPalette::MaxEntries - 1, withBlack, entries);
    unsigned char fewer[GifPalette::MaxEntries][3];
    const int half = full > GifPalette::MaxEntries / 2 - 1
                         ? QuantizePalette(composed, 100, GifPalette::MaxEntries / 2 - 1, withBlack, fewer)
                         : 0;
    if (half == 0)
        return full;
    // Half the colours where they add less than a fiftieth of the tolerance
    // to the mean squared error.
    const size_t pixels = static_cast<size_t>(composed.GetWidth()) * composed.GetHeight();
    if (SampleError(composed.GetData(), pixels, fewer, half) >
        SampleError(composed.GetData(), pixels, entries, full) + GifLossTolerance(quality) / 50.0)
        return full;
    std::memcpy(entries, fewer, sizeof fewer[0] * half);
    return half;
}

GifLossyWriter::GifLossyWriter(int quality)
    : m_quality(std::clamp(quality, 1, 99)), m_tolerance(GifLossTolerance(m_quality))
{
}

bool GifLossyWriter::GlobalServes(const unsigned char* src, size_t pixels, const GifPalette& own) const
{
    const int colours = m_global.transparentIndex >= 0 ? m_global.transparentIndex : m_global.count;
    // The very colours of the global table serve as well as themselves.
    if (own.count == colours && std::memcmp(own.entries, m_global.entries, sizeof own.entries[0] * colours) == 0)
        return true;
    GifNearestColour global(m_global.entries, colours), mine(own.entries, own.count);
    long long globalError = 0, ownError = 0, samples = 0;
    for (size_t p = 0; p < pixels; p += 7, ++samples)
    {
        const unsigned char* pixel = src + 3 * p;
        globalError += Distance(pixel, m_global.entries[global.Find(pixel[0], pixel[1], pixel[2])]);
        ownError += Distance(pixel, own.entries[mine.Find(pixel[0], pixel[1], pixel[2])]);
    }
    // Lower quality lets the global table serve with more error.
    return globalError * 100 <= ownError * (110 + (100 - m_quality) / 2) + samples * 100;
}

bool GifLossyWriter::ColoursServe(const wxImage& composed, const GifPalette& colours) const
{
    if (!composed.IsOk() || composed.GetWidth() != m_width || composed.GetHeight() != m_height ||
        m_source.empty() || colours.count < 1 || colours.count >= GifPalette::MaxEntries)
        return false;
    GifNearestColour nearest(colours.entries, colours.count);
    const unsigned char* src = composed.GetData();
    const unsigned char* before = m_source.data();
    const wxRect box = ChangedBox(src, before, m_width, m_height);
    // On average within the tolerance, and no pixel far beyond it: a few
    // new edge shades may be near misses, a new colour is not.
    long long changed = 0, error = 0;
    for (int y = box.y; y < box.GetBottom() + 1; ++y)
    {
        for (int x = box.x; x < box.GetRight() + 1; ++x)
        {
            const size_t at = 3 * (static_cast<size_t>(y) * m_width + x);
            const unsigned char* pixel = src + at;
            if (Same(pixel, before + at))
                continue;
            const int distance = Distance(pixel, colours.entries[nearest.Find(pixel[0], pixel[1], pixel[2])]);
            if (distance > 10 * m_tolerance)
                return false;
            error += distance;
            ++changed;
        }
    }
    return error <= changed * m_tolerance;
}

bool GifLossyWriter::WriteFrame(const wxImage& composed, const GifPalette& own, const wxRect& area, int delayMs,
                                bool first)
{
    if (!composed.IsOk() || own.count < 1 || own.count >= GifPalette::MaxEntries ||
        (!first && (composed.GetWidth() != m_width || composed.GetHeight() != m_height)))
        return false;
    const int width = composed.GetWidth();
    const int height = composed.GetHeight();
    const size_t pixels = static_cast<size_t>(width) * height;
    const unsigned char* src = composed.GetData();

    // The table: the global one while it serves, else the frame's own as a
    // local table; either with a spare entry after the colours for
    // transparency.
    const bool local = !first && !GlobalServes(src, pixels, own);
    GifPalette table = first || local ? own : m_global;
    if (first || local)
    {
        table.transparentIndex = table.count;
        std::memset(table.entries[table.count++], 0, 3);
    }
    const int colours = table.transparentIndex;

    // Only where the picture changed can a pixel need writing: a pixel
    // whose picture is the same keeps what is on screen.
    const wxRect changed = first ? wxRect(0, 0, width, height) : ChangedBox(src, m_source.data(), width, height);
    std::vector<unsigned char> dithered(pixels);
    GifOrderedDither(src, width, height, area, table.entries, colours, m_quality, dithered.data(), &changed);

    // What each pixel may do, and the rectangle of the pixels that must
    // change.
    std::vector<unsigned char> keep(pixels, first ? 0 : 1);
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = changed.y; y < changed.GetBottom() + 1; ++y)
    {
        for (int x = changed.x; x < changed.GetRight() + 1; ++x)
        {
            const size_t p = static_cast<size_t>(y) * width + x;
            const unsigned char* pixel = src + 3 * p;
            if (!first)
            {
                const unsigned char* shown = m_screen.data() + 3 * p;
                keep[p] = Same(pixel, m_source.data() + 3 * p) || Same(shown, table.entries[dithered[p]]) ||
                          (area.Contains(x, y) && Distance(pixel, shown) <= m_tolerance);
            }
            if (!keep[p])
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (bottom < 0)
        left = right = top = bottom = 0; // one kept pixel carries the delay

    const int rectWidth = right - left + 1, rectHeight = bottom - top + 1;
    const size_t rectPixels = static_cast<size_t>(rectWidth) * rectHeight;
    std::vector<unsigned char> preferred(rectPixels), alternative(rectPixels), want(3 * rectPixels),
        mayKeep(rectPixels), exact(rectPixels), chosen(rectPixels);
    for (int y = 0; y < rectHeight; ++y)
    {
        int run = 0; // kept pixels from here on in the row
        for (int x = 0; x < rectWidth; ++x)
        {
            const size_t at = static_cast<size_t>(y) * rectWidth + x;
            const size_t p = static_cast<size_t>(top + y) * width + left + x;
            if (run == 0)
            {
                while (x + run < rectWidth && keep[p + run])
                    ++run;
            }
            alternative[at] = dithered[p];
            mayKeep[at] = keep[p];
            exact[at] = !area.Contains(left + x, top + y); // the black around the picture stays exact
            preferred[at] = run >= kMinKeepRun || (first == false && run > 0 && Same(src + 3 * p, m_source.data() + 3 * p))
                                ? static_cast<unsigned char>(table.transparentIndex)
                                : dithered[p];
            if (run > 0)
                --run;
            std::memcpy(&want[3 * at], src + 3 * p, 3);
        }
    }
    GifLossyPixels lossy;
    lossy.count = rectPixels;
    lossy.preferred = preferred.data();
    lossy.alternative = alternative.data();
    lossy.want = want.data();
    lossy.keep = mayKeep.data();
    lossy.exact = exact.data();
    lossy.entries = table.entries;
    lossy.colours = colours;
    lossy.transparent = table.transparentIndex;
    lossy.tolerance = m_tolerance;
    const int codeSize = std::max(2, GifTableSizeExponent(table.count));
    const std::vector<unsigned char> data = GifLzwEncoder(codeSize).EncodeLossy(lossy, chosen.data());

    GifImageBlock block;
    block.left = left;
    block.top = top;
    block.width = rectWidth;
    block.height = rectHeight;
    block.disposal = 1;
    block.delayMs = delayMs;
    // The first frame uses no transparency but names the spare entry too:
    // every frame's table then tells where its colours end.
    block.transparentIndex = table.transparentIndex;
    block.localTable = local ? table.entries : nullptr;
    block.localCount = local ? table.count : 0;
    block.codeSize = codeSize;
    block.encoded = &data;
    if (first && !MyGifHandler::WriteScreen(width, height, table.entries, table.count))
        return false;
    if (!MyGifHandler::WriteImageBlock(block))
        return false;

    if (first)
    {
        m_width = width;
        m_height = height;
        m_global = table;
        m_screen.assign(3 * pixels, 0);
    }
    for (int y = 0; y < rectHeight; ++y)
    {
        for (int x = 0; x < rectWidth; ++x)
        {
            const size_t at = static_cast<size_t>(y) * rectWidth + x;
            if (chosen[at] != table.transparentIndex || first)
                std::memcpy(&m_screen[3 * (static_cast<size_t>(top + y) * width + left + x)], table.entries[chosen[at]], 3);
        }
    }
    m_source.assign(src, src + 3 * pixels);
    return true;
}
