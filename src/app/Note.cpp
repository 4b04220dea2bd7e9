#include "app/Note.h"

#include "support/WideText.h"

int ShowNote(HWND owner, const char* text, UINT buttons)
{
    return MessageBoxW(owner, WideText_FromUtf8(text).c_str(), L"Note", buttons);
}
