// Help, About: the program's name, version and what it does.
#pragma once

#include <windows.h>

// Shows the About box (captioned "About KXRevUrad") modally over owner.
void AboutBox_Show(HWND owner);
