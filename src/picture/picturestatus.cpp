#include "picture/picturestatus.h"

wxString DescribePictureStatus(const PictureStatus& status)
{
    switch (status.error)
    {
    case PictureError::None:
        return status.cutShort ? "cut short" : "read";
    case PictureError::Missing:
        return "no such file";
    case PictureError::NotAFile:
        return "not a file";
    case PictureError::CannotOpen:
        return status.detail.empty() ? wxString("cannot be opened") : "cannot be opened: " + status.detail;
    case PictureError::Empty:
        return "empty file";
    case PictureError::NotAPicture:
        return "not a picture (PNG, JPEG, BMP or GIF)";
    case PictureError::Unsupported:
        return "unsupported: " + status.detail;
    case PictureError::Truncated:
        return "truncated";
    case PictureError::Damaged:
        return status.detail.empty() ? wxString("damaged") : "damaged: " + status.detail;
    case PictureError::TooLarge:
        return "too large: " + status.detail;
    case PictureError::NoFrames:
        return "no usable frame";
    case PictureError::OutOfMemory:
        return "not enough memory";
    }
    return "unreadable";
}
