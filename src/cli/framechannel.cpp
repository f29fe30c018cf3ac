#include "cli/framechannel.h"

bool FrameChannel::Put(wxImage& picture)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopped || m_pictures < m_capacity; });
    if (m_stopped)
    {
        picture = wxImage();
        return false;
    }
    Item item;
    item.kind = Item::Kind::Picture;
    item.picture = picture;
    picture = wxImage();
    ++m_pictures;
    Push(item);
    return true;
}

void FrameChannel::EndInput(size_t input, const PictureStatus& status, int given)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Item item;
    item.kind = Item::Kind::InputEnd;
    item.input = input;
    item.status = status;
    item.status.detail = status.detail.Clone(); // a deep copy: it crosses threads
    item.given = given;
    Push(item);
}

void FrameChannel::Close()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Item item;
    Push(item);
}

void FrameChannel::Push(Item& item)
{
    m_items.push_back(item);
    item.picture = wxImage(); // the only other handle goes while the lock is held
    m_changed.notify_all();
}

FrameChannel::Item FrameChannel::Take()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_items.empty(); });
    Item item = m_items.front();
    m_items.pop_front();
    if (item.kind == Item::Kind::Picture)
        --m_pictures;
    m_changed.notify_all();
    return item;
}

void FrameChannel::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopped = true;
    m_items.clear();
    m_pictures = 0;
    m_changed.notify_all();
}
