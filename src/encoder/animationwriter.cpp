#include "encoder/animationwriter.h"

#include "encoder/differencingwriter.h"
#include "encoder/gifhandler.h"
#include "encoder/lossywriter.h"

#include <wx/image.h>
#include <wx/stream.h>

GifAnimationWriter::GifAnimationWriter(wxOutputStream& stream, bool differencing, int lossyQuality)
    : m_stream(stream), m_differencing(differencing ? std::make_unique<GifDifferencingWriter>() : nullptr),
      m_lossy(lossyQuality < 100 ? std::make_unique<GifLossyWriter>(lossyQuality) : nullptr)
{
    g_gifOutputStream = &m_stream;
}

GifAnimationWriter::~GifAnimationWriter()
{
    // Never leave the writer pointing at a stream that may be gone.
    if (g_gifOutputStream == &m_stream)
        g_gifOutputStream = nullptr;
}

template <typename Write>
bool GifAnimationWriter::Run(Write write)
{
    if (m_broken || m_finished)
        return false;
    g_gifOutputStream = &m_stream;
    const wxFileOffset before = m_stream.TellO();
    if (write())
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

bool GifAnimationWriter::AddFrame(const wxImage& reduced, int delayMs)
{
    if (!reduced.IsOk())
        return false;
    return Run([&] {
        return m_differencing ? m_differencing->WriteFrame(reduced, delayMs, m_written == 0)
                              : MyGifHandler().WriteFrame(reduced, delayMs, m_written == 0);
    });
}

bool GifAnimationWriter::AddLossyFrame(const wxImage& composed, const GifPalette& own, const wxRect& area, int delayMs)
{
    if (!m_lossy || !composed.IsOk())
        return false;
    return Run([&] { return m_lossy->WriteFrame(composed, own, area, delayMs, m_written == 0); });
}

bool GifAnimationWriter::LossyColoursServe(const wxImage& composed, const GifPalette& colours) const
{
    return m_lossy && m_written > 0 && m_lossy->ColoursServe(composed, colours);
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
