#include "picture/picturebytes.h"

#include "picture/picturefile.h"
#include "picture/picturereader.h"

#include <wx/image.h>

bool ReadPictureFileBytes(const wxString& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    PictureFilePtr file;
    if (!OpenPictureFile(path, file).IsOk())
        return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size <= 0 || static_cast<unsigned long>(size) > maxBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    // A file that shrank meanwhile gives what it has; one that grew, its first
    // `size` bytes. Either way the kept bytes are the decoded ones.
    bytes.resize(std::fread(&bytes[0], 1, bytes.size(), file.get()));
    return !bytes.empty();
}

PictureStatus ReadPictureBytes(const std::string& bytes, wxImage& picture, const PictureLimits& limits)
{
    if (bytes.empty())
        return PictureStatus::Fail(PictureError::NotAPicture);
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!file)
        return PictureStatus::Fail(PictureError::OutOfMemory);
    bool found = false;
    PictureStatus status = ReadPictureStream(
        file, false,
        [&](wxImage& frame) {
            picture = frame;
            frame = wxImage();
            found = true;
            return false;
        },
        limits);
    std::fclose(file);
    if (status.IsOk() && !found)
        return PictureStatus::Fail(PictureError::NoFrames);
    return status;
}
