#include "app/trace.h"

#include <wx/string.h>

#include <cstdio>

void WriteTraceLine(const wxString& line)
{
    const wxScopedCharBuffer utf8 = line.utf8_str();
    std::fputs(utf8.data(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
