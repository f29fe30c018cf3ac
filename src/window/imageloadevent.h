#pragma once
// The loading worker's progress event: EVT_THREAD_UPDATE with id
// ID_IMAGE_LOAD_UPDATE. GetInt is the percentage (100 ends the run),
// GetExtraLong the frame's place in its GIF file, GetString the file's path,
// GetClientData the decoded wxImage; GetClipTime, for a clip's frame, when
// the clip shows it. The event owns the picture until a
// handler takes it, so an event that is never handled frees it.

#include "window/imageloadrun.h"

#include <wx/event.h>

#include <cstdint>
#include <memory>

class ImageLoadEvent : public wxCommandEvent
{
public:
    // Takes the pictures out of `picture` (they are left invalid).
    explicit ImageLoadEvent(LoadedPicture& picture);
    ImageLoadEvent(const ImageLoadEvent& other);
    ~ImageLoadEvent() override;

    wxEvent* Clone() const override { return new ImageLoadEvent(*this); }
    // Not a user-interface event: a progress dialog that yields for input
    // must not handle the next picture inside its own update.
    wxEventCategory GetEventCategory() const override { return wxEVT_CATEGORY_THREAD; }

    // The decoded picture, null in a closing event without one; the caller
    // owns what it takes.
    wxImage* TakeImage();
    const wxImage& GetThumbnail() const { return m_thumbnail; }
    const std::vector<LeftOutFile>& GetLeftOut() const { return m_leftOut; }
    // Microseconds into the clip GetString names; -1 for a picture or a GIF's frame.
    std::int64_t GetClipTime() const { return m_clipTime; }

private:
    std::unique_ptr<wxImage> m_image;
    wxImage m_thumbnail;
    std::vector<LeftOutFile> m_leftOut;
    std::int64_t m_clipTime = -1;
};
