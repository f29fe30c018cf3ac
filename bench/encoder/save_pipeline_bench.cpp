// Per-frame cost of the save pipeline on photograph-like pictures, with the
// fast paths against the plain ones they replace (which must give the same bytes).
#include "testimages.h"
#include "encoder/colourindex.h"
#include "encoder/colourreduce.h"
#include "encoder/framecompose.h"
#include "encoder/gifhandler.h"
#include "encoder/palette.h"

#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double TimeMs(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string WriteFrame(const wxImage& reduced)
{
    wxMemoryOutputStream stream;
    g_gifOutputStream = &stream;
    MyGifHandler handler;
    handler.SaveFrame(reduced, 100, 2, 1);  // a middle frame: local table, no header
    g_gifOutputStream = nullptr;
    std::string bytes(stream.GetLength(), '\0');
    stream.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

// Maps every pixel to its palette entry, as the writer does, one way or the other.
long MapPixels(const wxImage& reduced, bool linear)
{
    GifPalette palette;
    BuildGifPalette(reduced, palette);
    const GifColourIndex lookup(palette.entries, palette.count);
    const unsigned char* pixel = reduced.GetData();
    long sum = 0;
    const long pixels = static_cast<long>(reduced.GetWidth()) * reduced.GetHeight();
    for (long p = 0; p < pixels; ++p, pixel += 3)
        sum += linear ? lookup.FindLinear(pixel[0], pixel[1], pixel[2]) : lookup.Find(pixel[0], pixel[1], pixel[2]);
    return sum;
}

void Measure(int width, int height, int frames)
{
    std::vector<double> compose, reduceFast, reducePlain, write, mapFast, mapLinear;
    bool identical = true;
    size_t bytes = 0;
    for (int f = 0; f < frames; ++f)
    {
        // A larger picture of another shape: shrunk, then letterboxed on black.
        const wxImage picture = testimages::PhotoLike(width * 5 / 4, height * 3 / 2, 100 + f);
        wxImage composed;
        compose.push_back(TimeMs([&] { composed = ComposeFrame(picture, width, height); }));
        wxImage fast, plain;
        reduceFast.push_back(TimeMs([&] { fast = ReduceFrameColours(composed); }));
        wxImage forBmp = composed.Copy();
        reducePlain.push_back(TimeMs([&] { plain = ReduceFrameColoursViaBmp(forBmp); }));
        std::string written;
        write.push_back(TimeMs([&] { written = WriteFrame(fast); }));
        bytes += written.size();
        identical = identical && written == WriteFrame(plain);
        long a = 0, b = 0;
        mapFast.push_back(TimeMs([&] { a = MapPixels(fast, false); }));
        mapLinear.push_back(TimeMs([&] { b = MapPixels(fast, true); }));
        identical = identical && a == b;
    }
    const double fastTotal = Median(compose) + Median(reduceFast) + Median(write);
    const double plainTotal = Median(compose) + Median(reducePlain) + Median(write) +
                              (Median(mapLinear) - Median(mapFast));
    std::printf("%dx%d, %d frames, median ms per frame\n", width, height, frames);
    std::printf("  compose                        %9.2f\n", Median(compose));
    std::printf("  reduce: quantizer directly     %9.2f\n", Median(reduceFast));
    std::printf("  reduce: 8-bit BMP round trip   %9.2f\n", Median(reducePlain));
    std::printf("  write (LZW, hashed lookup)     %9.2f   (%zu bytes per frame)\n", Median(write), bytes / frames);
    std::printf("  pixel -> entry: hashed         %9.2f\n", Median(mapFast));
    std::printf("  pixel -> entry: linear search  %9.2f\n", Median(mapLinear));
    std::printf("  per frame, fast path           %9.2f\n", fastTotal);
    std::printf("  per frame, plain path          %9.2f   (x%.1f)\n", plainTotal, plainTotal / fastTotal);
    std::printf("  same bytes from both paths: %s\n\n", identical ? "yes" : "NO");
}
} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 1;
    wxInitAllImageHandlers();
    Measure(640, 360, 9);
    Measure(1920, 1080, 3);
    return 0;
}
