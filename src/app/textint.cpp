#include "app/textint.h"

#include <wx/string.h>

#include <climits>

int TextToInt(const char* text)
{
    if (!text)
        return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
    {
        negative = (*p == '-');
        ++p;
    }
    // Accumulate as a negative number: its range holds INT_MIN as well.
    long long value = 0;
    bool saturated = false;
    for (; *p >= '0' && *p <= '9'; ++p)
    {
        if (saturated)
            continue;
        value = value * 10 - (*p - '0');
        if (value < static_cast<long long>(INT_MIN))
            saturated = true;
    }
    if (saturated)
        return negative ? INT_MIN : INT_MAX;
    if (negative)
        return static_cast<int>(value);
    if (-value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(-value);
}

int TextToInt(const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return TextToInt(utf8.data());
}
