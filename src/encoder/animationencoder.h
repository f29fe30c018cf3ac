#pragma once
// The one encoding pipeline of the program, shared by gloamer-cli and the
// window's Save: every picture is composed to the output size and reduced to
// a palette, on several threads at once, and the frames are written in the
// order they were added. What needs the frame before (keeping still pixels
// still, frame differencing) runs in that order on the adding thread, so the
// file is byte for byte the one a single thread would write.

#include "encoder/animationwriter.h"
#include "encoder/encodeoptions.h"
#include "encoder/framesteadier.h"
#include "encoder/palette.h"

#include <wx/gdicmn.h>
#include <wx/image.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

class wxOutputStream;

class AnimationEncoder
{
public:
    // The threads the machine offers, at least one.
    static int DefaultThreads();

    AnimationEncoder(wxOutputStream& stream, const wxSize& size, int delayMs,
                     const GifEncodeOptions& options = GifEncodeOptions(), int threads = DefaultThreads());
    ~AnimationEncoder();
    AnimationEncoder(const AnimationEncoder&) = delete;
    AnimationEncoder& operator=(const AnimationEncoder&) = delete;

    // Called on the adding thread after each frame is written or left out,
    // with the number of frames done so far.
    void SetProgress(std::function<void(int done)> progress) { m_progress = std::move(progress); }

    // Takes the picture (it is left invalid); pixels that another handle
    // shares are copied first, as wxImage shares them without locking. Waits
    // while enough frames are in flight. False once writing has failed.
    bool Add(wxImage& picture);
    // Writes the frames still in flight and the trailer. True only for a
    // complete file with at least one frame.
    bool Finish();

    int GetWrittenCount() const { return m_writer.GetWrittenCount(); }
    // Frames whose colours could not be reduced; the file goes on without them.
    int GetRefusedCount() const { return m_refused; }
    bool IsBroken() const { return m_writer.IsBroken(); }

private:
    struct Job
    {
        int index;
        wxImage picture;
        bool barelyChanged; // lossy mode: the colours of the frame before may do
    };
    struct Reduced
    {
        wxImage composed;
        wxImage reduced; // invalid when refused
        wxRect area;     // where the picture lies in the frame
        GifPalette own;  // lossy mode: the frame's own colours (none when refused or not chosen)
        bool barelyChanged = false;
    };

    void Work();
    // Whether `picture` differs from the one added before in so few pixels
    // that the colours of the frame before are worth trying first; keeps a
    // copy of it for the next call.
    bool BarelyChanged(const wxImage& picture);
    // Writes every finished frame that is next in order; with `wait`, waits
    // until at most `inFlight` frames remain unwritten.
    void WriteReady(std::unique_lock<std::mutex>& lock, int inFlight);

    GifAnimationWriter m_writer;
    GifFrameSteadier m_steadier; // used in frame order only
    const wxSize m_size;
    const int m_delayMs;
    const GifEncodeOptions m_options;
    const bool m_lossy; // below full quality with frame differencing
    const int m_maxInFlight;
    std::function<void(int)> m_progress;
    // Adding thread: the picture added last (RGB, then alpha when it has one).
    std::vector<unsigned char> m_lastPicture;
    wxSize m_lastPictureSize;
    // Writing thread: the colours the last lossy frame was written with.
    GifPalette m_lastOwn;

    std::mutex m_mutex;
    std::condition_variable m_jobReady, m_frameReady;
    std::deque<Job> m_jobs;
    std::map<int, Reduced> m_finished; // by index
    int m_added = 0;
    int m_written = 0; // frames handed to the writer (or left out), in order
    int m_refused = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
