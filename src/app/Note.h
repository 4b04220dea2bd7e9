// The program's message boxes, all captioned "Note".
#pragma once

#include <windows.h>

// Shows text (UTF-8, so that any file name in it shows as it is) in a message
// box captioned "Note" with the given buttons; returns the button chosen.
int ShowNote(HWND owner, const char* text, UINT buttons = MB_OK);
