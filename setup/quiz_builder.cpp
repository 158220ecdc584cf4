#include "setup/quiz_builder.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "bank/bank_loader.h"
#include "common/guarded_steps.h"
#include "common/module1.h"
#include "common/program_title.h"
#include "common/window_operations.h"
#include "platform/failure.h"
#include "platform/text_forms.h"
#include "results/results_file.h"
#include "setup/settings_commands.h"

namespace qd {
namespace {

enum class QuizKind { all, categories, immediate_wrong };

// The highest question number whose table index, order_base + (number - 1) x
// order_stride, still lies within the loaded bank.
int last_question_number(const BankState& bank, const QuizState& quiz) {
    const int base = quiz.order_base == 5 ? 1 : quiz.order_base;  // option 5 asks from record 1 on
    if (bank.question_count < base || quiz.order_stride <= 0) return 0;
    return (bank.question_count - base) / quiz.order_stride + 1;
}

void shuffle_question_order(QuizWorld& w, QuizKind kind) {
    QuizState& quiz = w.quiz;
    const bool categories = kind == QuizKind::categories;
    const bool all_of_them = w.setup.quiz_choice >= 5;
    int n = categories ? quiz.quiz_length : w.bank.question_count;
    double range = categories ? (all_of_them ? quiz.quiz_length : quiz.quiz_length / 4.0)
                              : (all_of_them ? w.setup.total_questions : w.setup.total_questions / 4.0);
    // Swapping only among numbers that lead to a record of the bank keeps
    // every position's table index within the bank, whatever the option.
    const int last = last_question_number(w.bank, quiz);
    n = std::min(n, last);
    range = std::min(range, static_cast<double>(last));
    for (int i = 1; i <= n; ++i) {
        const int r = static_cast<int>(std::floor(range * w.random.next_unit() + 1));
        std::swap(quiz.question_order.at(i), quiz.question_order.at(r));
    }
}

// Every asked question counts as missed until the grader says otherwise, so a
// question left unanswered is asked again by a "wrong last time" quiz.
void mark_asked_questions(QuizWorld& w) {
    for (int p = 1; p <= w.quiz.quiz_length; ++p)
        silent_step([&] { w.quiz.missed_flags.at(w.table.at(w.quiz.table_index_at(p)).question_id) = "1"; });
}

}  // namespace

std::string stored_student_name(const std::string& typed) {
    std::string name = to_upper_ascii(typed);
    if (trim_blanks(name).empty()) name = "STUDENT";
    std::string stored;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue;  // the rest of a character already replaced
        const bool kept = c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
        stored += kept ? c : ' ';
    }
    return stored;
}

void load_exam_bank(int option, QuestionTable& table, BankState& bank) {
    switch (option) {
        case 1: load_questions(banks::pv_flash_intro, table, bank); return;
        case 2: load_questions(banks::pv_flash_orlin, table, bank); return;
        case 3: load_questions(banks::pv_flash_combo, table, bank); return;
        default: throw Failure(FailureCode::invalid_call, "Exam option " + std::to_string(option) + " has no bank");
    }
}

void start_the_quiz_from_command1(const MenuChoices& boxes, QuizWorld& w) {
    QuizState& quiz = w.quiz;
    SetupState& setup = w.setup;
    WorkingSettings& working = w.settings.working;

    silent_step([&] {
        std::fill(quiz.cat_asked.begin() + 1, quiz.cat_asked.begin() + 101, 0);
        std::fill(quiz.cat_right.begin() + 1, quiz.cat_right.begin() + 101, 0);
    });
    silent_step([&] {
        for (int i = 1; i <= QuestionTable::kLastIndex; ++i) w.table.at(i).user_text.clear();
    });
    silent_step([&] { w.random.reseed_from_clock(); });
    silent_step([&] { working.timed_state = boxes.timed_quiz ? timed_code::running : timed_code::untimed; });
    silent_step([&] { w.set_busy_pointer(true); });
    silent_step([&] { working.time_limit = to_int16(lenient_number(boxes.time_text)); });
    silent_step([&] { quiz.quiz_length = to_int16(lenient_number(boxes.question_count_text)); });
    silent_step([&] { quiz.quiz_length = std::min<std::int16_t>(quiz.quiz_length, kLongestExamQuiz); });
    silent_step([&] { working.time_limit = std::max<std::int16_t>(working.time_limit, 1); });
    silent_step([&] { setup.time_started = w.clock.now(); });
    silent_step([&] { working.student_name = stored_student_name(boxes.name_text); });
    silent_step([&] { w.settings.put(setting::student_name, working.student_name); });
    silent_step(
        [&] { load_results_file(quiz.missed_flags, results_file_name(w.bank.product_number, working.student_name), w.notice); });

    silent_step([&] {
        const int i = boxes.exam_option;
        if (i < 1 || i > 6) return;
        setup.quiz_choice = static_cast<std::int16_t>(i);
        quiz.current_index = static_cast<std::int16_t>(i);
        quiz.order_base = static_cast<std::int16_t>(i);
        quiz.order_stride = 4;
        if (i > 3) return;
        load_exam_bank(i, w.table, w.bank);
        quiz.current_index = 1;
        setup.total_questions = w.bank.question_count;
        quiz.quiz_length = std::min<std::int16_t>(w.bank.question_count, kLongestExamQuiz);
        quiz.order_stride = 1;
        quiz.order_base = 1;
    });
    silent_step([&] { quiz.right_count = 0; });
    quiz.resumed = false;  // a new quiz, whatever was put back before
    silent_step([&] {
        working.show_answer_when_right = boxes.answer_when_right ? 1 : 0;
        working.show_answer_when_wrong = boxes.answer_when_wrong ? 1 : 0;
        working.shuffle_questions = boxes.random_questions ? 1 : 0;
        working.shuffle_answers = boxes.random_answers ? 1 : 0;
        working.show_answer_count = boxes.show_answer_count ? 1 : 0;
        working.embed_media_player = boxes.embed_media_player ? 1 : 0;
        working.back_button = boxes.back_button ? 1 : 0;
        working.live_scoring = boxes.live_scoring ? 1 : 0;
    });

    // A retake with nothing to repeat opens no quiz window: the student stays
    // on the main menu instead of facing an empty quiz under an hourglass.
    const bool nothing_to_retake = setup.retake_in_progress == 1 && w.retake.missed_count == 0;
    if (!nothing_to_retake) silent_step([&] { w.windows.show(kQuizWindow); });

    silent_step([&] { setup.wrong_only = boxes.ask_wrong ? wrong_only_code::repeating : wrong_only_code::not_repeating; });
    silent_step([&] {
        if (setup.wrong_only == wrong_only_code::repeating) return;
        for (int i = 1; i <= setup.total_questions; ++i) quiz.question_order.at(i) = static_cast<std::int16_t>(i);
    });
    QuizKind kind = QuizKind::all;
    if (setup.category_quiz == flag_code::set) kind = QuizKind::categories;
    if (setup.retake_in_progress == 1) kind = QuizKind::immediate_wrong;

    if (kind == QuizKind::categories) {
        silent_step([&] { quiz.quiz_length = w.bank.question_count; });
        int n = 0;
        for (int i = 1; i <= quiz.quiz_length; ++i) {
            silent_step([&] {
                quiz.order_stride = 1;
                int c = w.table.at(i).category;
                if (c == 0) c = 1;
                if (setup.category_selected.at(static_cast<std::size_t>(c)) != flag_code::set) return;
                ++n;
                quiz.question_order.at(n) = static_cast<std::int16_t>(i);
            });
        }
        silent_step([&] { quiz.quiz_length = static_cast<std::int16_t>(n); });
    } else if (kind == QuizKind::immediate_wrong) {
        if (nothing_to_retake) {
            silent_step([&] { w.dialogs.message(kNothingToRetakeMessage, kProgramTitle, DialogButtons::ok, DialogIcon::none); });
            silent_step([&] { w.set_busy_pointer(false); });
            silent_step([&] {
                center_form(w.windows.load(kMainMenu), w.screen);
                w.windows.show(kMainMenu);
            });
            return;
        }
        silent_step([&] {
            quiz.order_stride = 1;
            quiz.order_base = 1;
            for (int i = 1; i <= w.retake.missed_count; ++i) quiz.question_order.at(i) = w.retake.missed_ids.at(i);
            quiz.quiz_length = w.retake.missed_count;
        });
    }

    silent_step([&] {
        const int last = std::min<int>(quiz.order_stride * quiz.quiz_length, QuestionTable::kLastIndex);
        for (int i = 1; i <= last; ++i) w.table.at(i).result = result_code::queued;
    });
    silent_step([&] {
        if (working.shuffle_questions == 1 && setup.wrong_only != wrong_only_code::repeating) shuffle_question_order(w, kind);
    });
    silent_step([&] {
        if (quiz.order_base == 5) quiz.order_base = 1;
    });
    mark_asked_questions(w);
    silent_step([&] {
        quiz.current_index = 0;
        quiz.quiz_position = 0;
        quiz.right_count = 0;
    });
    silent_step([&] { w.windows.get<QuizWindowOperations>(kQuizWindow).show_quest(); });
    silent_step([&] { w.retake.missed_count = 0; });
    silent_step([&] { w.set_busy_pointer(false); });
    // Only hand over to a quiz window that is really there: hiding the main
    // menu without one would leave the student with no window at all.
    silent_step([&] {
        if (w.windows.is_loaded(kQuizWindow)) w.windows.hide(kMainMenu);
    });
}

}  // namespace qd
