// The main window's class "KXRevUradClass": the system dialog class under the
// program's own name and instance, so that dialog template 1001 (which names
// this class) can be opened.
#pragma once

#include <windows.h>

// The class name that the main dialog template names.
constexpr char kMainWindowClassName[] = "KXRevUradClass";

// Registers the main window class for the instance, derived from the system
// dialog class, with the application icon when the instance has one. True
// when the class is registered afterwards (also when it already was); false
// when the system dialog class cannot be read or registration fails.
bool RegisterMainWindowClass(HINSTANCE instance);
