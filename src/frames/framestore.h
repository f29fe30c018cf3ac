#pragma once
// The frame store: every frame of the window's animation kept compactly
// (framecodec.h), in memory up to a budget and past it in a private spill
// file, and given back as the full picture on request through a cache of
// decoded frames with a budget of its own. Safe on any thread.

#include "frames/framepicture.h"
#include "frames/storedframe.h"

#include <wx/string.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class wxImage;

struct FrameStoreLimits
{
    std::size_t memoryBytes = std::size_t(64) << 20;      // packed frames held in memory
    std::uint64_t diskBytes = std::uint64_t(8) << 30;     // packed frames in the spill file
    std::size_t cacheBytes = std::size_t(192) << 20;      // decoded frames kept for reuse
    // Frames held at once. Each also costs the strip a thumbnail, and a GIF
    // can pack a frame into 20 bytes; a project holds at most as many.
    std::size_t frames = 100000;
};

struct FrameStoreUsage
{
    std::size_t memoryBytes = 0;
    std::uint64_t diskBytes = 0;
    std::size_t cacheBytes = 0;
    std::size_t frames = 0;
};

// Why a frame was not taken.
struct FrameStoreRefusal
{
    enum Kind
    {
        None,
        DiskBudget,  // the spill file would grow past its budget
        FrameCount,  // as many frames as the limits allow are held
        WriteFailed, // the spill file could not be made or written (detail says why)
    } kind = None;
    wxString detail;
};

class FrameStore
{
public:
    explicit FrameStore(const wxString& spillFolder, const FrameStoreLimits& limits = FrameStoreLimits());
    ~FrameStore();
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;

    // Keeps `picture`. `source` is the file's bytes it was decoded from by the
    // picture reader as a single picture (empty when there are none, such as
    // for a GIF's frames). Null, with the reason, when the store is full.
    FrameHandle Add(const wxImage& picture, std::string&& source, FrameStoreRefusal& refusal);

    // The frame's picture, kept in the cache for the next request; null only
    // when its packed form cannot be read back.
    FramePicturePtr Get(const FrameHandle& frame);
    // A picture of the caller's own, leaving the cache as it is (a save reads
    // every frame once).
    wxImage Load(const FrameHandle& frame);
    // Decodes these frames into the cache on the store's worker, in order,
    // in place of any earlier request still waiting.
    void Prefetch(const std::vector<FrameHandle>& frames);

    void SetLimits(const FrameStoreLimits& limits);
    FrameStoreLimits GetLimits() const;
    FrameStoreUsage GetUsage() const;

private:
    void PrefetchLoop();

    std::shared_ptr<FrameStoreCore> m_core;
    std::mutex m_queueMutex;
    std::condition_variable m_queueChanged;
    std::vector<std::weak_ptr<const StoredFrame>> m_queue;
    bool m_stopping = false;
    std::thread m_prefetcher; // started by the first Prefetch
};

// The program's store, spilling into the user's cache folder.
FrameStore& GetFrameStore();
