#pragma once
// One animated GIF being written, frame after frame. The file header goes with
// the first frame that is actually written and the trailer after the last one,
// so frames that cannot be written (at either end, too) leave a sound file.

#include <memory>

class GifDifferencingWriter;
class GifLossyWriter;
struct GifPalette;
class wxImage;
class wxRect;
class wxOutputStream;

class GifAnimationWriter
{
public:
    // Makes `stream` the writer's output stream until this object goes.
    // With `differencing`, later frames hold only what changed (see
    // GifDifferencingWriter); otherwise every frame is written whole.
    // With `lossyQuality` below 100, frames go through AddLossyFrame
    // instead (see GifLossyWriter).
    explicit GifAnimationWriter(wxOutputStream& stream, bool differencing = false, int lossyQuality = 100);
    ~GifAnimationWriter();
    GifAnimationWriter(const GifAnimationWriter&) = delete;
    GifAnimationWriter& operator=(const GifAnimationWriter&) = delete;

    // Writes a reduced (palette) frame. False when it was not written: it was
    // refused without a byte written, or a write failed (then IsBroken).
    bool AddFrame(const wxImage& reduced, int delayMs);
    // The same for a composed frame with its own palette, in lossy mode.
    bool AddLossyFrame(const wxImage& composed, const GifPalette& own, const wxRect& area, int delayMs);
    // In lossy mode, whether `colours` show every pixel of `composed` that
    // differs from the frame written before well enough to stand for colours
    // of its own (see GifLossyWriter::ColoursServe).
    bool LossyColoursServe(const wxImage& composed, const GifPalette& colours) const;

    // Writes the trailer. True only for a complete file: at least one frame
    // and no failed write. Later calls return the same answer.
    bool Finish();

    int GetWrittenCount() const { return m_written; }
    // A write failed part-way: what the stream holds is not a usable GIF.
    bool IsBroken() const { return m_broken; }

private:
    // Runs one frame's write and keeps the count and the state.
    template <typename Write>
    bool Run(Write write);

    wxOutputStream& m_stream;
    std::unique_ptr<GifDifferencingWriter> m_differencing;
    std::unique_ptr<GifLossyWriter> m_lossy;
    int m_written = 0;
    bool m_broken = false;
    bool m_finished = false;
    bool m_complete = false;
};
