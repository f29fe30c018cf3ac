#pragma once
// A stand-in owner for the thumbnail strip: a frame with a top panel that
// holds the strip and records every notification it receives, bound the way
// the main window binds them (static event table, id ID_THUMBNAIL_CTRL).

#include "window/thumbnailctrl.h"
#include "window/thumbnailevent.h"

#include <wx/frame.h>

#include <vector>

class wxPanel;
class wxImageThumbnailItem;

// The strip with its repaint requests recorded: a null rectangle stands for
// a whole-window refresh.
class RecordingStrip : public wxThumbnailCtrl
{
public:
    using wxThumbnailCtrl::wxThumbnailCtrl;
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

    std::vector<wxRect> refreshed;
    int fullRefreshes = 0;
    // Whether some refresh covered the client rectangle of tile n.
    bool TileRefreshed(int n) const;
    void ForgetRefreshes()
    {
        refreshed.clear();
        fullRefreshes = 0;
    }
};

// Records toolkit assertions (condition and message) while it exists instead
// of showing the toolkit's dialog.
class AssertRecorder
{
public:
    struct Failure
    {
        wxString file, cond, msg;
    };
    AssertRecorder();
    ~AssertRecorder();
    AssertRecorder(const AssertRecorder&) = delete;
    AssertRecorder& operator=(const AssertRecorder&) = delete;

    std::vector<Failure>& Failures();
    void Forget() { Failures().clear(); }

private:
    wxAssertHandler_t m_previous;
};

struct StripNotice
{
    wxEventType type;
    int index;
    int flags;
    int id;
    bool operator==(const StripNotice& o) const
    {
        return type == o.type && index == o.index && flags == o.flags && id == o.id;
    }
};

class StripHarnessFrame : public wxFrame
{
public:
    explicit StripHarnessFrame(const wxSize& stripSize = wxSize(330, 300));

    RecordingStrip* Strip() const { return m_strip; }
    std::vector<StripNotice> notices;
    bool vetoAll = false;

private:
    void OnThumbnail(wxThumbnailEvent& event);

    wxPanel* m_panel_top;
    RecordingStrip* m_strip;

    wxDECLARE_EVENT_TABLE();
};

// Runs the event loop until `done` holds or about two seconds have passed.
template <typename Pred> bool PumpUntil(Pred done);
bool PumpEventsFor(int milliseconds);

// A solid-colour entry of the given size whose file exists (created in `dir`).
wxImageThumbnailItem* MakeEntry(const wxString& dir, const wxString& name, int width, int height,
                                const wxColour& colour = *wxRED, int subImageIndex = 0);

// Fills the harness strip with `count` loaded entries.
void FillStrip(wxThumbnailCtrl* strip, const wxString& dir, int count, int delay = 10);

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

template <typename Pred> bool PumpUntil(Pred done)
{
    wxStopWatch watch;
    while (!done())
    {
        if (watch.Time() > 2000)
            return false;
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return true;
}
