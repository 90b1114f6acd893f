// A high-resolution clock for tests and benchmarks, and the median and percentiles of timings.
#pragma once
#include <vector>

// Milliseconds on the performance counter (an arbitrary origin).
double Now();
// The same clock in microseconds.
double NowMicroseconds();

// The value below which the given fraction (0 to 1) of the values lie, the nearest one taken.
double Percentile(std::vector<double> values, double fraction);
// The middle value (of an even count, the upper of the two middle ones).
double Median(const std::vector<double>& values);
