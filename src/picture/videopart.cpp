#include "picture/videopart.h"

#include "picture/videotime.h"

#include <algorithm>
#include <cmath>

double DefaultVideoRate(double clipRate)
{
    return clipRate > 0 && clipRate < 10 ? clipRate : 10;
}

VideoPart SettleVideoPart(const VideoPart& part, double clipRate, std::int64_t duration)
{
    VideoPart settled = part;
    // Rates beyond these make no animation; they are kept from overflowing
    // the frame times.
    settled.fps = settled.fps > 0 ? std::clamp(settled.fps, 0.001, 1000.0) : DefaultVideoRate(clipRate);
    settled.start = std::max<std::int64_t>(0, settled.start);
    if (duration >= 0 && (settled.end < 0 || settled.end > duration))
        settled.end = duration;
    return settled;
}

std::int64_t VideoPartFrameTime(const VideoPart& part, std::int64_t k)
{
    return part.start + std::llround(static_cast<double>(k) * kMicroseconds / part.fps);
}

std::int64_t CountVideoPartFrames(const VideoPart& part)
{
    if (part.end < 0)
        return -1;
    if (part.end <= part.start || !(part.fps > 0))
        return 0;
    // The estimate is off by at most one either way through rounding; the
    // frame times themselves decide.
    std::int64_t count = static_cast<std::int64_t>(
        std::ceil(static_cast<double>(part.end - part.start) * part.fps / kMicroseconds));
    while (count > 0 && VideoPartFrameTime(part, count - 1) >= part.end)
        --count;
    while (VideoPartFrameTime(part, count) < part.end)
        ++count;
    return count;
}

int DelayForVideoRate(double fps)
{
    if (!(fps > 0))
        return 10;
    return static_cast<int>(std::clamp<double>(std::round(100 / fps), 1, 65535));
}
