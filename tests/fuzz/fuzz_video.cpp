// Fuzz entry over the video reader: probe, a part, and seeks; also the tests' replay tool.
#include "fuzzbytes.h"
#include "picture/videoreader.h"

#include <wx/image.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    return ReadFuzzBytes(data, size, [](std::FILE* file, FuzzOutcome& outcome) {
        // Small limits and one thread keep each input fast and repeatable.
        VideoLimits limits;
        limits.maxPicturePixels = 4 * PictureLimits::kMegapixel;
        limits.maxFrames = 40;
        limits.frameSeconds = 5;
        limits.threads = 1;
        VideoInfo probed;
        const auto sink = [&](wxImage& frame, std::int64_t time) {
            outcome.Add(frame.GetData(), 3 * static_cast<size_t>(frame.GetWidth()) * frame.GetHeight());
            outcome.digest = (outcome.digest ^ static_cast<std::uint64_t>(time)) * 1099511628211ull;
            // Frames come at the size the probe told.
            if (frame.GetSize() != probed.size)
                __builtin_trap();
            ++outcome.frames;
            return true;
        };
        outcome.status = ProbeVideoStream(file, probed, limits);
        if (!outcome.status.IsOk())
            return;
        outcome.status = ReadVideoStream(file, VideoPart{0, 4000000, 5}, wxSize(), sink, limits);
        const PictureStatus seeking = ReadVideoStream(file, VideoPart{1500000, 61500000, 0.5}, wxSize(), sink, limits);
        if (outcome.status.IsOk())
            outcome.status = seeking;
    });
}
