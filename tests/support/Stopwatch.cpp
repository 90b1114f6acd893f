#include "Stopwatch.h"
#include <windows.h>
#include <algorithm>

namespace {

double Ticks(double perSecond)
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * perSecond / frequency.QuadPart;
}

}

double Now()
{
    return Ticks(1000.0);
}

double NowMicroseconds()
{
    return Ticks(1e6);
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(fraction * (values.size() - 1) + 0.5);
    return values[index];
}

double Median(const std::vector<double>& values)
{
    return Percentile(values, 0.5);
}
