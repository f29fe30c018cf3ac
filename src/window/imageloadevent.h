#pragma once
// The loading worker's progress event: EVT_THREAD_UPDATE with id
// ID_IMAGE_LOAD_UPDATE. GetInt is the percentage (100 ends the run),
// GetExtraLong the frame's place in its GIF file, GetString the file's path;
// the frame itself is already in the frame store, and the event carries its
// handle and thumbnail; GetClipTime, for a clip's frame, when the clip shows
// it. Once the store refuses a frame, the run stops and its remaining events
// carry the refusal.

#include "frames/framestore.h"
#include "window/imageloadrun.h"

#include <wx/event.h>

#include <cstdint>
#include <memory>

class ImageLoadEvent : public wxCommandEvent
{
public:
    // Takes the thumbnail out of `picture` (it is left invalid).
    ImageLoadEvent(LoadedPicture& picture, FrameHandle frame, const FrameStoreRefusal& refusal);
    ImageLoadEvent(const ImageLoadEvent& other);
    ~ImageLoadEvent() override;

    wxEvent* Clone() const override { return new ImageLoadEvent(*this); }
    // Not a user-interface event: a progress dialog that yields for input
    // must not handle the next picture inside its own update.
    wxEventCategory GetEventCategory() const override { return wxEVT_CATEGORY_THREAD; }

    // The stored frame, null in a closing event without one.
    FrameHandle TakeFrame() { return std::move(m_frame); }
    const FrameStoreRefusal& GetRefusal() const { return m_refusal; }
    const wxImage& GetThumbnail() const { return m_thumbnail; }
    const std::vector<LeftOutFile>& GetLeftOut() const { return m_leftOut; }
    // Microseconds into the clip GetString names; -1 for a picture or a GIF's frame.
    std::int64_t GetClipTime() const { return m_clipTime; }

private:
    FrameHandle m_frame;
    FrameStoreRefusal m_refusal;
    wxImage m_thumbnail;
    std::vector<LeftOutFile> m_leftOut;
    std::int64_t m_clipTime = -1;
};
