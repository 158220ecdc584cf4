#pragma once
// The figures a timed run prints of its rounds: the median and the slowest.
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

namespace qd::bench {

inline double elapsed_ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

struct Figures {
    double median = 0;
    double slowest = 0;
};

inline Figures figures_of(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

}  // namespace qd::bench
