// JPEG through libjpeg-turbo with an error manager of our own: errors come
// back as a status instead of ending the process, and the library's warnings
// never reach the terminal.
#include "picture/picturedecoders.h"

#include <wx/image.h>
#include <wx/intl.h>

#include <csetjmp>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace
{
// Plain data only: it lives across the long jump.
struct JpegErrors
{
    jpeg_error_mgr manager;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    bool endedEarly;
    bool corrupt;
    bool tooManyScans;
    int maxScans;
    char message[JMSG_LENGTH_MAX];
};

JpegErrors& ErrorsOf(j_common_ptr info)
{
    return *reinterpret_cast<JpegErrors*>(info->err);
}

void OnError(j_common_ptr info)
{
    JpegErrors& errors = ErrorsOf(info);
    (*info->err->format_message)(info, errors.message);
    std::longjmp(errors.jump, 1);
}

void OnMessage(j_common_ptr info, int level)
{
    // The decoder goes on past corrupt or missing data and fills in what it
    // could not read: the picture is whole, but the user should hear of it.
    // Other warnings (an unknown JFIF version, stray bytes between markers)
    // leave the pixels as they are.
    if (level >= 0)
        return;
    switch (info->err->msg_code)
    {
    case JWRN_JPEG_EOF:
        ErrorsOf(info).endedEarly = true;
        break;
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        ErrorsOf(info).corrupt = true;
        break;
    default:
        break;
    }
}

void OnOutput(j_common_ptr)
{
}

// A progressive file of endless tiny scans would take unbounded time.
void OnProgress(j_common_ptr info)
{
    JpegErrors& errors = ErrorsOf(info);
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > errors.maxScans)
    {
        errors.tooManyScans = true;
        std::longjmp(errors.jump, 1);
    }
}

enum class JpegStage
{
    Header,
    Pixels,
    Done
};

// Adobe writers store CMYK inverted, which is what nearly every CMYK JPEG is.
void CmykToRgb(const JSAMPLE* cmyk, unsigned char* rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3)
    {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c)
        {
            const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<unsigned char>((v * k + 127) / 255);
        }
    }
}

// The whole decoding under one jump target. Only plain locals here: a long
// jump must not skip a destructor. `picture` belongs to the caller.
bool Decode(std::FILE* file, const PictureLimits& limits, bool pixels, JpegErrors& errors,
            volatile JpegStage& stage, wxSize& size, wxImage* picture)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnError;
    errors.manager.emit_message = OnMessage;
    errors.manager.output_message = OnOutput;
    errors.endedEarly = false;
    errors.corrupt = false;
    errors.tooManyScans = false;
    errors.maxScans = limits.maxJpegScans;
    errors.message[0] = '\0';
    stage = JpegStage::Header;
    if (setjmp(errors.jump))
    {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = 1024L * 1024 * 1024;
    errors.progress.progress_monitor = OnProgress;
    info.progress = &errors.progress;
    std::rewind(file);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    size = wxSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    if (!pixels || !FitsPictureLimit(info.image_width, info.image_height, limits))
    {
        jpeg_destroy_decompress(&info);
        stage = JpegStage::Done;
        return true;
    }

    stage = JpegStage::Pixels;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (!picture->Create(width, height, false))
    {
        jpeg_destroy_decompress(&info);
        return false;
    }
    JSAMPARRAY cmykRow = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                          static_cast<JDIMENSION>(width) * 4, 1)
                              : nullptr;
    unsigned char* rgb = picture->GetData();
    while (info.output_scanline < info.output_height)
    {
        unsigned char* row = rgb + static_cast<size_t>(info.output_scanline) * width * 3;
        JSAMPROW target = cmyk ? cmykRow[0] : row;
        if (jpeg_read_scanlines(&info, &target, 1) != 1)
            break;
        if (cmyk)
            CmykToRgb(cmykRow[0], row, width, info.saw_Adobe_marker);
    }
    const bool complete = info.output_scanline == info.output_height;
    jpeg_destroy_decompress(&info);
    stage = JpegStage::Done;
    if (!complete)
        errors.endedEarly = true;
    return complete;
}

PictureStatus Run(std::FILE* file, const PictureLimits& limits, bool pixels, wxSize& size, wxImage* picture)
{
    JpegErrors errors;
    volatile JpegStage stage = JpegStage::Header;
    const bool ok = Decode(file, limits, pixels, errors, stage, size, picture);
    if (!ok)
    {
        if (errors.tooManyScans)
            return PictureStatus::Fail(PictureError::Damaged, "too many progressive scans");
        if (errors.endedEarly)
            return PictureStatus::Fail(PictureError::Truncated);
        if (picture && stage == JpegStage::Pixels && errors.message[0] == '\0')
            return PictureStatus::Fail(PictureError::OutOfMemory);
        // The data ran out inside the headers, where libjpeg stops with an error.
        if (errors.manager.msg_code == JERR_INPUT_EMPTY || errors.manager.msg_code == JERR_INPUT_EOF)
            return PictureStatus::Fail(PictureError::Truncated);
        return PictureStatus::Fail(PictureError::Damaged, wxString::FromUTF8(errors.message));
    }
    if (!FitsPictureLimit(size.x, size.y, limits))
        return TooLargePicture(size.x, size.y, limits);
    PictureStatus status;
    if (pixels && (errors.endedEarly || errors.corrupt))
    {
        status.damaged = true;
        status.detail = errors.endedEarly ? wxTRANSLATE("the data ends early") : wxTRANSLATE("corrupt data");
    }
    return status;
}
} // namespace

PictureStatus ProbeJpeg(std::FILE* file, wxSize& size, const PictureLimits& limits)
{
    return Run(file, limits, false, size, nullptr);
}

PictureStatus DecodeJpeg(std::FILE* file, const PictureFrameSink& sink, const PictureLimits& limits)
{
    wxSize size;
    wxImage picture;
    const PictureStatus status = Run(file, limits, true, size, &picture);
    if (status.IsOk())
        sink(picture);
    return status;
}
