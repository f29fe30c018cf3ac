#pragma once
// Frames on their way from the thread that reads the inputs to the one that
// encodes them, a few at a time, so that decoding the next picture overlaps
// with writing the last. Every wxImage handle changes hands under the lock:
// wxImage shares its data without locking.

#include "picture/picturestatus.h"

#include <wx/image.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

class FrameChannel
{
public:
    // What the encoding side takes: a picture, or the end of one input with
    // how its reading went, or the end of all.
    struct Item
    {
        enum class Kind
        {
            Picture,
            InputEnd,
            Done
        };
        Kind kind = Kind::Done;
        wxImage picture;
        size_t input = 0;     // InputEnd: the input the status is about
        PictureStatus status; // InputEnd
        int given = 0;        // InputEnd: the pictures the input gave
    };

    explicit FrameChannel(size_t capacity) : m_capacity(capacity) {}

    // Reading side. Put takes the picture (it is left invalid) and waits while
    // the channel is full; false once the encoding side stopped taking.
    bool Put(wxImage& picture);
    void EndInput(size_t input, const PictureStatus& status, int given);
    void Close();

    // Encoding side: waits for the next item.
    Item Take();
    // Nothing more is taken: the reading side stops at its next Put.
    void Stop();

private:
    void Push(Item& item);

    const size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_items;
    size_t m_pictures = 0; // pictures among m_items
    bool m_stopped = false;
};
