#include "window/imageloadrun.h"

#include "picture/framereference.h"
#include "picture/picturefile.h"
#include "picture/picturebytes.h"
#include "picture/picturereader.h"
#include "picture/videoreader.h"
#include "strip/imagethumbnailitem.h"

#include <algorithm>


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

    void Push(wxImage& image, int frameIndex, const wxString& path, int percent, std::int64_t clipTime = -1,
              std::string&& source = std::string())
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
        picture.clipTime = clipTime;
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

// The percent of a run of `count` sources when source `index` is `part`
// (0 to 1) done; below 100 until the run's last picture.
int RunPercent(int index, int count, double part)
{
    const int percent = static_cast<int>((index + std::min(std::max(part, 0.0), 1.0)) * 100.0 / count);
    return std::min(percent, 99);
}

// Why a path that names nothing readable was left out: a folder, a pipe or
// a device is told apart from a name that is not there.
PictureStatus WhyUnresolved(const wxString& path)
{
    PictureFilePtr file;
    const PictureStatus status = OpenPictureFile(path, file);
    return status.IsOk() ? PictureStatus::Fail(PictureError::Missing) : status;
}

// Every frame of the GIF at `file`, the percent following the part of the
// file read.
PictureStatus ReadGifFrames(const wxString& file, int index, int count, DeliveryQueue& queue,
                            const std::function<bool()>& stop)
{
    PictureFilePtr stream;
    const PictureStatus opened = OpenPictureFile(file, stream);
    if (!opened.IsOk())
        return opened;
    std::fseek(stream.get(), 0, SEEK_END);
    const double bytes = static_cast<double>(std::max(1L, std::ftell(stream.get())));
    std::rewind(stream.get());
    int frames = 0;
    return ReadPictureStream(stream.get(), true, [&](wxImage& frame) {
        const double read = static_cast<double>(std::ftell(stream.get())) / bytes;
        queue.Push(frame, frames++, file, RunPercent(index, count, read));
        return !stop();
    });
}

// The chosen part of a clip, frame by frame.
PictureStatus ReadClipPart(const LoadSource& source, int index, int count, DeliveryQueue& queue,
                           const std::function<bool()>& stop)
{
    VideoLimits limits;
    if (source.maxFrames > 0)
        limits.maxFrames = source.maxFrames;
    const std::int64_t frames = CountVideoPartFrames(source.part);
    std::int64_t given = 0;
    return ReadVideoPart(
        source.path, source.part, wxSize(),
        [&](wxImage& frame, std::int64_t time) {
            ++given;
            const double part = frames > 0 ? static_cast<double>(given) / static_cast<double>(frames) : 0.0;
            queue.Push(frame, 0, source.path, RunPercent(index, count, part), time);
            return !stop();
        },
        limits);
}
} // namespace

std::vector<LoadSource> LoadSourcesOf(const wxArrayString& paths)
{
    std::vector<LoadSource> sources;
    for (const wxString& path : paths)
    {
        LoadSource source;
        source.path = path;
        sources.push_back(source);
    }
    return sources;
}

void RunImageLoad(const wxArrayString& paths, const wxSize& thumbnailBox, const std::function<bool()>& stop,
                  const std::function<void(LoadedPicture&)>& deliver)
{
    RunImageLoad(LoadSourcesOf(paths), thumbnailBox, stop, deliver);
}

void RunImageLoad(const std::vector<LoadSource>& sources, const wxSize& thumbnailBox,
                  const std::function<bool()>& stop, const std::function<void(LoadedPicture&)>& deliver)
{
    DeliveryQueue queue(thumbnailBox, deliver);
    std::vector<LeftOutFile> leftOut;
    const int n = static_cast<int>(sources.size());
    for (int i = 0; i < n && !stop(); ++i)
    {
        const LoadSource& source = sources[i];
        PictureStatus status;
        FrameSource frame;
        if (source.clipPart)
        {
            status = ReadClipPart(source, i, n, queue, stop);
            if (i == n - 1)
                queue.MarkHeldFinal(source.path);
        }
        else if (!ResolveFrameSource(source.path, frame))
            status = WhyUnresolved(source.path);
        else if (frame.clipTime >= 0)
        {
            // Frames of one clip in a row, later and later (as a project
            // keeps a part of a clip), are read in one pass.
            std::vector<std::int64_t> times{frame.clipTime};
            std::vector<wxString> named{source.path};
            FrameSource next;
            while (i + 1 < n && !sources[i + 1].clipPart && ResolveFrameSource(sources[i + 1].path, next) &&
                   next.file == frame.file && next.clipTime >= times.back())
            {
                times.push_back(next.clipTime);
                named.push_back(sources[++i].path);
            }
            const int first = i + 1 - static_cast<int>(times.size());
            VideoLimits limits;
            limits.maxFrames = static_cast<std::int64_t>(times.size());
            size_t given = 0;
            status = ReadVideoFramesAt(frame.file, times, wxSize(), [&](wxImage& picture, std::int64_t) {
                const int at = first + static_cast<int>(given);
                queue.Push(picture, 0, frame.file, at == n - 1 ? 100 : RunPercent(at + 1, n, 0.0),
                           times[given]);
                ++given;
                return !stop();
            });
            // The frames the clip did not give are named one by one.
            if (given < times.size() && !stop())
            {
                const PictureStatus why = status.IsOk() ? PictureStatus::Fail(PictureError::NoFrames) : status;
                for (size_t k = given; k < named.size(); ++k)
                    leftOut.push_back({named[k], why});
            }
            else if (status.cutShort || status.damaged)
                leftOut.push_back({frame.file, status});
            continue;
        }
        else if (IsGifPath(frame.file) && frame.gifFrame < 0)
        {
            status = ReadGifFrames(frame.file, i, n, queue, stop);
            if (i == n - 1)
                queue.MarkHeldFinal(frame.file);
        }
        else
        {
            // A frame reference names one frame of a GIF; anything else is
            // one picture.
            wxImage picture;
            const int index = IsGifPath(frame.file) ? std::max(frame.gifFrame, 0) : 0;
            // A still picture is decoded from the very bytes that are kept,
            // so that a later change to the file changes nothing.
            std::string bytes;
            if (!IsGifPath(frame.file) && ReadPictureFileBytes(frame.file, kMaxKeptFileBytes, bytes))
                status = ReadPictureBytes(bytes, picture);
            else
                status = ReadPictureFrame(frame.file, index, picture);
            if (status.IsOk())
                queue.Push(picture, index, frame.file, (i + 1) * 100 / n, -1, std::move(bytes));
        }
        if (!status.IsOk() || status.cutShort || status.damaged)
            leftOut.push_back({source.path, status});
    }
    queue.Finish(std::move(leftOut));
}

