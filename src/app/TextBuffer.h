// The main window's one text buffer: the status-bar text and each list
// cell's text while it is shown.
#pragma once

#include <cstddef>

constexpr std::size_t kTextBufferSize = 128;
// The status text leaves room for what the status bar appends.
constexpr std::size_t kStatusTextLimit = 125;

char* TextBuffer();
