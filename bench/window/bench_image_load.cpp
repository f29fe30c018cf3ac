// Add Image of 100 JPEG photographs of 1920x1080: the whole load through the
// loading worker into the real window's strip, against decoding the same
// files one after another with the picture reader (dropping each picture, and
// keeping them all), in interleaved rounds.
// Also the longest time the GUI thread spends on one progress event, and the
// process's peak memory; then Insert Image of 50 of them before the first
// frame: how long the command holds the GUI thread, and the whole insert.
#include "benchapp.h"
#include "testimages.h"

#include "picture/picturereader.h"
#include "window/frameevents.h"
#include "strip/thumbnailctrl.h"
#include "window/gifframe.h"
#include "window/windowids.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/xrc/xmlres.h>

#include "app/paths.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{
using Clock = BenchClock;

// Times every progress event the window handles, and ends the event loop
// when the run is over.
class EventTimer : public wxEvtHandler
{
public:
    EventTimer(GifFrame* frame, wxEventLoopBase* loop) : m_frame(frame), m_loop(loop) {}
    bool ProcessEvent(wxEvent& event) override
    {
        if (event.GetEventType() != EVT_THREAD_UPDATE)
            return wxEvtHandler::ProcessEvent(event);
        const Clock::time_point start = Clock::now();
        const bool handled = wxEvtHandler::ProcessEvent(event);
        const double spent = Seconds(Clock::now() - start);
        longest = std::max(longest, spent);
        total += spent;
        ++events;
        if (!m_frame->IsLoading())
            m_loop->Exit();
        return handled;
    }
    double longest = 0;
    double total = 0;
    int events = 0;

private:
    GifFrame* m_frame;
    wxEventLoopBase* m_loop;
};

long MemoryKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg) {
        std::fprintf(stderr, "assertion %s:%d %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                     static_cast<const char*>(cond.utf8_str()), static_cast<const char*>(msg.utf8_str()));
    });
    wxInitAllImageHandlers();
    // Stands for the program's main loop; each load runs a loop inside it,
    // as the program's does while the progress dialog is up.
    wxGUIEventLoop mainLoop;
    wxEventLoopActivator activate(&mainLoop);
    wxXmlResource::Get()->InitAllHandlers();
    if (!wxXmlResource::Get()->LoadAllFiles(GetInstallRoot() + "/Themes"))
        return 1;

    const int kFiles = 100, kRounds = 3;
    const wxString dir = wxFileName::CreateTempFileName("gloamer-bench-load");
    wxRemoveFile(dir);
    wxMkdir(dir);
    wxArrayString paths;
    for (int i = 0; i < kFiles; ++i)
    {
        const wxString path = wxString::Format("%s/photo%03d.jpg", dir, i);
        testimages::PhotoLike(1920, 1080, 1000 + i).SaveFile(path, wxBITMAP_TYPE_JPEG);
        paths.Add(path);
    }

    std::vector<double> plain, keeping, window, longest, handling, guiCpu, insertHeld, insertWhole, insertLongest;
    wxArrayString inserted;
    for (int i = 0; i < 50; ++i)
        inserted.Add(paths[i]);
    int events = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        Clock::time_point start = Clock::now();
        for (const wxString& path : paths)
        {
            wxImage picture;
            ReadPictureFrame(path, 0, picture);
        }
        plain.push_back(Seconds(Clock::now() - start));

        // The same, keeping every picture as a frame list must: each one
        // then lands in fresh memory, which costs page faults of its own.
        start = Clock::now();
        {
            std::vector<wxImage> kept(paths.size());
            for (size_t i = 0; i < paths.size(); ++i)
                ReadPictureFrame(paths[i], 0, kept[i]);
            keeping.push_back(Seconds(Clock::now() - start));
        }

        wxString problem;
        GifFrame* frame = GifFrame::CreateFromLayout(*wxXmlResource::Get(), &problem);
        if (!frame)
        {
            std::fprintf(stderr, "%s\n", static_cast<const char*>(problem.utf8_str()));
            return 1;
        }
        frame->Show();
        // The program's own kind of loop: it sleeps while nothing happens.
        wxGUIEventLoop loop;
        auto* timer = new EventTimer(frame, &loop);
        frame->PushEventHandler(timer);
        start = Clock::now();
        rusage before, after;
        getrusage(RUSAGE_THREAD, &before);
        frame->LoadImageFiles(paths);
        loop.Run();
        getrusage(RUSAGE_THREAD, &after);
        guiCpu.push_back((after.ru_utime.tv_sec - before.ru_utime.tv_sec) + (after.ru_stime.tv_sec - before.ru_stime.tv_sec) +
                         1e-6 * ((after.ru_utime.tv_usec - before.ru_utime.tv_usec) + (after.ru_stime.tv_usec - before.ru_stime.tv_usec)));
        window.push_back(Seconds(Clock::now() - start));
        longest.push_back(timer->longest);
        handling.push_back(timer->total);
        events = timer->events;
        if (frame->GetFrameCount() != kFiles)
            std::fprintf(stderr, "only %d of %d frames loaded\n", frame->GetFrameCount(), kFiles);

        frame->PopEventHandler(true);

        // Insert Image before the first frame, through its menu command.
        frame->SetFileChooser([&](wxWindow*, const wxString&) { return inserted; });
        frame->GetThumbnailCtrl()->SetFocusItem(0);
        // The timer goes first: a run reports to the handler on top when it starts.
        wxGUIEventLoop insertLoop;
        auto* insertTimer = new EventTimer(frame, &insertLoop);
        frame->PushEventHandler(insertTimer);
        start = Clock::now();
        wxCommandEvent insert(wxEVT_MENU, ID_INSERT_IMAGE_MENU);
        frame->ProcessWindowEvent(insert);
        insertHeld.push_back(Seconds(Clock::now() - start));
        if (frame->IsLoading())
            insertLoop.Run();
        insertLongest.push_back(std::max(insertTimer->longest, insertHeld.back()));
        frame->PopEventHandler(true);
        insertWhole.push_back(Seconds(Clock::now() - start));
        if (frame->GetFrameCount() != kFiles + 50)
            std::fprintf(stderr, "only %d of %d frames after the insert\n", frame->GetFrameCount(), kFiles + 50);
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    std::printf("Add Image of %d JPEG photographs 1920x1080, medians of %d interleaved rounds\n", kFiles, kRounds);
    std::printf("  plain decoding, one after another   %6.2f s\n", Median(plain));
    std::printf("  plain decoding, keeping every one   %6.2f s\n", Median(keeping));
    std::printf("  worker into the window's strip      %6.2f s   (x %.2f of plain, x %.2f of keeping)\n",
                Median(window), Median(window) / Median(plain), Median(window) / Median(keeping));
    std::printf("  longest progress event on the GUI   %6.1f ms  (%d events per load)\n", Median(longest) * 1000,
                events);
    std::printf("  all progress events on the GUI      %6.2f s\n", Median(handling));
    std::printf("  GUI thread busy during the load     %6.2f s\n", Median(guiCpu));
    std::printf("Insert Image of 50 of them before the first frame\n");
    std::printf("  the command holds the GUI thread    %6.2f s\n", Median(insertHeld));
    std::printf("  longest GUI stall while inserting   %6.1f ms\n", Median(insertLongest) * 1000);
    std::printf("  the whole insert                    %6.2f s\n", Median(insertWhole));
    std::printf("  peak resident memory                %6.0f MiB\n", MemoryKb("VmHWM:") / 1024.0);
    wxFileName::Rmdir(dir, wxPATH_RMDIR_RECURSIVE);
    wxEntryCleanup();
    return 0;
}
