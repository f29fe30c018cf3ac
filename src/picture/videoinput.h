#pragma once
// One clip opened through FFmpeg's libraries, decoded frame by frame in the
// order they are shown. Only the containers and codecs listed in the source
// are read; the clip's bytes come from an open file and nothing else is ever
// opened (a clip cannot name other files or addresses). Every wait is bounded
// by the limits' time per frame, every frame by their size. FFmpeg's own log
// never reaches the terminal; its last error can explain a failure.
//
// Two frames are kept: the pending one, just decoded, and the held one, the
// frame shown before it. The video reader picks frames by time from them.

#include "picture/picturestatus.h"
#include "picture/videoinfo.h"
#include "picture/videolimits.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwsContext;
class wxImage;

class VideoInput
{
public:
    explicit VideoInput(const VideoLimits& limits);
    ~VideoInput();
    VideoInput(const VideoInput&) = delete;
    VideoInput& operator=(const VideoInput&) = delete;

    // Reads the clip's headers from `file`, which stays open and the
    // caller's, and readies its picture stream's decoder.
    PictureStatus Open(std::FILE* file);
    const VideoInfo& GetInfo() const { return m_info; }

    // Moves to the key frame at or before `time` (microseconds from the
    // clip's start); both frames are dropped. False when the clip cannot seek.
    bool SeekBefore(std::int64_t time);

    // Decodes the next frame into the pending place. False at the end of the
    // picture stream: `status` is then None when the stream simply ended,
    // with `cut` set when its data broke off or could not be read on; or
    // the failure that ended it.
    bool DecodeNext(PictureStatus& status, bool& cut);
    std::int64_t PendingTime() const { return m_pendingTime; }

    // The pending frame becomes the held one.
    void HoldPending();
    bool HasHeld() const { return m_hasHeld; }
    std::int64_t HeldTime() const { return m_heldTime; }
    // When the held frame stops showing (its time plus its duration).
    std::int64_t HeldEnd() const { return m_heldEnd; }

    // The held frame as shown, at `size` (after rotation).
    PictureStatus ConvertHeld(const wxSize& size, wxImage& image);

private:
    static int ReadPacket(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t SeekStream(void* opaque, std::int64_t offset, int whence);
    static int Interrupted(void* opaque);
    bool Expired() const { return std::chrono::steady_clock::now() > m_deadline; }
    void StartWaiting();
    PictureStatus OpenStream();
    PictureStatus Describe(int error, PictureError kind) const;
    std::int64_t ToClipTime(std::int64_t timestamp) const;

    const VideoLimits m_limits;
    std::FILE* m_file = nullptr;
    std::int64_t m_fileSize = 0; // as at opening: a file still growing ends there
    std::int64_t m_position = 0;
    std::chrono::steady_clock::time_point m_deadline;

    AVIOContext* m_io = nullptr;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_pending = nullptr;
    AVFrame* m_held = nullptr;
    SwsContext* m_scaler = nullptr;
    int m_stream = -1;
    std::int64_t m_streamStart = 0; // in the stream's time base
    bool m_mp4 = false; // an MP4/MOV file: its boxes tell when it was cut
    bool m_draining = false;
    bool m_readFailed = false;

    VideoInfo m_info;
    std::int64_t m_frameInterval = 0; // microseconds; 0 when the rate is unknown
    std::int64_t m_pendingTime = 0;
    std::int64_t m_pendingEnd = 0;
    bool m_hasHeld = false;
    std::int64_t m_heldTime = 0;
    std::int64_t m_heldEnd = 0;
};
