#include "picture/framereference.h"

#include "app/textint.h"
#include "picture/videotime.h"

#include <wx/filefn.h>

bool IsFrameReference(const wxString& path)
{
    const int at = path.Find(".gif_");
    return at != wxNOT_FOUND && at > 0;
}

int ParseFrameIndex(const wxString& path)
{
    if (!IsFrameReference(path))
        return -1;
    wxString digits = path.Right(3);
    if (digits.Contains("_"))
    {
        digits = path.Right(2);
        if (digits.StartsWith("_"))
            digits = path.Right(1);
    }
    return TextToInt(digits);
}

wxString StripFrameSuffix(const wxString& path)
{
    if (!IsFrameReference(path))
        return path;
    for (size_t cut = 2; cut < 4; ++cut)
    {
        const wxString shorter = path.Left(path.length() > cut ? path.length() - cut : 0);
        if (!IsFrameReference(shorter))
            return shorter;
    }
    return path.Left(path.length() > 4 ? path.length() - 4 : 0);
}

wxString MakeFrameReference(const wxString& gifPath, int index)
{
    return gifPath + wxString::Format("_%d", index);
}

bool ResolvePicturePath(const wxString& path, wxString& file, int& frameIndex)
{
    if (wxFileExists(path))
    {
        file = path;
        frameIndex = -1;
        return true;
    }
    const int index = ParseFrameIndex(path);
    if (index < 0)
        return false;
    const wxString stripped = StripFrameSuffix(path);
    if (wxFileExists(stripped))
    {
        file = stripped;
        frameIndex = index;
        return true;
    }
    // References beyond three digits: the digits after the last "_".
    const int underscore = path.Find('_', true);
    const wxString tail = path.Mid(underscore + 1);
    const wxString head = path.Left(underscore);
    if (tail.empty() || tail.length() > 9 || !head.EndsWith(".gif") || !wxFileExists(head))
        return false;
    for (const wxUniChar c : tail)
    {
        if (c < '0' || c > '9')
            return false;
    }
    file = head;
    frameIndex = TextToInt(tail);
    return MakeFrameReference(head, frameIndex) == path;
}

wxString MakeClipFrameReference(const wxString& clipPath, std::int64_t microseconds)
{
    return clipPath + "#t=" + FormatVideoSeconds(microseconds);
}

bool ParseClipFrameReference(const wxString& path, wxString& clipPath, std::int64_t& microseconds)
{
    const size_t at = path.rfind("#t=");
    if (at == wxString::npos || at == 0 || !ParseVideoTime(path.Mid(at + 3), microseconds))
        return false;
    clipPath = path.Left(at);
    return true;
}

bool ResolveFrameSource(const wxString& path, FrameSource& source)
{
    source = FrameSource();
    if (ResolvePicturePath(path, source.file, source.gifFrame))
        return true;
    wxString clip;
    std::int64_t time = 0;
    if (!ParseClipFrameReference(path, clip, time) || !wxFileExists(clip))
        return false;
    source.file = clip;
    source.clipTime = time;
    return true;
}
