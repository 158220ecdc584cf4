#pragma once
// The timed quiz: what each tick of the quiz timer shows, and when time is up.
#include <string>

namespace qd {

struct TimerTick {
    bool expired = false;
    std::string caption;     // the window caption with the minutes left
    std::string time_label;  // " 29.9 min."
};

// `elapsed_seconds` are whole seconds since the quiz started. The minutes left
// are the limit minus the elapsed minutes cut down to tenths; the limit is
// passed only once more than limit x 60 seconds have elapsed.
TimerTick timer_tick(int time_limit_minutes, long long elapsed_seconds, const std::string& exam_title, int quiz_position,
                     int quiz_length);

// "Practice Test for <title> - Question  3 of 50".
std::string question_caption(const std::string& exam_title, int quiz_position, int quiz_length);

}  // namespace qd
