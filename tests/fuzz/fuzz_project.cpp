// Fuzz entry over the project reader: what reads as a project reads back the same once saved.
#include "project/projectfile.h"

#include <wx/init.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static wxInitializer initializer;
    ProjectContent content;
    const ProjectRead read = ReadProjectBytes(std::string(reinterpret_cast<const char*>(data), size), content);
    if (read != ProjectRead::Ok)
    {
        if (content != ProjectContent())
            __builtin_trap(); // a refused file leaves nothing behind
        return 0;
    }
    // Positional reading may stop early; what was taken must survive a save.
    ProjectContent again;
    if (ReadProjectBytes(FormatProjectFile(content), again) != ProjectRead::Ok || again.paths != content.paths ||
        again.gifName != content.gifName ||
        (content.hasRecovery && (again.projectPath != content.projectPath || again.gifPath != content.gifPath)))
        __builtin_trap();
    return 0;
}
