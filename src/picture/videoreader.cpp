#include "picture/videoreader.h"

#include "picture/picturefile.h"
#include "picture/videoinput.h"

#include <wx/image.h>
#include <wx/string.h>

#include <algorithm>
#include <cmath>

namespace
{
// The time of the k-th frame of a read; -1 after the last.
using FrameTimes = std::function<std::int64_t(std::int64_t k)>;

PictureStatus TooManyFrames(std::int64_t count, const VideoLimits& limits)
{
    const long long limit = static_cast<long long>(limits.maxFrames);
    return PictureStatus::Fail(PictureError::TooLarge,
                               count >= 0 ? wxString::Format("%lld frames, more than %lld",
                                                             static_cast<long long>(count), limit)
                                          : wxString::Format("more than %lld frames", limit));
}

// Decodes in order and hands on, for each time wanted, the frame shown then:
// the held frame, until a decoded one starts at or before that time.
PictureStatus ReadFrames(VideoInput& input, const FrameTimes& times, const wxSize& frameSize,
                         const VideoFrameSink& sink, const VideoLimits& limits)
{
    const VideoInfo& info = input.GetInfo();
    const wxSize size = frameSize.x > 0 && frameSize.y > 0 ? frameSize : info.size;
    std::int64_t k = 0;
    std::int64_t time = times(0);
    bool going = true;
    // Delivers the held frame for every time before `until`.
    auto deliverUntil = [&](std::int64_t until) {
        while (going && time >= 0 && time < until)
        {
            if (k >= limits.maxFrames)
                return TooManyFrames(-1, limits);
            wxImage image;
            const PictureStatus converted = input.ConvertHeld(size, image);
            if (!converted.IsOk())
                return converted;
            going = sink(image, time);
            time = times(++k);
        }
        return PictureStatus();
    };

    // A later start begins at the key frame before it.
    bool sought = time > 0 && input.SeekBefore(time);
    PictureStatus ended;
    bool cut = false;
    while (going && time >= 0 && input.DecodeNext(ended, cut))
    {
        const std::int64_t next = input.PendingTime();
        if (!input.HasHeld())
        {
            // Landed past the time wanted (a clip with a poor index): from
            // the start instead.
            if (sought && next > time && input.SeekBefore(0))
            {
                sought = false;
                continue;
            }
            input.HoldPending();
            continue;
        }
        if (next < input.HeldTime())
            continue; // out of order in a damaged clip: passed over
        const PictureStatus delivered = deliverUntil(next);
        if (!delivered.IsOk())
            return delivered;
        input.HoldPending();
    }
    if (!going || time < 0)
        return PictureStatus();
    const bool damaged = ended.error == PictureError::Damaged;
    if (!ended.IsOk() && !damaged)
        return ended;
    // The last frame shows to the end of the clip, unless the data broke off
    // (or ends well before the length the clip gives itself).
    const std::int64_t interval = info.frameRate > 0 ? std::llround(1e6 / info.frameRate) : 0;
    const std::int64_t slack = std::max<std::int64_t>(3 * interval, 500000);
    const bool whole = ended.IsOk() && !cut &&
                       (info.duration < 0 || (input.HasHeld() && input.HeldEnd() + slack >= info.duration));
    if (input.HasHeld())
    {
        const PictureStatus delivered = deliverUntil(whole ? std::max(input.HeldEnd(), info.duration) : input.HeldEnd());
        if (!delivered.IsOk())
            return delivered;
        if (!going || time < 0 || (whole && info.duration < 0 && k > 0))
            return PictureStatus();
    }
    if (k == 0)
        return damaged ? ended : PictureStatus::Fail(whole ? PictureError::NoFrames : PictureError::Truncated);
    PictureStatus partial;
    partial.cutShort = true;
    return partial;
}

template <typename Read>
PictureStatus WithFile(const wxString& path, Read read)
{
    PictureFilePtr file;
    const PictureStatus status = OpenPictureFile(path, file);
    return status.IsOk() ? read(file.get()) : status;
}
} // namespace

PictureStatus ProbeVideoStream(std::FILE* file, VideoInfo& info, const VideoLimits& limits)
{
    VideoInput input(limits);
    const PictureStatus status = input.Open(file);
    if (status.IsOk())
        info = input.GetInfo();
    return status;
}

PictureStatus ProbeVideo(const wxString& path, VideoInfo& info, const VideoLimits& limits)
{
    return WithFile(path, [&](std::FILE* file) { return ProbeVideoStream(file, info, limits); });
}

std::int64_t CountVideoFrames(const VideoInfo& info, const VideoPart& part)
{
    return CountVideoPartFrames(SettleVideoPart(part, info.frameRate, info.duration));
}

PictureStatus ReadVideoStream(std::FILE* file, const VideoPart& part, const wxSize& frameSize,
                              const VideoFrameSink& sink, const VideoLimits& limits)
{
    VideoInput input(limits);
    const PictureStatus status = input.Open(file);
    if (!status.IsOk())
        return status;
    const VideoPart settled = SettleVideoPart(part, input.GetInfo().frameRate, input.GetInfo().duration);
    const std::int64_t count = CountVideoPartFrames(settled);
    if (count == 0)
        return PictureStatus::Fail(PictureError::NoFrames);
    if (count > limits.maxFrames)
        return TooManyFrames(count, limits);
    return ReadFrames(
        input,
        [&](std::int64_t k) {
            if (count >= 0 && k >= count)
                return std::int64_t(-1);
            const std::int64_t time = VideoPartFrameTime(settled, k);
            return settled.end >= 0 && time >= settled.end ? std::int64_t(-1) : time;
        },
        frameSize, sink, limits);
}

PictureStatus ReadVideoPart(const wxString& path, const VideoPart& part, const wxSize& frameSize,
                            const VideoFrameSink& sink, const VideoLimits& limits)
{
    return WithFile(path, [&](std::FILE* file) { return ReadVideoStream(file, part, frameSize, sink, limits); });
}

PictureStatus ReadVideoFramesAt(const wxString& path, const std::vector<std::int64_t>& times,
                                const wxSize& frameSize, const VideoFrameSink& sink, const VideoLimits& limits)
{
    if (times.empty())
        return PictureStatus::Fail(PictureError::NoFrames);
    if (static_cast<std::int64_t>(times.size()) > limits.maxFrames)
        return TooManyFrames(static_cast<std::int64_t>(times.size()), limits);
    std::vector<std::int64_t> rising = times;
    std::sort(rising.begin(), rising.end());
    return WithFile(path, [&](std::FILE* file) {
        VideoInput input(limits);
        const PictureStatus status = input.Open(file);
        if (!status.IsOk())
            return status;
        return ReadFrames(
            input,
            [&](std::int64_t k) {
                return k < static_cast<std::int64_t>(rising.size()) ? std::max<std::int64_t>(0, rising[k])
                                                                     : std::int64_t(-1);
            },
            frameSize, sink, limits);
    });
}
