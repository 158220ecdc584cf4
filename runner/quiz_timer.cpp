#include "runner/quiz_timer.h"

#include "platform/text_forms.h"

namespace qd {
namespace {

// Tenths of a minute as the number is written: " 29.9", " 30", "-0.5".
std::string tenths_text(long long tenths) {
    const bool negative = tenths < 0;
    const long long size = negative ? -tenths : tenths;
    std::string text = std::to_string(size / 10);
    if (size % 10 != 0) text += "." + std::to_string(size % 10);
    return (negative ? "-" : " ") + text;
}

}  // namespace

std::string question_caption(const std::string& exam_title, int quiz_position, int quiz_length) {
    return "Practice Test for " + exam_title + " - Question " + blank_led_number(quiz_position) + " of" +
           blank_led_number(quiz_length);
}

TimerTick timer_tick(int time_limit_minutes, long long elapsed_seconds, const std::string& exam_title, int quiz_position,
                     int quiz_length) {
    TimerTick tick;
    const long long left_tenths = 10LL * time_limit_minutes - (elapsed_seconds * 10) / 60;
    const std::string minutes_left = tenths_text(left_tenths);
    tick.caption = question_caption(exam_title, quiz_position, quiz_length) + " ---  Time Left:" + minutes_left + " min.";
    tick.time_label = minutes_left + " min.";
    tick.expired = 60LL * time_limit_minutes - elapsed_seconds < 0;
    return tick;
}

}  // namespace qd
