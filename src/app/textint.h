#pragma once
// Decimal text to int with the C library's rules: leading white space is
// skipped, an optional sign is taken, then decimal digits up to the first
// other character. No digits gives 0; values beyond the int range saturate
// instead of overflowing.

class wxString;

int TextToInt(const char* text);
int TextToInt(const wxString& text);
