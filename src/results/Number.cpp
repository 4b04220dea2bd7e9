#include "results/Number.h"

static bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int32_t Number_ParseInt32(const char* s, const char** end)
{
    const char* p = s;
    while (IsCSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') {
        if (end)
            *end = s;
        return 0;
    }
    // The magnitude is kept at most one past the 32-bit limit.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    while (*p >= '0' && *p <= '9') {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
        ++p;
    }
    if (end)
        *end = p;
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}
