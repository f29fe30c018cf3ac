#include "picture/videoinput.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <wx/image.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace
{
// Containers read: MP4/MOV (and 3GP), Matroska/WebM, AVI. A demuxer's name
// lists what it reads ("mov,mp4,m4a,3gp,3g2,mj2").
const char* const kFormats[] = {"mov", "matroska", "avi"};

// Picture codecs read; the decoders FFmpeg may open while it looks at a clip.
const AVCodecID kCodecs[] = {AV_CODEC_ID_H264,      AV_CODEC_ID_HEVC,      AV_CODEC_ID_VP8,
                             AV_CODEC_ID_VP9,       AV_CODEC_ID_AV1,       AV_CODEC_ID_MPEG4,
                             AV_CODEC_ID_MSMPEG4V2, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_MJPEG,
                             AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_PRORES};
const char* const kDecoderNames = "h264,hevc,vp8,vp9,libdav1d,libaom-av1,mpeg4,msmpeg4v2,msmpeg4,mjpeg,"
                                  "mpeg1video,mpeg2video,prores";

constexpr int kIoBufferSize = 64 * 1024;
constexpr AVRational kMicrosecondBase = {1, 1000000};

// FFmpeg's messages never reach the terminal; the last error of this thread
// is kept to explain a failure.
thread_local std::string g_lastVideoMessage;

void KeepVideoLogQuiet(void* context, int level, const char* format, va_list args)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[256] = {};
    int prefix = 0;
    av_log_format_line2(context, level, format, args, line, sizeof line, &prefix);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (!text.empty())
        g_lastVideoMessage = text;
}

void PrepareFfmpeg()
{
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_ERROR);
        av_log_set_callback(&KeepVideoLogQuiet);
    });
}

bool IsReadFormat(const char* name)
{
    std::string names = name ? name : "";
    for (size_t start = 0; start <= names.size();)
    {
        const size_t comma = std::min(names.find(',', start), names.size());
        const std::string one = names.substr(start, comma - start);
        for (const char* format : kFormats)
        {
            if (one == format)
                return true;
        }
        start = comma + 1;
    }
    return false;
}

bool IsReadCodec(AVCodecID id)
{
    for (const AVCodecID codec : kCodecs)
    {
        if (codec == id)
            return true;
    }
    return false;
}

// FFmpeg's own AV1 decoder needs graphics hardware; the libraries decode in
// software.
const AVCodec* FindDecoder(AVCodecID id)
{
    if (id == AV_CODEC_ID_AV1)
    {
        for (const char* name : {"libdav1d", "libaom-av1"})
        {
            if (const AVCodec* decoder = avcodec_find_decoder_by_name(name))
                return decoder;
        }
    }
    return avcodec_find_decoder(id);
}

// A clip names no other file: whatever a container refers to stays unread.
int RefuseOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

// Frame buffers start out black instead of whatever memory held before, so a
// damaged frame the decoder leaves partly unwritten shows nothing stale.
int ClearedBuffer(AVCodecContext* codec, AVFrame* frame, int flags)
{
    const int result = avcodec_default_get_buffer2(codec, frame, flags);
    if (result < 0)
        return result;
    for (AVBufferRef* buffer : frame->buf)
    {
        if (buffer)
            std::memset(buffer->data, 0, buffer->size);
    }
    return 0;
}

bool IsFullRangeFormat(int format)
{
    return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P ||
           format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

// Clockwise quarter turns the display matrix asks for, in degrees.
int RotationOf(const AVStream* stream)
{
    size_t size = 0;
    const std::uint8_t* matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    if (!matrix || size < 9 * sizeof(std::int32_t))
        return 0;
    std::int32_t values[9];
    std::memcpy(values, matrix, sizeof values);
    const double counterclockwise = av_display_rotation_get(values);
    if (!std::isfinite(counterclockwise))
        return 0;
    const long quarters = std::lround(-counterclockwise / 90);
    return static_cast<int>(((quarters % 4) + 4) % 4) * 90;
}

// Whether an MP4/MOV file's top-level boxes claim more bytes than it has.
bool BoxesRunPastEnd(std::FILE* file, std::int64_t size)
{
    std::int64_t at = 0;
    for (int box = 0; box < 100000 && at + 8 <= size; ++box)
    {
        std::uint8_t head[16];
        if (fseeko(file, static_cast<off_t>(at), SEEK_SET) != 0 || std::fread(head, 1, 8, file) != 8)
            return false;
        std::uint64_t length = static_cast<std::uint64_t>(head[0]) << 24 | head[1] << 16 | head[2] << 8 | head[3];
        if (length == 1) // the length follows as 64 bits
        {
            if (at + 16 > size || std::fread(head + 8, 1, 8, file) != 8)
                return true;
            length = 0;
            for (int i = 8; i < 16; ++i)
                length = length << 8 | head[i];
        }
        else if (length == 0) // to the end of the file
            return false;
        if (length < 8)
            return false;
        if (length > static_cast<std::uint64_t>(size - at))
            return true;
        at += static_cast<std::int64_t>(length);
    }
    return at < size && size - at < 8; // cut inside a box's head
}

PictureStatus TooLargeVideo(std::int64_t width, std::int64_t height, const VideoLimits& limits)
{
    return PictureStatus::Fail(
        PictureError::TooLarge,
        wxString::Format("%lld x %lld exceeds %llu megapixels", static_cast<long long>(width),
                         static_cast<long long>(height),
                         static_cast<unsigned long long>(limits.maxPicturePixels / PictureLimits::kMegapixel)));
}

bool Fits(std::int64_t width, std::int64_t height, const VideoLimits& limits)
{
    PictureLimits pictureLimits;
    pictureLimits.maxPicturePixels = limits.maxPicturePixels;
    return width > 0 && height > 0 &&
           FitsPictureLimit(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), pictureLimits);
}
} // namespace

VideoInput::VideoInput(const VideoLimits& limits) : m_limits(limits)
{
    PrepareFfmpeg();
}

VideoInput::~VideoInput()
{
    sws_freeContext(m_scaler);
    av_frame_free(&m_pending);
    av_frame_free(&m_held);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
    if (m_io)
    {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

int VideoInput::ReadPacket(void* opaque, std::uint8_t* buffer, int size)
{
    auto* self = static_cast<VideoInput*>(opaque);
    if (self->Expired())
        return AVERROR_EXIT;
    const std::int64_t left = self->m_fileSize - self->m_position;
    if (left <= 0 || size <= 0)
        return AVERROR_EOF;
    const size_t wanted = static_cast<size_t>(std::min<std::int64_t>(left, size));
    const size_t got = std::fread(buffer, 1, wanted, self->m_file);
    self->m_position += static_cast<std::int64_t>(got);
    if (got == 0)
        return std::ferror(self->m_file) ? AVERROR(EIO) : AVERROR_EOF;
    return static_cast<int>(got);
}

std::int64_t VideoInput::SeekStream(void* opaque, std::int64_t offset, int whence)
{
    auto* self = static_cast<VideoInput*>(opaque);
    if (whence & AVSEEK_SIZE)
        return self->m_fileSize;
    std::int64_t target = offset;
    switch (whence & ~AVSEEK_FORCE)
    {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        target = offset > INT64_MAX - self->m_position ? -1 : self->m_position + offset;
        break;
    case SEEK_END:
        target = offset > INT64_MAX - self->m_fileSize ? -1 : self->m_fileSize + offset;
        break;
    default:
        return AVERROR(EINVAL);
    }
    // Nothing lies beyond the end: a clip whose index points there is cut.
    if (target < 0 || target > self->m_fileSize || fseeko(self->m_file, static_cast<off_t>(target), SEEK_SET) != 0)
        return AVERROR(EINVAL);
    self->m_position = target;
    return target;
}

int VideoInput::Interrupted(void* opaque)
{
    return static_cast<const VideoInput*>(opaque)->Expired() ? 1 : 0;
}

void VideoInput::StartWaiting()
{
    m_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_limits.frameSeconds);
}

PictureStatus VideoInput::Describe(int error, PictureError kind) const
{
    if (error == AVERROR_EXIT || Expired())
        return PictureStatus::Fail(PictureError::TimedOut);
    if (error == AVERROR(ENOMEM))
        return PictureStatus::Fail(PictureError::OutOfMemory);
    if (!g_lastVideoMessage.empty())
        return PictureStatus::Fail(kind, wxString::FromUTF8(g_lastVideoMessage.c_str()));
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return PictureStatus::Fail(kind, wxString::FromUTF8(text));
}

PictureStatus VideoInput::Open(std::FILE* file)
{
    g_lastVideoMessage.clear();
    m_file = file;
    if (fseeko(file, 0, SEEK_END) != 0 || (m_fileSize = ftello(file)) < 0 || fseeko(file, 0, SEEK_SET) != 0)
        return PictureStatus::Fail(PictureError::CannotOpen, "it cannot be read at random");
    if (m_fileSize == 0)
        return PictureStatus::Fail(PictureError::Empty);
    m_position = 0;
    StartWaiting();
    const PictureStatus status = OpenStream();
    // FFmpeg cannot tell a cut MP4 from a broken one; its boxes can.
    const bool mayBeCut = status.error == PictureError::Damaged || status.error == PictureError::NoVideo ||
                          status.error == PictureError::Unsupported;
    if (mayBeCut && m_mp4 && BoxesRunPastEnd(file, m_fileSize))
        return PictureStatus::Fail(PictureError::Truncated);
    return status;
}

PictureStatus VideoInput::OpenStream()
{
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferSize));
    if (!buffer)
        return PictureStatus::Fail(PictureError::OutOfMemory);
    m_io = avio_alloc_context(buffer, kIoBufferSize, 0, this, &ReadPacket, nullptr, &SeekStream);
    if (!m_io)
    {
        av_free(buffer);
        return PictureStatus::Fail(PictureError::OutOfMemory);
    }
    // The content alone decides; only the containers above are opened.
    const AVInputFormat* format = nullptr;
    int result = av_probe_input_buffer2(m_io, &format, "", nullptr, 0, 0);
    if (result == AVERROR_EXIT || Expired())
        return PictureStatus::Fail(PictureError::TimedOut);
    if (result < 0 || !format || !IsReadFormat(format->name))
        return PictureStatus::Fail(PictureError::NotAPictureOrClip);
    m_mp4 = std::strncmp(format->name, "mov,", 4) == 0;

    m_format = avformat_alloc_context();
    if (!m_format)
        return PictureStatus::Fail(PictureError::OutOfMemory);
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->interrupt_callback.callback = &Interrupted;
    m_format->interrupt_callback.opaque = this;
    m_format->io_open = &RefuseOpen;
    m_format->codec_whitelist = av_strdup(kDecoderNames);
    m_format->max_streams = 64;
    result = avformat_open_input(&m_format, "", format, nullptr); // frees m_format on failure
    if (result < 0)
        return Describe(result, PictureError::Damaged);

    // A container whose header breaks off before its first stream.
    if (m_format->nb_streams == 0)
        return PictureStatus::Fail(PictureError::Truncated);
    // The picture stream: cover art is no clip; the default stream first.
    bool sawVideo = false;
    AVCodecID unread = AV_CODEC_ID_NONE;
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
    {
        const AVStream* stream = m_format->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO || (stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        sawVideo = true;
        if (!IsReadCodec(stream->codecpar->codec_id))
        {
            unread = stream->codecpar->codec_id;
            continue;
        }
        if (m_stream < 0 || ((stream->disposition & AV_DISPOSITION_DEFAULT) &&
                             !(m_format->streams[m_stream]->disposition & AV_DISPOSITION_DEFAULT)))
            m_stream = static_cast<int>(i);
    }
    if (m_stream < 0)
        return sawVideo ? PictureStatus::Fail(PictureError::Unsupported,
                                              wxString::Format("video coded as %s", avcodec_get_name(unread)))
                        : PictureStatus::Fail(PictureError::NoVideo);
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        m_format->streams[i]->discard = static_cast<int>(i) == m_stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    AVStream* stream = m_format->streams[m_stream];
    // A size the headers claim is refused before anything is decoded.
    if ((stream->codecpar->width > 0 || stream->codecpar->height > 0) &&
        !Fits(stream->codecpar->width, stream->codecpar->height, m_limits))
        return TooLargeVideo(stream->codecpar->width, stream->codecpar->height, m_limits);

    // What the headers leave out comes from the first packets, decoded with
    // the same bound on a picture's size.
    const unsigned streams = m_format->nb_streams;
    std::vector<AVDictionary*> options(streams, nullptr);
    for (AVDictionary*& option : options)
    {
        av_dict_set_int(&option, "max_pixels", static_cast<std::int64_t>(m_limits.maxPicturePixels), 0);
        av_dict_set(&option, "threads", "1", 0);
    }
    result = avformat_find_stream_info(m_format, options.data());
    for (AVDictionary*& option : options)
        av_dict_free(&option);
    if (result < 0)
        return Describe(result, PictureError::Damaged);

    const AVCodecParameters* parameters = stream->codecpar;
    if (parameters->width <= 0 || parameters->height <= 0)
        return PictureStatus::Fail(PictureError::Damaged, "the picture has no size");
    if (!Fits(parameters->width, parameters->height, m_limits))
        return TooLargeVideo(parameters->width, parameters->height, m_limits);
    const AVCodec* decoder = FindDecoder(parameters->codec_id);
    if (!decoder)
        return PictureStatus::Fail(PictureError::Unsupported,
                                   wxString::Format("no decoder for %s", avcodec_get_name(parameters->codec_id)));
    m_codec = avcodec_alloc_context3(decoder);
    m_packet = av_packet_alloc();
    m_pending = av_frame_alloc();
    m_held = av_frame_alloc();
    if (!m_codec || !m_packet || !m_pending || !m_held)
        return PictureStatus::Fail(PictureError::OutOfMemory);
    if ((result = avcodec_parameters_to_context(m_codec, parameters)) < 0)
        return Describe(result, PictureError::Damaged);
    m_codec->pkt_timebase = stream->time_base;
    m_codec->thread_count = m_limits.threads;
    m_codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    m_codec->max_pixels = static_cast<std::int64_t>(m_limits.maxPicturePixels);
    m_codec->get_buffer2 = &ClearedBuffer;
    if ((result = avcodec_open2(m_codec, decoder, nullptr)) < 0)
        return Describe(result, PictureError::Unsupported);

    // What the clip says of itself.
    m_streamStart = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    std::int64_t duration = -1;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0 && stream->time_base.num > 0)
        duration = av_rescale_q(stream->duration, stream->time_base, kMicrosecondBase);
    else if (m_format->duration != AV_NOPTS_VALUE && m_format->duration > 0)
        duration = av_rescale_q(m_format->duration, AVRational{1, AV_TIME_BASE}, kMicrosecondBase);
    m_info.duration = duration >= 0 && duration < 3600LL * 1000000 * 1000000 ? duration : -1;
    AVRational rate = stream->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = stream->r_frame_rate;
    const double fps = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
    m_info.frameRate = fps >= 0.001 && fps <= 1000 ? fps : 0;
    m_frameInterval = m_info.frameRate > 0 ? std::llround(1e6 / m_info.frameRate) : 0;

    AVRational aspect = av_guess_sample_aspect_ratio(m_format, stream, nullptr);
    // Ratios no camera makes are damage, not a shape to stretch to.
    if (aspect.num <= 0 || aspect.den <= 0 || av_q2d(aspect) < 0.125 || av_q2d(aspect) > 8)
        aspect = AVRational{1, 1};
    av_reduce(&aspect.num, &aspect.den, aspect.num, aspect.den, 1 << 16);
    m_info.aspectNum = aspect.num;
    m_info.aspectDen = aspect.den;
    m_info.codedSize = wxSize(parameters->width, parameters->height);
    const std::int64_t shownWidth = std::max<std::int64_t>(1, std::llround(parameters->width * av_q2d(aspect)));
    m_info.rotation = RotationOf(stream);
    const bool turned = m_info.rotation % 180 != 0;
    const std::int64_t width = turned ? parameters->height : shownWidth;
    const std::int64_t height = turned ? shownWidth : parameters->height;
    if (!Fits(width, height, m_limits))
        return TooLargeVideo(width, height, m_limits);
    m_info.size = wxSize(static_cast<int>(width), static_cast<int>(height));
    m_info.codec = decoder->name;
    return PictureStatus();
}

std::int64_t VideoInput::ToClipTime(std::int64_t timestamp) const
{
    const AVRational base = m_format->streams[m_stream]->time_base;
    // Timestamps of damaged clips can be anything; far ones saturate.
    constexpr std::int64_t kFar = INT64_C(1) << 60;
    if (timestamp > kFar || timestamp < -kFar || m_streamStart > kFar || m_streamStart < -kFar || base.num <= 0 ||
        base.den <= 0)
        return timestamp < m_streamStart ? 0 : kFar;
    const std::int64_t time = av_rescale_q(timestamp - m_streamStart, base, kMicrosecondBase);
    return std::clamp<std::int64_t>(time, -kFar, kFar);
}

bool VideoInput::SeekBefore(std::int64_t time)
{
    StartWaiting();
    const AVRational base = m_format->streams[m_stream]->time_base;
    const std::int64_t target = m_streamStart + av_rescale_q(time, kMicrosecondBase, base);
    if (av_seek_frame(m_format, m_stream, target, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m_codec);
    av_frame_unref(m_pending);
    av_frame_unref(m_held);
    m_hasHeld = false;
    m_draining = false;
    m_readFailed = false;
    return true;
}

bool VideoInput::DecodeNext(PictureStatus& status, bool& cut)
{
    status = PictureStatus();
    cut = false;
    StartWaiting();
    int packets = 0;
    for (;;)
    {
        int result = avcodec_receive_frame(m_codec, m_pending);
        if (result >= 0)
        {
            if (!Fits(m_pending->width, m_pending->height, m_limits))
            {
                status = TooLargeVideo(m_pending->width, m_pending->height, m_limits);
                return false;
            }
            const std::int64_t timestamp = m_pending->best_effort_timestamp;
            const std::int64_t previous = m_pendingEnd;
            m_pendingTime = timestamp != AV_NOPTS_VALUE ? ToClipTime(timestamp) : previous;
            const std::int64_t length = m_pending->pkt_duration > 0
                                            ? ToClipTime(m_streamStart + m_pending->pkt_duration)
                                            : m_frameInterval;
            m_pendingEnd = m_pendingTime + std::max<std::int64_t>(1, length);
            return true;
        }
        if (result == AVERROR_EOF)
        {
            cut = m_readFailed;
            return false;
        }
        if (result != AVERROR(EAGAIN))
        {
            status = Describe(result, PictureError::Damaged);
            return false;
        }
        if (Expired())
        {
            status = PictureStatus::Fail(PictureError::TimedOut);
            return false;
        }
        if (m_draining)
        {
            cut = m_readFailed;
            return false;
        }
        result = av_read_frame(m_format, m_packet);
        if (result < 0)
        {
            if (result == AVERROR_EXIT || result == AVERROR(ENOMEM))
            {
                status = Describe(result, PictureError::Damaged);
                return false;
            }
            // The rest of the stream comes out of the decoder.
            m_readFailed = result != AVERROR_EOF;
            m_draining = true;
            avcodec_send_packet(m_codec, nullptr);
            continue;
        }
        if (m_packet->stream_index != m_stream)
        {
            av_packet_unref(m_packet);
            continue;
        }
        if (++packets > m_limits.maxPacketsWithoutFrame)
        {
            av_packet_unref(m_packet);
            status = PictureStatus::Fail(PictureError::Damaged,
                                         wxString::Format("no picture in %d packets", m_limits.maxPacketsWithoutFrame));
            return false;
        }
        // A damaged packet is passed over; the decoder goes on with the next.
        result = avcodec_send_packet(m_codec, m_packet);
        av_packet_unref(m_packet);
        if (result == AVERROR(ENOMEM))
        {
            status = PictureStatus::Fail(PictureError::OutOfMemory);
            return false;
        }
    }
}

void VideoInput::HoldPending()
{
    av_frame_unref(m_held);
    av_frame_move_ref(m_held, m_pending);
    m_hasHeld = true;
    m_heldTime = m_pendingTime;
    m_heldEnd = m_pendingEnd;
}

PictureStatus VideoInput::ConvertHeld(const wxSize& size, wxImage& image)
{
    if (!m_hasHeld)
        return PictureStatus::Fail(PictureError::NoFrames);
    const bool turned = m_info.rotation % 180 != 0;
    const wxSize stored = turned ? wxSize(size.y, size.x) : size;
    if (!Fits(stored.x, stored.y, m_limits))
        return TooLargeVideo(size.x, size.y, m_limits);
    const AVFrame* frame = m_held;
    m_scaler = sws_getCachedContext(m_scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                    stored.x, stored.y, AV_PIX_FMT_RGB24,
                                    SWS_BICUBIC | SWS_FULL_CHR_H_INT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!m_scaler)
    {
        const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(frame->format));
        return PictureStatus::Fail(PictureError::Unsupported,
                                   wxString::Format("pixels stored as %s", name ? name : "unknown"));
    }
    // Untagged clips are taken as FFmpeg takes them (BT.601, limited range).
    const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG || IsFullRangeFormat(frame->format);
    sws_setColorspaceDetails(m_scaler, sws_getCoefficients(frame->colorspace), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    wxImage converted(stored.x, stored.y, true);
    if (!converted.IsOk())
        return PictureStatus::Fail(PictureError::OutOfMemory);
    std::uint8_t* planes[4] = {converted.GetData(), nullptr, nullptr, nullptr};
    const int strides[4] = {3 * stored.x, 0, 0, 0};
    if (sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) != stored.y)
        return PictureStatus::Fail(PictureError::Damaged, "the picture cannot be converted");
    if (m_info.rotation == 90)
        converted = converted.Rotate90(true);
    else if (m_info.rotation == 180)
        converted = converted.Rotate180();
    else if (m_info.rotation == 270)
        converted = converted.Rotate90(false);
    image = converted;
    return PictureStatus();
}
