#include "window/imageloadevent.h"

#include "window/frameevents.h"
#include "window/windowids.h"

ImageLoadEvent::ImageLoadEvent(LoadedPicture& picture)
    : wxCommandEvent(EVT_THREAD_UPDATE, ID_IMAGE_LOAD_UPDATE), m_leftOut(std::move(picture.leftOut)),
      m_clipTime(picture.clipTime)
{
    SetInt(picture.percent);
    SetExtraLong(picture.frameIndex);
    // A deep copy: the string crosses to the GUI thread.
    SetString(picture.path.Clone());
    if (picture.image.IsOk())
        m_image = std::make_unique<wxImage>(picture.image);
    m_thumbnail = picture.thumbnail;
    picture.image = wxImage();
    picture.thumbnail = wxImage();
    SetClientData(m_image.get());
}

ImageLoadEvent::ImageLoadEvent(const ImageLoadEvent& other)
    : wxCommandEvent(other), m_thumbnail(other.m_thumbnail.IsOk() ? other.m_thumbnail.Copy() : wxImage()),
      m_leftOut(other.m_leftOut), m_clipTime(other.m_clipTime)
{
    if (other.m_image)
        m_image = std::make_unique<wxImage>(other.m_image->Copy());
    SetClientData(m_image.get());
}

ImageLoadEvent::~ImageLoadEvent() = default;

wxImage* ImageLoadEvent::TakeImage()
{
    SetClientData(nullptr);
    return m_image.release();
}
