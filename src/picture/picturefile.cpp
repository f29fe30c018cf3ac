#include "picture/picturefile.h"

#include <wx/string.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

PictureStatus OpenPictureFile(const wxString& path, PictureFilePtr& file)
{
    const wxCharBuffer name = path.fn_str();
    struct stat info;
    if (stat(name, &info) != 0)
    {
        if (errno == ENOENT || errno == ENOTDIR)
            return PictureStatus::Fail(PictureError::Missing);
        return PictureStatus::Fail(PictureError::CannotOpen, std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode))
        return PictureStatus::Fail(PictureError::NotAFile);
    if (info.st_size == 0)
        return PictureStatus::Fail(PictureError::Empty);
    file.reset(std::fopen(name, "rb"));
    if (!file)
        return PictureStatus::Fail(PictureError::CannotOpen, std::strerror(errno));
    return PictureStatus();
}
