// Decimal number reading for results lines.
#pragma once

#include <cstdint>

// Reads a decimal integer at s as the standard string-to-long conversion does
// in the "C" locale: leading white space and one sign are allowed and the
// number ends at the first non-digit. Text without digits reads as 0 and *end
// is then s itself. Values beyond the signed 32-bit range saturate to
// INT32_MIN or INT32_MAX, the same on every platform.
int32_t Number_ParseInt32(const char* s, const char** end);
