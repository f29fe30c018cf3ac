#include "picture/videotime.h"

#include <vector>

namespace
{
constexpr std::int64_t kMaxFieldValue = 3600LL * 1000000; // a million hours, in seconds
}

bool ParseVideoTime(const wxString& text, std::int64_t& microseconds)
{
    std::vector<std::int64_t> fields(1, 0);
    std::int64_t fraction = 0;
    int fractionDigits = -1; // -1: no '.' seen
    bool digitSeen = false;
    for (const wxUniChar c : text)
    {
        if (c >= '0' && c <= '9')
        {
            const int digit = static_cast<int>(c.GetValue() - '0');
            if (fractionDigits >= 0)
            {
                if (++fractionDigits > 6)
                    return false;
                fraction = fraction * 10 + digit;
            }
            else
            {
                fields.back() = fields.back() * 10 + digit;
                if (fields.back() > kMaxFieldValue)
                    return false;
            }
            digitSeen = true;
        }
        else if (c == ':' && fractionDigits < 0 && digitSeen && fields.size() < 3)
        {
            fields.push_back(0);
            digitSeen = false;
        }
        else if (c == '.' && fractionDigits < 0 && (digitSeen || fields.size() == 1))
            fractionDigits = 0;
        else
            return false;
    }
    if (!digitSeen && fractionDigits <= 0)
        return false;
    std::int64_t seconds = 0;
    for (size_t i = 0; i < fields.size(); ++i)
    {
        if (i > 0 && fields[i] >= 60)
            return false;
        seconds = seconds * 60 + fields[i];
    }
    if (seconds > kMaxFieldValue)
        return false;
    for (int d = fractionDigits; d < 6; ++d)
        fraction *= 10;
    microseconds = seconds * kMicroseconds + (fractionDigits > 0 ? fraction : 0);
    return true;
}

wxString FormatVideoSeconds(std::int64_t microseconds)
{
    wxString text = wxString::Format("%lld.%06lld", static_cast<long long>(microseconds / kMicroseconds),
                                     static_cast<long long>(microseconds % kMicroseconds));
    while (text.EndsWith("0"))
        text.RemoveLast();
    if (text.EndsWith("."))
        text.RemoveLast();
    return text;
}

wxString FormatVideoClock(std::int64_t microseconds)
{
    const long long tenths = (microseconds + 50000) / 100000;
    const long long seconds = tenths / 10, minutes = seconds / 60, hours = minutes / 60;
    if (hours > 0)
        return wxString::Format("%lld:%02lld:%02lld.%lld", hours, minutes % 60, seconds % 60, tenths % 10);
    return wxString::Format("%lld:%02lld.%lld", minutes, seconds % 60, tenths % 10);
}
