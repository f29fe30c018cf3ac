#include "picture/picturestatus.h"

#include <wx/intl.h>

namespace
{
// The decoders' details are technical and stay as they are; only the phrase
// before them is translated (the command-line encoder has no catalog and
// keeps the English one).
wxString WithDetail(const wxString& phrase, const wxString& detail)
{
    return detail.empty() ? phrase : phrase + ": " + detail;
}
} // namespace

wxString DescribePictureStatus(const PictureStatus& status)
{
    switch (status.error)
    {
    case PictureError::None:
        if (status.damaged)
            return WithDetail(_("damaged"), wxGetTranslation(status.detail));
        return status.cutShort ? _("cut short") : _("read");
    case PictureError::Missing:
        return _("no such file");
    case PictureError::NotAFile:
        return _("not a regular file");
    case PictureError::CannotOpen:
        return WithDetail(_("cannot be opened"), status.detail);
    case PictureError::Empty:
        return _("empty file");
    case PictureError::NotAPicture:
        return _("not a picture (PNG, JPEG, BMP or GIF)");
    case PictureError::NotAPictureOrClip:
        return _("not a picture or video clip (PNG, JPEG, BMP, GIF, MP4, MOV, MKV, WebM or AVI)");
    case PictureError::NoVideo:
        return _("no video stream");
    case PictureError::TimedOut:
        return _("decoding took too long");
    case PictureError::Unsupported:
        return WithDetail(_("unsupported"), status.detail);
    case PictureError::Truncated:
        return _("truncated");
    case PictureError::Damaged:
        return WithDetail(_("damaged"), status.detail);
    case PictureError::TooLarge:
        return WithDetail(_("too large"), status.detail);
    case PictureError::NoFrames:
        return _("no usable frame");
    case PictureError::OutOfMemory:
        return _("not enough memory");
    }
    return _("unreadable");
}
