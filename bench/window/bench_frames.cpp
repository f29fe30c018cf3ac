// One run of the real window for bench/compare_frames.sh: load the given
// pictures through Add Image's worker, then optionally save them or play the
// preview, and print the figures with the process's peak memory. Uses only
// what every build of the window offers, so that an older build runs it too.
//
//   bench_frames load FILE...
//   bench_frames save OUT.gif FILE...
//   bench_frames preview DELAY SECONDS FILE...
#include "benchapp.h"
#include "app/paths.h"
#include "app/userdata.h"
#include "window/gifframe.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/timer.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Clock = BenchClock;

double PeakMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) / 1024.0;
    return -1;
}

// Runs the program's kind of event loop until `done` says so (checked every
// few milliseconds) or `limit` seconds have passed.
void RunUntil(const std::function<bool()>& done, double limit)
{
    wxGUIEventLoop loop;
    wxTimer poll;
    const Clock::time_point start = Clock::now();
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (done() || Seconds(Clock::now() - start) > limit)
            loop.Exit();
    });
    poll.Start(2);
    loop.Run();
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (argc < 3 || !wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    wxInitAllImageHandlers();
    wxGUIEventLoop mainLoop;
    wxEventLoopActivator activate(&mainLoop);
    wxXmlResource::Get()->InitAllHandlers();
    if (!wxXmlResource::Get()->LoadAllFiles(GetInstallRoot() + "/Themes"))
        return 1;
    // A documents folder of its own: the window's recovery copy, which this
    // run never removes, goes there and away with it.
    const wxString documents = wxFileName::CreateTempFileName("gloamer-bench-frames");
    wxRemoveFile(documents);
    wxMkdir(documents);
    SetDocumentsDirOverride(documents);
    const std::string mode = argv[1];
    const int first = mode == "load" ? 2 : mode == "save" ? 3 : 4;
    wxArrayString paths;
    for (int i = first; i < argc; ++i)
        paths.Add(wxString::FromUTF8(argv[i]));

    wxString problem;
    GifFrame* frame = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
    if (!frame)
        return 1;
    frame->SetSize(1000, 800);
    frame->Show();
    Clock::time_point start = Clock::now();
    frame->LoadImageFiles(paths);
    RunUntil([&] { return !frame->IsLoading(); }, 3600);
    std::printf("frames=%d load_s=%.3f", frame->GetFrameCount(), Seconds(Clock::now() - start));
    if (mode == "save")
    {
        const wxString out = wxString::FromUTF8(argv[2]);
        frame->SetSavePathChooser([&](wxWindow*, const wxString&, const wxString&) { return out; });
        wxMenu* file = frame->GetMenuBar()->GetMenu(0);
        start = Clock::now();
        file->SendEvent(file->FindItemByPosition(1)->GetId()); // Save As
        RunUntil([&] { return !frame->IsSaving(); }, 3600);
        std::printf(" save_s=%.3f", Seconds(Clock::now() - start));
    }
    else if (mode == "preview")
    {
        const int delay = std::atoi(argv[2]);
        XRCCTRL(*frame, "m_spinctrl_delay", wxSpinCtrl)->SetValue(delay);
        // Bound after the window's own handler, so called before it: each
        // tick starts when the one before has shown its frame.
        std::vector<Clock::time_point> ticks;
        frame->Bind(wxEVT_TIMER, [&](wxTimerEvent& event) {
            ticks.push_back(Clock::now());
            event.Skip();
        });
        wxMenu* animation = frame->GetMenuBar()->GetMenu(2);
        animation->SendEvent(animation->FindItemByPosition(0)->GetId()); // Run animation
        RunUntil([] { return false; }, std::atof(argv[3]));
        // Gaps between frames shown after the first pass.
        const int count = frame->GetFrameCount();
        double longest = 0;
        int late = 0, gaps = 0;
        for (size_t i = count + 1; i < ticks.size(); ++i)
        {
            const double gap = Seconds(ticks[i] - ticks[i - 1]);
            longest = std::max(longest, gap);
            late += gap > 2 * delay / 100.0;
            ++gaps;
        }
        std::printf(" shown=%zu longest_gap_ms=%.1f late=%d of %d", ticks.size(), longest * 1000, late, gaps);
    }
    std::printf(" peak_mib=%.0f\n", PeakMiB());
    std::fflush(stdout);
    wxFileName::Rmdir(documents, wxPATH_RMDIR_RECURSIVE);
    // Leaving without tearing the window down: only the figures matter.
    std::_Exit(0);
}
