// Fuzz entry over the picture reader: any bytes, as a stream, through the
// probe and the full decoding of every frame. Built for libFuzzer with
// -DGLOAMER_FUZZ=ON, and always as the replay tool the tests run.
#include "fuzzbytes.h"
#include "picture/picturereader.h"

#include <wx/image.h>
#include <wx/init.h>

#include <cstdint>
#include <cstdio>

// What the last input gave, for the replay tool to print.
std::uint64_t g_lastDigest = 0;
int g_lastFrames = 0;
PictureStatus g_lastStatus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static wxInitializer initializer;
    // Small limits keep each input fast; the checks are the same at any size.
    PictureLimits limits;
    limits.maxPicturePixels = 4 * PictureLimits::kMegapixel;
    limits.maxJpegScans = 100;

    std::uint64_t digest = 1469598103934665603ull;
    int frames = 0;
    std::FILE* file = OpenFuzzBytes(data, size);
    if (!file)
        return 0;
    wxSize probed;
    const PictureStatus probe = ProbePictureStream(file, probed, limits);
    const PictureStatus status = ReadPictureStream(
        file, true,
        [&](wxImage& frame) {
            // Every byte is read, so uninitialised memory shows up in tools.
            const size_t pixels = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
            const unsigned char* rgb = frame.GetData();
            for (size_t i = 0; i < 3 * pixels; ++i)
                digest = (digest ^ rgb[i]) * 1099511628211ull;
            if (frame.HasAlpha())
                for (size_t i = 0; i < pixels; ++i)
                    digest = (digest ^ frame.GetAlpha()[i]) * 1099511628211ull;
            // A probe that succeeded must have told the size every frame has.
            if (probe.IsOk() && frame.GetSize() != probed)
                __builtin_trap();
            ++frames;
            return true;
        },
        limits);
    std::fclose(file);
    g_lastDigest = digest;
    g_lastFrames = frames;
    g_lastStatus = status;
    return 0;
}
