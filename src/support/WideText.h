// Converting between the program's UTF-8 text and the UTF-16 of the Windows
// wide-character functions (Windows only).
#pragma once

#include <string>

// text read as UTF-8, or in the ANSI code page when it is not valid UTF-8.
std::wstring WideText_FromUtf8(const char* text);

// UTF-8 of wide text; unpaired surrogates become U+FFFD.
std::string WideText_ToUtf8(const wchar_t* text);
