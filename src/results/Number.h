// Decimal number reading for results lines.
#pragma once

#include <cstdint>

// Reads a decimal integer at s as the standard string-to-long conversion does
// in the "C" locale: leading white space and one sign are allowed and the
// number ends at the first non-digit. Text without digits reads as 0 and *end
// is then s itself. Values beyond the signed 32-bit range saturate to
// INT32_MIN or INT32_MAX, the same on every platform. (Inline: results files
// hold millions of numbers.)
inline int32_t Number_ParseInt32(const char* s, const char** end)
{
    const char* p = s;
    // White space of the "C" locale: blank, and tab to carriage return.
    while (*p == ' ' || static_cast<unsigned char>(*p - '\t') <= '\r' - '\t')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
    if (digit > 9) {
        if (end)
            *end = s;
        return 0;
    }
    // The magnitude is kept at most one past the 32-bit limit.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    do {
        magnitude = magnitude * 10 + digit;
        if (magnitude > kLimit)
            magnitude = kLimit;
        digit = static_cast<unsigned char>(*++p) - static_cast<unsigned>('0');
    } while (digit <= 9);
    if (end)
        *end = p;
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}
