// Thumbnail strip figures: appending 2,000 frames of 640x360, one full
// repaint of a 1280x400 strip, and the repaint of one tile after a
// selection change. Every paint counts the entries it draws, to show that
// tiles outside the update region are never touched.
#include "strip/imagethumbnailitem.h"
#include "strip/thumbnailctrl.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/region.h>

#include <chrono>
#include <cstdio>

namespace
{
int g_drawCalls = 0;

class CountingItem : public wxImageThumbnailItem
{
public:
    using wxImageThumbnailItem::wxImageThumbnailItem;
    bool Draw(wxDC& dc, wxThumbnailCtrl* ctrl, const wxRect& rect, int style) override
    {
        ++g_drawCalls;
        return wxImageThumbnailItem::Draw(dc, ctrl, rect, style);
    }
};

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

double Millis(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Paints `region` of the strip the way a paint event does, into a bitmap of
// the client size; returns milliseconds and sets the number of tiles drawn.
double Paint(wxThumbnailCtrl* strip, const wxRegion& region, int& drawn, int repeat = 1)
{
    const wxSize client = strip->GetClientSize();
    wxBitmap target(client.x, client.y, -1);
    wxMemoryDC dc(target);
    strip->PrepareDC(dc);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i)
    {
        g_drawCalls = 0;
        drawn = strip->DrawContents(dc, region);
    }
    return Millis(std::chrono::steady_clock::now() - start) / repeat;
}

int VisibleTiles(wxThumbnailCtrl* strip)
{
    const wxRect client(strip->GetClientSize());
    int visible = 0;
    for (int i = 0; i < strip->GetCount(); ++i)
    {
        wxRect r;
        strip->GetItemRect(i, r, true);
        if (r.Intersects(client))
            ++visible;
    }
    return visible;
}
} // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv)
{
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    wxInitAllImageHandlers();

    const wxString path = wxFileName::CreateTempFileName("gloamer-bench") + ".png";
    {
        wxFFile file(path, "wb");
        file.Write("x", 1);
    }

    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    auto* strip = new wxThumbnailCtrl(frame, wxDefaultPosition, wxSize(1280, 400));
    frame->SetClientSize(1280, 400);
    frame->Show();
    for (int i = 0; i < 20; ++i)
        wxTheApp->Yield(true);

    wxImage picture(640, 360);
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x)
            picture.SetRGB(x, y, x % 256, y % 256, (x + y) % 256);

    const int count = 2000;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
    {
        // Each entry owns its picture; copies share the pixels until loaded.
        if (strip->Append(new CountingItem(new wxImage(picture), 0, path), 10) < 0)
        {
            std::fprintf(stderr, "append %d failed\n", i);
            return 1;
        }
    }
    const double appendMs = Millis(std::chrono::steady_clock::now() - start);
    for (int i = 0; i < 20; ++i)
        wxTheApp->Yield(true);

    const wxSize client = strip->GetClientSize();
    std::printf("strip client area %dx%d, %d entries, tile %dx%d\n", client.x, client.y,
                strip->GetCount(), strip->GetThumbnailOverallSize().x,
                strip->GetThumbnailOverallSize().y);
    std::printf("append %d entries of 640x360: %.0f ms total, %.3f ms per entry\n", count,
                appendMs, appendMs / count);

    int drawn = 0;
    const wxRegion whole(0, 0, client.x, client.y);
    double ms = Paint(strip, whole, drawn, 20);
    std::printf("full repaint (top): %.3f ms, tiles drawn %d (Draw calls %d), visible %d of %d\n",
                ms, drawn, g_drawCalls, VisibleTiles(strip), strip->GetCount());

    strip->ScrollIntoView(count / 2, WXK_DOWN);
    ms = Paint(strip, whole, drawn, 20);
    std::printf("full repaint (middle): %.3f ms, tiles drawn %d (Draw calls %d), visible %d\n",
                ms, drawn, g_drawCalls, VisibleTiles(strip));

    strip->ScrollIntoView(count - 1, WXK_END);
    ms = Paint(strip, whole, drawn, 20);
    std::printf("full repaint (end): %.3f ms, tiles drawn %d (Draw calls %d), visible %d\n", ms,
                drawn, g_drawCalls, VisibleTiles(strip));

    // One selection change refreshes one tile; painting that region draws it alone.
    const int n = count - 3;
    strip->Select(n, true);
    wxRect tile;
    strip->GetItemRect(n, tile, true);
    ms = Paint(strip, wxRegion(tile), drawn, 200);
    std::printf("repaint of one tile after a selection change: %.4f ms, tiles drawn %d "
                "(Draw calls %d)\n",
                ms, drawn, g_drawCalls);

    // The real paint path: a refresh and a paint event through the buffer.
    g_drawCalls = 0;
    start = std::chrono::steady_clock::now();
    strip->Refresh();
    strip->Update();
    for (int i = 0; i < 5 && g_drawCalls == 0; ++i)
        wxTheApp->Yield(true);
    std::printf("paint event after Refresh: %.3f ms, Draw calls %d\n",
                Millis(std::chrono::steady_clock::now() - start), g_drawCalls);

    start = std::chrono::steady_clock::now();
    strip->Clear();
    std::printf("clear %d entries: %.0f ms\n", count,
                Millis(std::chrono::steady_clock::now() - start));

    frame->Destroy();
    wxRemoveFile(path);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
