// Fuzz entry over the video reader: any bytes, as a stream, through the probe,
// a part from the clip's start and frames taken at times that make it seek.
// Built for libFuzzer with -DGLOAMER_FUZZ=ON, and always as the replay tool
// the tests run.
#include "fuzzbytes.h"
#include "picture/videoreader.h"

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
    // Small limits and one thread keep each input fast and repeatable; the
    // checks are the same at any size.
    VideoLimits limits;
    limits.maxPicturePixels = 4 * PictureLimits::kMegapixel;
    limits.maxFrames = 40;
    limits.frameSeconds = 5;
    limits.threads = 1;

    std::uint64_t digest = 1469598103934665603ull;
    int frames = 0;
    VideoInfo probed;
    const auto sink = [&](wxImage& frame, std::int64_t time) {
        // Every byte is read, so uninitialised memory shows up in tools.
        const size_t values = 3 * static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
        for (size_t i = 0; i < values; ++i)
            digest = (digest ^ frame.GetData()[i]) * 1099511628211ull;
        digest = (digest ^ static_cast<std::uint64_t>(time)) * 1099511628211ull;
        // Frames come at the size the probe told.
        if (frame.GetSize() != probed.size)
            __builtin_trap();
        ++frames;
        return true;
    };
    std::FILE* file = OpenFuzzBytes(data, size);
    if (!file)
        return 0;
    PictureStatus status = ProbeVideoStream(file, probed, limits);
    if (status.IsOk())
    {
        status = ReadVideoStream(file, VideoPart{0, 4000000, 5}, wxSize(), sink, limits);
        PictureStatus seeking = ReadVideoStream(file, VideoPart{1500000, 61500000, 0.5}, wxSize(), sink, limits);
        if (status.IsOk())
            status = seeking;
    }
    std::fclose(file);
    g_lastDigest = digest;
    g_lastFrames = frames;
    g_lastStatus = status;
    return 0;
}
