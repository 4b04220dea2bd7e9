// The colours of the pitch pictures and the Difference tool.
#pragma once

#include "common/WinTest.h"

constexpr COLORREF kLine = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kOlive = RGB(100, 100, 0);
constexpr COLORREF kAmber = RGB(255, 200, 0);
