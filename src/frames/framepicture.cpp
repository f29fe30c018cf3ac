#include "frames/framepicture.h"

#include <cstring>

FramePicture::FramePicture(wxImage&& picture) : m_picture(std::move(picture))
{
}

wxImage FramePicture::View() const
{
    if (!m_picture.IsOk())
        return wxImage();
    wxImage view(m_picture.GetWidth(), m_picture.GetHeight(), m_picture.GetData(),
                 m_picture.HasAlpha() ? m_picture.GetAlpha() : nullptr, true);
    if (m_picture.HasMask())
        view.SetMaskColour(m_picture.GetMaskRed(), m_picture.GetMaskGreen(), m_picture.GetMaskBlue());
    return view;
}

wxImage FramePicture::Copy() const
{
    // Copy() of a view duplicates the pixels into data of its own.
    return View().Copy();
}

std::size_t FramePicture::GetByteCount() const
{
    if (!m_picture.IsOk())
        return 0;
    const std::size_t pixels = static_cast<std::size_t>(m_picture.GetWidth()) * m_picture.GetHeight();
    return pixels * (m_picture.HasAlpha() ? 4 : 3);
}
