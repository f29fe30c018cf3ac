#include "frames/framestore.h"

#include "frames/framecache.h"
#include "frames/framecodec.h"
#include "frames/spillfile.h"

#include <wx/image.h>
#include <wx/stdpaths.h>

#include <algorithm>

// The store's state, shared with every frame it holds so that a frame can
// give its storage back even when it outlives the FrameStore object.
class FrameStoreCore
{
public:
    FrameStoreCore(const wxString& folder, const FrameStoreLimits& limits)
        : m_spill(folder), m_limits(limits), m_cache(limits.cacheBytes)
    {
    }

    bool Keep(StoredFrame& frame, std::string&& packed, FrameStoreRefusal& refusal)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_usage.frames >= m_limits.frames)
        {
            refusal.kind = FrameStoreRefusal::FrameCount;
            frame.m_refused = true;
            return false;
        }
        ++m_usage.frames;
        if (m_usage.memoryBytes + packed.size() <= m_limits.memoryBytes)
        {
            m_usage.memoryBytes += packed.size();
            frame.m_packed = std::move(packed);
            return true;
        }
        if (m_usage.diskBytes + packed.size() > m_limits.diskBytes)
            refusal.kind = FrameStoreRefusal::DiskBudget;
        else if (!m_spill.Append(packed, frame.m_offset, refusal.detail))
            refusal.kind = FrameStoreRefusal::WriteFailed;
        if (refusal.kind != FrameStoreRefusal::None)
        {
            frame.m_refused = true;
            --m_usage.frames;
            return false;
        }
        frame.m_length = packed.size();
        m_usage.diskBytes += packed.size();
        return true;
    }

    void Release(StoredFrame& frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!frame.m_refused)
            --m_usage.frames;
        m_cache.Remove(&frame);
        m_usage.memoryBytes -= frame.m_packed.size();
        if (frame.m_length > 0)
        {
            m_spill.Release(frame.m_offset, frame.m_length);
            m_usage.diskBytes -= frame.m_length;
        }
    }

    // The decoded picture from the cache, or else the packed bytes to decode.
    FramePicturePtr Lookup(const StoredFrame& frame, std::string& packed)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (FramePicturePtr cached = m_cache.Find(&frame))
            return cached;
        if (frame.m_length == 0)
        {
            packed = frame.m_packed;
            return nullptr;
        }
        lock.unlock(); // the frame's place in the file stays while it lives
        if (!m_spill.Read(frame.m_offset, static_cast<std::size_t>(frame.m_length), packed))
            packed.clear();
        return nullptr;
    }

    void Cache(const StoredFrame& frame, FramePicturePtr picture)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cache.Put(&frame, std::move(picture));
    }

    bool IsCached(const StoredFrame& frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_cache.Find(&frame) != nullptr;
    }

    void SetLimits(const FrameStoreLimits& limits)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_limits = limits;
        m_cache.SetBudget(limits.cacheBytes);
    }

    FrameStoreLimits GetLimits()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_limits;
    }

    FrameStoreUsage GetUsage()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        FrameStoreUsage usage = m_usage;
        usage.cacheBytes = m_cache.GetHeldBytes();
        return usage;
    }

private:
    std::mutex m_mutex;
    SpillFile m_spill;
    FrameStoreLimits m_limits;
    FrameStoreUsage m_usage;
    FrameCache m_cache;
};

StoredFrame::StoredFrame(std::shared_ptr<FrameStoreCore> core, const wxSize& size)
    : m_core(std::move(core)), m_size(size)
{
}

StoredFrame::~StoredFrame()
{
    m_core->Release(*this);
}

FrameStore::FrameStore(const wxString& spillFolder, const FrameStoreLimits& limits)
    : m_core(std::make_shared<FrameStoreCore>(spillFolder, limits))
{
}

FrameStore::~FrameStore()
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_queueChanged.notify_all();
    if (m_prefetcher.joinable())
        m_prefetcher.join();
}

FrameHandle FrameStore::Add(const wxImage& picture, std::string&& source, FrameStoreRefusal& refusal)
{
    refusal = FrameStoreRefusal();
    if (!picture.IsOk())
        return nullptr;
    std::string packed = PackFrame(picture, std::move(source));
    if (packed.empty())
    {
        refusal.kind = FrameStoreRefusal::WriteFailed;
        refusal.detail = "the frame could not be compressed";
        return nullptr;
    }
    auto frame = std::make_shared<StoredFrame>(m_core, picture.GetSize());
    if (!m_core->Keep(*frame, std::move(packed), refusal))
        return nullptr;
    return frame;
}

FramePicturePtr FrameStore::Get(const FrameHandle& frame)
{
    if (!frame)
        return nullptr;
    std::string packed;
    if (FramePicturePtr cached = m_core->Lookup(*frame, packed))
        return cached;
    wxImage picture;
    if (!UnpackFrame(packed, picture))
        return nullptr;
    auto decoded = std::make_shared<const FramePicture>(std::move(picture));
    m_core->Cache(*frame, decoded);
    return decoded;
}

wxImage FrameStore::Load(const FrameHandle& frame)
{
    if (!frame)
        return wxImage();
    std::string packed;
    if (FramePicturePtr cached = m_core->Lookup(*frame, packed))
        return cached->Copy();
    wxImage picture;
    UnpackFrame(packed, picture);
    return picture;
}

void FrameStore::Prefetch(const std::vector<FrameHandle>& frames)
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        if (m_stopping)
            return;
        m_queue.assign(frames.begin(), frames.end());
        if (!m_prefetcher.joinable())
            m_prefetcher = std::thread([this] { PrefetchLoop(); });
    }
    m_queueChanged.notify_all();
}

void FrameStore::PrefetchLoop()
{
    for (;;)
    {
        FrameHandle next;
        {
            std::unique_lock<std::mutex> lock(m_queueMutex);
            m_queueChanged.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            next = m_queue.front().lock();
            m_queue.erase(m_queue.begin());
        }
        if (next && !m_core->IsCached(*next))
            Get(next);
    }
}

void FrameStore::SetLimits(const FrameStoreLimits& limits)
{
    m_core->SetLimits(limits);
}

FrameStoreLimits FrameStore::GetLimits() const
{
    return m_core->GetLimits();
}

FrameStoreUsage FrameStore::GetUsage() const
{
    return m_core->GetUsage();
}

FrameStore& GetFrameStore()
{
    static FrameStore store(wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Cache) + "/tavrinex-gloamer");
    return store;
}
