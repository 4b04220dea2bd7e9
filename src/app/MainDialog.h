// The main window: the results list, three buttons, a status bar and a menu.
#pragma once

#include "app/ResultsList.h"

#include <windows.h>

// How the main window asks for file names (the common file dialogs; tests
// answer instead). Each returns a new heap string or null when cancelled.
struct MainDialogFileChooser {
    char* (*choose_open)(const char* title, const char* filter_description, const char* filter_pattern);
    char* (*choose_save)(const char* title, const char* filter_description, const char* filter_pattern);
};

// What the main dialog starts with, passed as its init parameter (may be null).
struct MainDialogStart {
    const MainDialogFileChooser* chooser; // null: the common file dialogs
    int file_count;                       // files to load at start, in order
    char** files;
};

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The main dialog's results list (for the commands of the other dialogs and tests).
ResultsList* MainDialog_List(HWND dialog);

// Registers the main window's class, derived from the system dialog class.
bool RegisterMainWindowClass(HINSTANCE instance);

// Runs the main dialog until it ends and returns its result: 1 after Exit,
// "Close" or Enter, 0 after the close box or when the class cannot be made.
int MainWindow_Run(HINSTANCE instance, const MainDialogStart* start);
