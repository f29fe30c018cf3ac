// Fuzz entry over the picture reader's probe and decoding; also the tests' replay tool.
#include "fuzzbytes.h"
#include "picture/picturereader.h"

#include <wx/image.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    return ReadFuzzBytes(data, size, [](std::FILE* file, FuzzOutcome& outcome) {
        // Small limits keep each input fast; the checks are the same at any size.
        PictureLimits limits;
        limits.maxPicturePixels = 4 * PictureLimits::kMegapixel;
        limits.maxJpegScans = 100;
        wxSize probed;
        const PictureStatus probe = ProbePictureStream(file, probed, limits);
        std::rewind(file);  // the probe leaves the stream where it stopped
        const auto sink = [&](wxImage& frame) {
            const size_t pixels = static_cast<size_t>(frame.GetWidth()) * frame.GetHeight();
            outcome.Add(frame.GetData(), 3 * pixels);
            if (frame.HasAlpha())
                outcome.Add(frame.GetAlpha(), pixels);
            // A probe that succeeded must have told the size every frame has.
            if (probe.IsOk() && frame.GetSize() != probed)
                __builtin_trap();
            ++outcome.frames;
            return true;
        };
        outcome.status = ReadPictureStream(file, true, sink, limits);
    });
}
