// The figures of a benchmark step run many times: median, minimum and
// maximum, in milliseconds, printed one step a line.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

struct StepFigures {
    double median, minimum, maximum;
};

// Runs the step `runs` times; a step that fails ends the benchmark (status
// 1) with a line naming it.
inline StepFigures MeasureStep(const char* bench, int runs, const std::function<bool()>& step) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!step()) {
            std::fprintf(stderr, "%s: a step failed\n", bench);
            std::exit(1);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

inline void PrintStep(const char* name, const StepFigures& f) {
    std::printf("%-48s median %7.3f ms  min %7.3f  max %7.3f\n", name, f.median, f.minimum,
                f.maximum);
}
