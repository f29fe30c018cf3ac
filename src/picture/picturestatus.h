#pragma once
// What reading a picture file came to, in words a user understands.

#include <wx/string.h>

enum class PictureError
{
    None,
    Missing,      // no such file
    NotAFile,     // a folder, a device or the like
    CannotOpen,   // exists but cannot be opened (permissions, ...)
    Empty,        // zero bytes
    NotAPicture,  // none of the formats the program reads
    NotAPictureOrClip, // neither a picture nor a video clip the program reads
    NoVideo,      // a clip without a video stream (sound only, say)
    TimedOut,     // a clip that gave no frame within the time allowed
    Unsupported,  // a variant of a known format the program does not read
    Truncated,    // the data ends before the picture does
    Damaged,      // the data is inconsistent
    TooLarge,     // over the limits of PictureLimits
    NoFrames,     // a GIF without any frame that could be decoded
    OutOfMemory
};

struct PictureStatus
{
    PictureError error = PictureError::None;
    wxString detail;      // the specific reason, for Damaged, Unsupported, TooLarge, CannotOpen
    bool cutShort = false;  // frames were delivered, but the file ended inside a later one
    // The picture was delivered, but part of it is made up: a JPEG whose
    // data was corrupt or ended early (the decoder fills in grey). `detail`
    // says which, as an untranslated message id.
    bool damaged = false;

    bool IsOk() const { return error == PictureError::None; }

    static PictureStatus Fail(PictureError error, const wxString& detail = wxString())
    {
        PictureStatus status;
        status.error = error;
        status.detail = detail;
        return status;
    }
};

// One short phrase: "truncated", "not a picture", "too large: 40000 x 40000
// exceeds 64 megapixels", "damaged: <reason>", ...
wxString DescribePictureStatus(const PictureStatus& status);
