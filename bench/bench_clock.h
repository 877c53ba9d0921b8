// Timing for the benchmarks: wall time from the performance counter, taken
// as the median of several samples so that one slow sample does not count.
#ifndef MARTENUI_BENCH_BENCH_CLOCK_H
#define MARTENUI_BENCH_BENCH_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowMicros()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Measures `road` and `floor` in alternating samples of `repeat` runs each,
// so that both see the same machine; medians per run in microseconds.
struct Pair {
    double road;
    double floor;
    double ratio() const { return floor > 0 ? road / floor : 0; }
};

template <typename Road, typename Floor>
Pair MeasurePair(int samples, int repeat, Road road, Floor floor)
{
    std::vector<double> roads;
    std::vector<double> floors;
    for (int s = 0; s < samples; ++s) {
        double start = NowMicros();
        for (int i = 0; i < repeat; ++i)
            road();
        roads.push_back((NowMicros() - start) / repeat);
        start = NowMicros();
        for (int i = 0; i < repeat; ++i)
            floor();
        floors.push_back((NowMicros() - start) / repeat);
    }
    return Pair{Median(roads), Median(floors)};
}

#endif
