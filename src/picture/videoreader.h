#pragma once
// The program's one reader of video clips, beside the picture reader and
// under the same rules: whatever a file holds, it never crashes, never waits
// without end, never allocates beyond VideoLimits and never hands out memory
// it did not fill.
//
// What a file is comes from its content: MP4 and MOV (H.264, H.265, ...),
// Matroska and WebM (VP8, VP9, AV1, ...) and AVI. Sound is passed over. A
// frame is taken as the clip shows it at a time: the last frame that starts
// at or before that time (the first frame before it starts), with the pixel
// aspect ratio and the rotation the clip asks for, whatever the clip's rate,
// constant or not.
//
// Frames are delivered one at a time; only the frame shown and the one
// decoded after it are held, so a clip of any length reads in bounded memory.

#include "picture/picturestatus.h"
#include "picture/videoinfo.h"
#include "picture/videolimits.h"
#include "picture/videopart.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

class wxImage;
class wxSize;
class wxString;

// Receives each frame with the time it was taken at (microseconds from the
// clip's start); may keep or move the image. Returns false to stop reading
// (the read still counts as a success).
using VideoFrameSink = std::function<bool(wxImage& frame, std::int64_t time)>;

// Whether the file is a clip the reader reads, and what it says of itself.
// NotAPictureOrClip when its content is no container the reader knows.
PictureStatus ProbeVideo(const wxString& path, VideoInfo& info, const VideoLimits& limits = VideoLimits());

// How many frames `part` gives of the clip; -1 when the clip does not say how
// long it is and the part runs to its end.
std::int64_t CountVideoFrames(const VideoInfo& info, const VideoPart& part);

// Streams the frames of `part` to `sink`, each at `frameSize` (the picture
// as shown scaled to exactly that size; an empty size: as the clip shows
// it). A part of more than limits.maxFrames frames is refused (TooLarge)
// before anything is decoded, or, when the clip's length is unknown, once it
// would give more. A clip whose data breaks off gives the frames before the
// break, with status.cutShort.
PictureStatus ReadVideoPart(const wxString& path, const VideoPart& part, const wxSize& frameSize,
                            const VideoFrameSink& sink, const VideoLimits& limits = VideoLimits());

// The frames shown at `times` (microseconds, in rising order), in one pass.
PictureStatus ReadVideoFramesAt(const wxString& path, const std::vector<std::int64_t>& times,
                                const wxSize& frameSize, const VideoFrameSink& sink,
                                const VideoLimits& limits = VideoLimits());

// The same over an open stream, for the fuzz tests.
PictureStatus ProbeVideoStream(std::FILE* file, VideoInfo& info, const VideoLimits& limits = VideoLimits());
PictureStatus ReadVideoStream(std::FILE* file, const VideoPart& part, const wxSize& frameSize,
                              const VideoFrameSink& sink, const VideoLimits& limits = VideoLimits());
