#pragma once
// One frame kept in the frame store. Shared: whoever keeps the frame (an
// entry of the strip, the undo history, a running save) holds a handle, and
// the frame's storage is given back when the last handle goes, on whatever
// thread that happens.

#include <wx/gdicmn.h>

#include <cstdint>
#include <memory>
#include <string>

class FrameStoreCore;

class StoredFrame
{
public:
    StoredFrame(std::shared_ptr<FrameStoreCore> core, const wxSize& size);
    ~StoredFrame();
    StoredFrame(const StoredFrame&) = delete;
    StoredFrame& operator=(const StoredFrame&) = delete;

    // The picture's size, known without decoding it.
    wxSize GetSize() const { return m_size; }

private:
    friend class FrameStoreCore;

    const std::shared_ptr<FrameStoreCore> m_core;
    const wxSize m_size;
    // The packed frame: in memory, or m_length bytes at m_offset of the
    // store's spill file. Set once when the frame is added.
    std::string m_packed;
    std::uint64_t m_offset = 0;
    std::uint64_t m_length = 0;
    bool m_refused = false; // never counted as held
};

using FrameHandle = std::shared_ptr<const StoredFrame>;
