#include "app/gifchoices.h"

#include "app/userdata.h"

#include "safefile/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

namespace
{
// Far above what FormatGifChoices writes; anything larger is not ours.
const size_t kMaxChoicesFileBytes = 4096;

wxString ChoicesFilePath()
{
    return GetUserDataDir() + "/gif-options.txt";
}

// Digits only, at most three of them, within [low, high].
bool ParseSmallNumber(const std::string& text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 3)
        return false;
    int parsed = 0;
    for (const char c : text)
    {
        if (c < '0' || c > '9')
            return false;
        parsed = parsed * 10 + (c - '0');
    }
    if (parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}
} // namespace

GifChoices ParseGifChoices(const std::string& text)
{
    GifChoices choices;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        int number = 0;
        if (key == "quality" && ParseSmallNumber(value, GifChoices::kMinQuality, GifChoices::kMaxQuality, number))
            choices.quality = number;
        else if (key == "store-changes" && ParseSmallNumber(value, 0, 1, number))
            choices.storeChanges = number == 1;
    }
    return choices;
}

std::string FormatGifChoices(const GifChoices& choices)
{
    return "quality=" + std::to_string(choices.quality) + "\nstore-changes=" + (choices.storeChanges ? "1" : "0") +
           "\n";
}

GifChoices ReadGifChoicesFile()
{
    std::string bytes;
    if (ReadRegularFile(ChoicesFilePath(), kMaxChoicesFileBytes, bytes) != FileStatus::Ok)
        return GifChoices();
    return ParseGifChoices(bytes);
}

void WriteGifChoicesFile(const GifChoices& choices)
{
    // Written beside and renamed over, so that a crash never leaves half a
    // file; a FIFO or device under the temporary name is never waited on.
    const wxString path = ChoicesFilePath();
    const wxCharBuffer temporary = (path + ".new").fn_str();
    const wxCharBuffer target = path.fn_str();
    if (!temporary.data() || !target.data())
        return;
    const int fd = open(temporary.data(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC,
                        0666);
    if (fd < 0)
        return;
    const std::string text = FormatGifChoices(choices);
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        close(fd); // not ours to remove
        return;
    }
    bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.data(), target.data()) != 0)
        unlink(temporary.data());
}
