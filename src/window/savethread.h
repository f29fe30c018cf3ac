#pragma once
// The save worker: writes the frames it was handed as a GIF file and reports
// progress to the window (EVT_THREAD_UPDATE, id ID_SAVE_GIF_UPDATE, GetInt
// the percentage). The event at 100 percent ends the save; its string is
// empty on success, else the reason the file could not be written.
// Detached: it deletes itself when done. It never touches a window, a bitmap
// or the strip: it reads the frames it was handed from the frame store.

#include "frames/storedframe.h"

#include "encoder/encodeoptions.h"

#include <wx/gdicmn.h>
#include <wx/thread.h>

#include <memory>
#include <vector>

class WorkerLink;

class WorkSaveAsGifThread : public wxThread
{
public:
    WorkSaveAsGifThread(std::shared_ptr<WorkerLink> link, std::vector<FrameHandle> frames, const wxSize& size, int delay,
                        const wxString& path, const GifEncodeOptions& options);
    ~WorkSaveAsGifThread() override;

protected:
    ExitCode Entry() override;

private:
    std::shared_ptr<WorkerLink> m_link;
    std::vector<FrameHandle> m_frames;
    const wxSize m_size;
    const int m_delay;
    const wxString m_path;
    const GifEncodeOptions m_options;
};
