#pragma once
// One diagnostic line on standard output (paths found at start-up, handler
// names). Flushed at once so that a reader on a pipe sees it immediately.

class wxString;

void WriteTraceLine(const wxString& line);
