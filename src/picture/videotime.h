#pragma once
// Times within a clip, in microseconds from its start: read from what people
// type ("75", "1:15", "1:15.5", "0:01:15.25") and written back for people and
// for frame references.

#include <wx/string.h>

#include <cstdint>

constexpr std::int64_t kMicroseconds = 1000000;

// Seconds, or minutes and seconds, or hours, minutes and seconds, separated
// by ':', with up to six decimals on the seconds. Minutes and seconds after a
// ':' stay below 60. False for anything else, and beyond a million hours.
bool ParseVideoTime(const wxString& text, std::int64_t& microseconds);

// Plain seconds with as many decimals as needed, at most six ("75", "75.5",
// "0.333333"); ParseVideoTime reads it back to the same value.
wxString FormatVideoSeconds(std::int64_t microseconds);

// "m:ss.s" (or "h:mm:ss.s"), rounded to the tenth, for messages and labels.
wxString FormatVideoClock(std::int64_t microseconds);
