#include "encoder/animationencoder.h"

#include "encoder/framecompose.h"
#include "encoder/lossywriter.h"
#include "encoder/quantize.h"

#include <algorithm>
#include <cstring>

namespace
{
// Frame differencing below full quality with libimagequant writes lossily;
// 100 when it does not.
int LossyQuality(const GifEncodeOptions& options)
{
    return options.optimize && options.quantizer == GifQuantizer::ImageQuant ? std::clamp(options.quality, 1, 100)
                                                                              : 100;
}
} // namespace

int AnimationEncoder::DefaultThreads()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

AnimationEncoder::AnimationEncoder(wxOutputStream& stream, const wxSize& size, int delayMs,
                                   const GifEncodeOptions& options, int threads)
    : m_writer(stream, options.optimize, LossyQuality(options)), m_steadier(options.quality), m_size(size),
      m_delayMs(delayMs), m_options(options), m_lossy(LossyQuality(options) < 100),
      m_maxInFlight(2 * std::max(1, threads))
{
    for (int i = 0; i < std::max(1, threads); ++i)
        m_threads.emplace_back(&AnimationEncoder::Work, this);
}

AnimationEncoder::~AnimationEncoder()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    m_jobReady.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void AnimationEncoder::Work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_jobReady.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_stopping)
            return;
        // Every wxImage handle is handed over while the lock is held, so no
        // two threads ever touch one image's reference count at once.
        const int index = m_jobs.front().index;
        const bool barelyChanged = m_jobs.front().barelyChanged;
        wxImage picture = m_jobs.front().picture;
        m_jobs.pop_front();
        lock.unlock();

        Reduced done;
        done.area = picture.IsOk() ? FitPictureRect(picture.GetSize(), m_size) : wxRect(m_size);
        done.composed = ComposeFrame(picture, m_size.x, m_size.y);
        picture = wxImage();
        done.barelyChanged = barelyChanged;
        if (m_lossy && barelyChanged)
        {
            // The writer tries the colours of the frame before first: a frame
            // that barely changed costs no choice of colours.
        }
        else if (m_lossy)
        {
            // A spare entry stays for transparency.
            done.own.count =
                GifLossyColours(done.composed, m_options.quality, done.area.GetSize() != m_size, done.own.entries);
        }
        else
            done.reduced = ReduceFrame(done.composed, m_options, done.area);

        lock.lock();
        m_finished[index] = done;
        done = Reduced();
        m_frameReady.notify_all();
    }
}

void AnimationEncoder::WriteReady(std::unique_lock<std::mutex>& lock, int inFlight)
{
    for (;;)
    {
        auto next = m_finished.find(m_written);
        if (next == m_finished.end())
        {
            if (m_added - m_written <= inFlight)
                return;
            m_frameReady.wait(lock);
            continue;
        }
        Reduced frame = next->second;
        m_finished.erase(next);
        lock.unlock();
        if (m_lossy)
        {
            if (frame.barelyChanged && m_writer.LossyColoursServe(frame.composed, m_lastOwn))
                frame.own = m_lastOwn;
            else if (frame.barelyChanged)
                frame.own.count = GifLossyColours(frame.composed, m_options.quality, frame.area.GetSize() != m_size,
                                                  frame.own.entries);
            if (m_writer.AddLossyFrame(frame.composed, frame.own, frame.area, m_delayMs))
                m_lastOwn = frame.own;
            else if (!m_writer.IsBroken())
                ++m_refused;
        }
        else
        {
            m_steadier.Steady(frame.composed, frame.reduced);
            if (frame.reduced.IsOk() && m_writer.AddFrame(frame.reduced, m_delayMs))
                m_steadier.Remember(frame.composed, frame.reduced);
            else if (!m_writer.IsBroken())
                ++m_refused;
        }
        frame = Reduced();
        ++m_written;
        if (m_progress)
            m_progress(m_written);
        lock.lock();
    }
}

bool AnimationEncoder::Add(wxImage& picture)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WriteReady(lock, m_maxInFlight - 1);
    if (m_writer.IsBroken())
    {
        picture = wxImage();
        return false;
    }
    // The workers copy and drop their handles without the lock, so the
    // pixels must be the job's alone: a reference count shared with another
    // handle would be changed by two threads at once.
    wxImage own = picture;
    picture = wxImage();
    if (own.IsOk() && own.GetRefData()->GetRefCount() > 1)
        own = own.Copy();
    const bool barelyChanged = m_lossy && BarelyChanged(own);
    m_jobs.push_back(Job{m_added++, own, barelyChanged});
    own = wxImage();
    m_jobReady.notify_one();
    return true;
}

bool AnimationEncoder::Finish()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WriteReady(lock, 0);
    lock.unlock();
    return m_writer.Finish();
}

bool AnimationEncoder::BarelyChanged(const wxImage& picture)
{
    if (!picture.IsOk())
    {
        m_lastPicture.clear();
        return false;
    }
    const size_t pixels = static_cast<size_t>(picture.GetWidth()) * picture.GetHeight();
    const size_t bytes = 3 * pixels + (picture.HasAlpha() ? pixels : 0);
    const bool comparable = picture.GetSize() == m_lastPictureSize && bytes == m_lastPicture.size();
    // At most one pixel in 16 changed: a moving pointer, a counter, a caret.
    const size_t allowed = pixels / 16;
    size_t changed = 0;
    if (comparable)
    {
        const unsigned char* rgb = picture.GetData();
        const unsigned char* last = m_lastPicture.data();
        const unsigned char* alpha = picture.HasAlpha() ? picture.GetAlpha() : nullptr;
        // Rows compare whole first: most of a barely changed picture is equal.
        const size_t width = static_cast<size_t>(picture.GetWidth());
        for (size_t row = 0; row < pixels && changed <= allowed; row += width)
        {
            if (std::memcmp(rgb + 3 * row, last + 3 * row, 3 * width) == 0 &&
                (!alpha || std::memcmp(alpha + row, last + 3 * pixels + row, width) == 0))
                continue;
            for (size_t p = row; p < row + width; ++p)
            {
                if (std::memcmp(rgb + 3 * p, last + 3 * p, 3) != 0 || (alpha && alpha[p] != last[3 * pixels + p]))
                    ++changed;
            }
        }
    }
    m_lastPictureSize = picture.GetSize();
    m_lastPicture.resize(bytes);
    std::memcpy(m_lastPicture.data(), picture.GetData(), 3 * pixels);
    if (picture.HasAlpha())
        std::memcpy(m_lastPicture.data() + 3 * pixels, picture.GetAlpha(), pixels);
    return comparable && changed <= allowed;
}
