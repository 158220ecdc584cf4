#pragma once
// Counts an event (a page painted, a window shown) and lets a benchmark wait
// for it in the event loop: the loop sleeps until the event's handler calls
// count(), so the wait adds nothing of its own to the figure measured.
#include <QEventLoop>
#include <QTimer>

namespace qd::bench {

class EventCounter {
public:
    void count() {
        ++count_;
        if (loop_) loop_->quit();
    }
    int value() const { return count_; }

    // Runs the event loop until the count reaches `target`; false when
    // `bound_ms` passed first.
    bool wait_for(int target, int bound_ms = 20000) {
        if (count_ >= target) return true;
        QEventLoop loop;
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        bound.start(bound_ms);
        loop_ = &loop;
        while (count_ < target && bound.isActive()) loop.exec();
        loop_ = nullptr;
        return count_ >= target;
    }

private:
    int count_ = 0;
    QEventLoop* loop_ = nullptr;
};

// Lets the event loop run for `ms` milliseconds, as a user who pauses would.
inline void idle_for(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace qd::bench
