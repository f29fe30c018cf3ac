#include "window/gif_animationwriter.h"

#include "window/gif_gifhandler.h"

#include <wx/image.h>
#include <wx/stream.h>

GifAnimationWriter::GifAnimationWriter(wxOutputStream& stream)
    : m_stream(stream)
{
    g_gifOutputStream = &m_stream;
}

GifAnimationWriter::~GifAnimationWriter()
{
    // Never leave the writer pointing at a stream that may be gone.
    if (g_gifOutputStream == &m_stream)
        g_gifOutputStream = nullptr;
}

bool GifAnimationWriter::AddFrame(const wxImage& reduced, int delayMs)
{
    if (m_broken || m_finished || !reduced.IsOk())
        return false;

    g_gifOutputStream = &m_stream;
    const wxFileOffset before = m_stream.TellO();
    MyGifHandler handler;
    if (handler.WriteFrame(reduced, delayMs, m_written == 0))
    {
        ++m_written;
        return true;
    }
    // A frame the writer refuses leaves no byte behind; anything else is a
    // failed or partial write that spoils the file.
    if (!m_stream.IsOk() || m_stream.TellO() != before)
        m_broken = true;
    return false;
}

bool GifAnimationWriter::Finish()
{
    if (m_finished)
        return m_complete;
    m_finished = true;
    if (m_broken || m_written == 0)
        return false;
    g_gifOutputStream = &m_stream;
    m_complete = MyGifHandler::WriteTrailer();
    if (!m_complete)
        m_broken = true;
    return m_complete;
}
