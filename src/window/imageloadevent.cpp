#include "window/imageloadevent.h"

#include "window/frameevents.h"
#include "window/windowids.h"

ImageLoadEvent::ImageLoadEvent(LoadedPicture& picture, FrameHandle frame, const FrameStoreRefusal& refusal)
    : wxCommandEvent(EVT_THREAD_UPDATE, ID_IMAGE_LOAD_UPDATE), m_frame(std::move(frame)),
      m_leftOut(std::move(picture.leftOut)),
      m_clipTime(picture.clipTime)
{
    SetInt(picture.percent);
    SetExtraLong(picture.frameIndex);
    // A deep copy: the string crosses to the GUI thread.
    SetString(picture.path.Clone());
    m_refusal.kind = refusal.kind;
    m_refusal.detail = refusal.detail.Clone();
    m_thumbnail = picture.thumbnail;
    picture.thumbnail = wxImage();
}

ImageLoadEvent::ImageLoadEvent(const ImageLoadEvent& other)
    : wxCommandEvent(other), m_frame(other.m_frame),
      m_thumbnail(other.m_thumbnail.IsOk() ? other.m_thumbnail.Copy() : wxImage()), m_leftOut(other.m_leftOut),
      m_clipTime(other.m_clipTime)
{
    m_refusal.kind = other.m_refusal.kind;
    m_refusal.detail = other.m_refusal.detail.Clone();
}

ImageLoadEvent::~ImageLoadEvent() = default;
