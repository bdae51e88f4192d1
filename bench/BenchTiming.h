#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

/// The median time of `runs` calls of `run`, in microseconds. `prepare` runs before each
/// timed call and is not counted.
inline double MedianMicroseconds(int runs, const std::function<void()> &run,
                                 const std::function<void()> &prepare = {}) {
    std::vector<qint64> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed());
    }
    const auto middle = times.begin() + runs / 2;
    std::nth_element(times.begin(), middle, times.end());
    return static_cast<double>(*middle) / 1000.0;
}

/// Times `run` as `MedianMicroseconds` does and prints one line of the report.
inline void ReportMedian(const char *name, int runs, const std::function<void()> &run,
                         const std::function<void()> &prepare = {}) {
    std::printf("%-52s median %10.1f us  (%d runs)\n", name, MedianMicroseconds(runs, run, prepare),
                runs);
}
