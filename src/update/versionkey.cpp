#include "update/versionkey.h"

#include <wx/string.h>

#include <cstring>

namespace
{
constexpr int kFieldCount = 3;
constexpr int kFieldWidth = 3;
constexpr int kFieldMax = 999;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

void MakeVersionKey(const char* version, char (&key)[kVersionKeySize + 1])
{
    static_assert(kFieldCount * kFieldWidth == kVersionKeySize, "the fields fill the key");
    int fields[kFieldCount] = {0, 0, 0};
    const char* p = version;
    while (*p && !IsDigit(*p))
        ++p;
    for (int field = 0; field < kFieldCount && IsDigit(*p); ++field)
    {
        int value = 0;
        for (; IsDigit(*p); ++p)
            value = value >= kFieldMax ? kFieldMax : value * 10 + (*p - '0'); // saturates, never overflows
        fields[field] = value > kFieldMax ? kFieldMax : value;
        if (*p != '.')
            break;
        ++p;
    }

    std::memset(key, 0, sizeof key);
    char* out = key;
    for (int value : fields)
    {
        for (int place = kFieldWidth - 1; place >= 0; --place, value /= 10)
            out[place] = static_cast<char>('0' + value % 10);
        out += kFieldWidth;
    }
}

int CompareVersions(const wxString& program, const wxString& fetched)
{
    char programKey[kVersionKeySize + 1];
    char fetchedKey[kVersionKeySize + 1];
    MakeVersionKey(program.utf8_str(), programKey);
    MakeVersionKey(fetched.utf8_str(), fetchedKey);
    return std::strncmp(programKey, fetchedKey, kVersionKeySize);
}
