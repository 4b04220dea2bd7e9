// The common file dialogs of the main window, opened centred on the screen.
#pragma once

#include <windows.h>

// The path the user chose to open (an existing file), as a new heap string
// in UTF-8 (Str_Free), or null when cancelled. The filter offers the pattern
// under the description, then "All" files.
char* ChooseFileToOpen(const char* title, const char* filter_description, const char* filter_pattern);

// The path the user chose to save to, as a new heap string in UTF-8, or null
// when cancelled. Choosing an existing file does not ask here: the caller
// asks before replacing it.
char* ChooseFileToSave(const char* title, const char* filter_description, const char* filter_pattern);

// Hook of both file dialogs: centres the dialog when it opens.
UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Moves the window to the middle of the screen, keeping it on the screen
// where it fits. Returns 1.
int CenterWindow(HWND window);
