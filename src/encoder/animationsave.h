#pragma once
// Saving the frame list as a GIF file: the window's save worker runs this on
// its own thread, over the same encoder as gloamer-cli.

#include "encoder/encodeoptions.h"

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

#include <functional>
#include <vector>

// A picture the save may read on another thread: its own wxImage handle over
// the pixels of `image`, which must stay unchanged and alive until the save
// ends. Made on the thread that owns `image`.
wxImage MakeSaveView(const wxImage& image);

// Writes `frames` (composed to `size`, each shown `delay` hundredths of a
// second, looping forever) to `path` through a temporary file that replaces
// the target only when complete. `progress` gets 100 x (i + 1) / count after
// frame i, except the last, which the caller reports when this returns. False
// with a one-line reason in `error` when no complete file could be written;
// the target is then as it was. `options` as gloamer-cli takes them: the same
// choices give the same bytes.
bool SaveAnimationFile(const wxString& path, std::vector<wxImage>& frames, const wxSize& size, int delay,
                       const std::function<void(int percent)>& progress, wxString& error,
                       const GifEncodeOptions& options = GifEncodeOptions());

// The same for `count` frames read one at a time, when the encoder is ready
// for them: `frame(i)` gives frame i as a picture of the caller's own
// (invalid when it cannot be had).
bool SaveAnimationFile(const wxString& path, int count, const std::function<wxImage(int index)>& frame,
                       const wxSize& size, int delay, const std::function<void(int percent)>& progress,
                       wxString& error, const GifEncodeOptions& options = GifEncodeOptions());

// ".gif" appended unless the path already ends in it (case matters).
wxString WithGifExtension(const wxString& path);
