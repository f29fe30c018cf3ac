#include "window/imageloadrun.h"

#include "picture/framereference.h"
#include "picture/picturebytes.h"
#include "picture/picturereader.h"
#include "strip/imagethumbnailitem.h"


namespace
{
// Files up to this size are read whole and kept as they are; anything larger
// is decoded from the file and kept as its pixels.
const std::size_t kMaxKeptFileBytes = std::size_t(256) << 20;

// Hands on each picture one step late, so that the last picture of the run
// is known when it goes and can carry the 100 percent.
class DeliveryQueue
{
public:
    DeliveryQueue(const wxSize& box, const std::function<void(LoadedPicture&)>& deliver)
        : m_box(box), m_deliver(deliver)
    {
    }

    void Push(wxImage& image, int frameIndex, const wxString& path, int percent, std::string&& source = std::string())
    {
        Flush();
        LoadedPicture picture;
        picture.thumbnail = FitImageIntoBox(image, m_box);
        picture.image = image;
        image = wxImage(); // the reader's reference goes here, on this thread
        picture.frameIndex = frameIndex;
        picture.source = std::move(source);
        picture.path = path;
        picture.percent = percent;
        m_held = std::move(picture);
        m_holding = true;
    }

    // The held picture is the last of its file and of the run.
    void MarkHeldFinal(const wxString& path)
    {
        if (m_holding && m_held.path == path)
            m_held.percent = 100;
    }

    void Finish(std::vector<LeftOutFile> leftOut)
    {
        if (!m_holding || m_held.percent != 100)
        {
            Flush();
            m_held.percent = 100;
            m_holding = true;
        }
        m_held.leftOut = std::move(leftOut);
        Flush();
    }

private:
    void Flush()
    {
        if (!m_holding)
            return;
        m_deliver(m_held);
        m_held = LoadedPicture();
        m_holding = false;
    }

    const wxSize m_box;
    const std::function<void(LoadedPicture&)>& m_deliver;
    LoadedPicture m_held;
    bool m_holding = false;
};
} // namespace

void RunImageLoad(const wxArrayString& paths, const wxSize& thumbnailBox, const std::function<bool()>& stop,
                  const std::function<void(LoadedPicture&)>& deliver)
{
    DeliveryQueue queue(thumbnailBox, deliver);
    std::vector<LeftOutFile> leftOut;
    const int n = static_cast<int>(paths.size());
    for (int i = 0; i < n && !stop(); ++i)
    {
        wxString file;
        int frameIndex = -1;
        if (!ResolvePicturePath(paths[i], file, frameIndex))
        {
            leftOut.push_back({paths[i], PictureStatus::Fail(PictureError::Missing)});
            continue;
        }
        PictureStatus status;
        if (IsGifPath(file) && frameIndex < 0)
        {
            int frames = 0;
            status = ReadPictureFrames(file, [&](wxImage& frame) {
                queue.Push(frame, frames++, file, i * 100 / n);
                return !stop();
            });
            if (frames > 0 && i == n - 1)
                queue.MarkHeldFinal(file);
        }
        else
        {
            // A frame reference names one frame of a GIF; anything else is
            // one picture.
            wxImage picture;
            const int index = IsGifPath(file) ? frameIndex : 0;
            // A still picture is decoded from the very bytes that are kept,
            // so that a later change to the file changes nothing.
            std::string source;
            if (!IsGifPath(file) && ReadPictureFileBytes(file, kMaxKeptFileBytes, source))
                status = ReadPictureBytes(source, picture);
            else
                status = ReadPictureFrame(file, index, picture);
            if (status.IsOk())
                queue.Push(picture, index, file, (i + 1) * 100 / n, std::move(source));
        }
        if (!status.IsOk() || status.cutShort)
            leftOut.push_back({paths[i], status});
    }
    queue.Finish(std::move(leftOut));
}
