#pragma once
// Which frames a part of a clip gives: from `start` to `end`, one frame every
// 1/fps seconds, each the frame the clip shows at that time. Frame k is taken
// at start + k / fps, rounded to the microsecond, so that the same part
// always gives the same frames and a frame's time, written down, finds that
// frame again.

#include <cstdint>

struct VideoPart
{
    std::int64_t start = 0; // microseconds from the clip's start
    std::int64_t end = -1;  // microseconds, not included; -1: to the clip's end
    double fps = 0;         // frames per second; 0: the clip's own rate, at most 10
};

// The rate a part takes when it names none: the clip's own (0 when it does
// not say), at most 10 frames per second.
double DefaultVideoRate(double clipRate);

// The part with its rate and end settled for a clip of `duration`
// microseconds (-1 when unknown): an end beyond the clip is its end.
VideoPart SettleVideoPart(const VideoPart& part, double clipRate, std::int64_t duration);

// When frame k of a settled part is taken.
std::int64_t VideoPartFrameTime(const VideoPart& part, std::int64_t k);

// How many frames a settled part gives; -1 when its end is unknown (the clip
// does not say how long it is), 0 when it is empty.
std::int64_t CountVideoPartFrames(const VideoPart& part);

// The delay in hundredths of a second that plays frames at `fps` (100 / fps,
// rounded), within what a GIF can hold.
int DelayForVideoRate(double fps);
