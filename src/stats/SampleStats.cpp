#include "stats/SampleStats.h"

#include "support/Memory.h"

namespace {
constexpr double kEmptyMin = 1e307;
}

SampleStats* SampleStats_Create()
{
    auto* s = static_cast<SampleStats*>(Mem_Alloc(sizeof(SampleStats)));
    SampleStats_Init(s);
    return s;
}

void SampleStats_Init(SampleStats* s)
{
    s->mean = 0.0;
    s->m2 = 0.0;
    s->max = 0.0;
    s->min = kEmptyMin;
    s->count = 0;
}

void SampleStats_Add(SampleStats* s, double x)
{
    if (s->count <= 0) {
        s->mean = x;
        s->m2 = 0.0;
        s->count = s->count + 1;
        s->max = x;
        s->min = x;
        return;
    }
    double d = x - s->mean;
    s->count = s->count + 1;
    s->mean = s->mean + d / static_cast<double>(s->count);
    s->m2 = s->m2 + (x - s->mean) * d;
    if (x > s->max)
        s->max = x;
    else if (x < s->min)
        s->min = x;
}

double SampleStats_Variance(const SampleStats* s)
{
    if (s->count > 1)
        return s->m2 / static_cast<double>(s->count - 1);
    return s->m2;
}

void SampleStats_Destroy(SampleStats* s)
{
    Mem_Free(s);
}
