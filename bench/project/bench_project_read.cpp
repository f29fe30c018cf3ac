// Reads one project file and prints the time, the frames found and the
// process's peak memory, either with the program's reader ("program") or the
// way it used to be read, through the toolkit's XML tree ("toolkit").
// bench/compare_project_read.sh runs both in turns on the same files.
// Not a test: run by hand or by scripts/bench.sh (without arguments it does
// nothing).
#include "project/projectfile.h"

#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace
{
// The frames the toolkit's tree lists, walked as the old reader walked it.
int ToolkitFrames(const wxString& path)
{
    wxXmlDocument document;
    if (!document.Load(path, "UTF-8") || !document.GetRoot())
        return -1;
    int frames = 0;
    for (wxXmlNode* section = document.GetRoot()->GetChildren(); section; section = section->GetNext())
    {
        if (section->GetName() != "images")
            continue;
        for (wxXmlNode* item = section->GetChildren(); item; item = item->GetNext())
            frames += item->GetNodeContent().EndsWith(".gif") ? 0 : 1;
    }
    return frames;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::printf("usage: bench_project_read program|toolkit FILE\n");
        return 0;
    }
    wxInitializer initializer;
    wxLogNull quiet;
    const bool program = std::strcmp(argv[1], "program") == 0;
    const auto start = std::chrono::steady_clock::now();
    int frames = -1;
    if (program)
    {
        ProjectContent content;
        if (ReadProjectFile(argv[2], content) == ProjectRead::Ok)
            frames = static_cast<int>(content.paths.size());
    }
    else
        frames = ToolkitFrames(argv[2]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.4f %d %ld\n", seconds, frames, usage.ru_maxrss);
    return 0;
}
