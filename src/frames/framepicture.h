#pragma once
// A decoded frame that several threads may read at once. wxImage counts its
// references without locking, so the picture inside is never shared as a
// wxImage: each reader takes a view of its own over the pixels.

#include <wx/image.h>

#include <cstddef>
#include <memory>

class FramePicture
{
public:
    // Takes the picture; nobody else may hold its data.
    explicit FramePicture(wxImage&& picture);
    FramePicture(const FramePicture&) = delete;
    FramePicture& operator=(const FramePicture&) = delete;

    // A wxImage over this picture's pixels for the calling thread; valid
    // while this object lives, and never to be written to.
    wxImage View() const;
    // A picture of the caller's own.
    wxImage Copy() const;
    wxSize GetSize() const { return m_picture.GetSize(); }
    std::size_t GetByteCount() const;

private:
    wxImage m_picture;
};

using FramePicturePtr = std::shared_ptr<const FramePicture>;
