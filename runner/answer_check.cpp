#include "runner/answer_check.h"

#include <cmath>
#include <cstdio>

#include "platform/text_forms.h"
#include "runner/router_console_grading.h"

namespace qd {
namespace {

const FormControl* find_control(const FormSnapshot& form, const std::string& name, int nth = 0) {
    for (const FormControl& control : form)
        if (control.name == name && nth-- == 0) return &control;
    return nullptr;
}

std::string replace_en_dashes(std::string text) {
    static const std::string kEnDash = "\xE2\x80\x93";
    for (auto at = text.find(kEnDash); at != std::string::npos; at = text.find(kEnDash, at + 1))
        text.replace(at, kEnDash.size(), "-");
    return text;
}

}  // namespace

int count_answers(const QuestionRecord& question) {
    int count = 0;
    for (int slot = 1; slot <= 6; ++slot)
        if (!trim_blanks(question.answers[slot]).empty()) ++count;
    return count;
}

bool is_fill_in_type(const std::string& question_type) { return to_upper_ascii(question_type.substr(0, 4)) == "FILL"; }

InputKind choose_input_kind(const QuestionRecord& question, bool radio_buttons, bool single_answer) {
    const std::string& marker = question.diagram_files[1];
    if (marker == "xxxdnd") return InputKind::drag_drop;
    if (marker == "xxxmssim") return InputKind::ms_sim;
    if (marker == "xxxmssim2") return InputKind::ms_sim2;
    if (marker == "xxsim") return InputKind::sim;
    if (is_fill_in_type(question.question_type)) return InputKind::fill_in;
    return radio_buttons && single_answer ? InputKind::radio_button : InputKind::check_box;
}

AnswerPermutation answer_permutation(int answer_count, bool shuffle, const std::string& question_type, Random& random) {
    AnswerPermutation permutation{};
    for (int slot = 0; slot <= 6; ++slot) permutation[slot] = static_cast<std::int16_t>(slot);
    if (shuffle) {
        for (int i = 1; i <= answer_count && i <= 6; ++i) {
            const float draw = static_cast<float>(random.next_unit());
            const int j = std::min(static_cast<int>(draw * static_cast<float>(answer_count)) + 1, 6);
            std::swap(permutation[i], permutation[j]);
        }
    }
    if (to_lower_ascii(question_type) == "no_reorder" || is_fill_in_type(question_type))
        for (int slot = 0; slot <= 6; ++slot) permutation[slot] = static_cast<std::int16_t>(slot);
    return permutation;
}

void shuffle_once(QuestionRecord& table_record, QuestionRecord& on_screen, const AnswerPermutation& permutation) {
    if (table_record.shuffled != 0) return;
    table_record.shuffled = 1;
    for (int i = 1; i <= 6; ++i) {
        on_screen.answers[i] = table_record.answers[permutation[i]];
        on_screen.correct[i] = table_record.correct[permutation[i]];
    }
    table_record.answers = on_screen.answers;
    table_record.correct = on_screen.correct;
    on_screen.shuffled = 1;
}

void capture_answer(QuestionRecord& record, InputKind input_kind, int answer_count, const FormSnapshot& form) {
    if (input_kind == InputKind::radio_button) {
        for (int i = 1; i <= answer_count && i <= 6; ++i)
            if (const FormControl* radio = find_control(form, "radio1", i - 1)) record.user_choice[i] = radio->checked ? 1 : 0;
    } else if (input_kind == InputKind::check_box) {
        for (int i = 1; i <= 6; ++i) record.user_choice[i] = 0;
        for (int i = 1; i <= answer_count && i <= 6; ++i)
            if (const FormControl* box = find_control(form, "ans" + std::to_string(i)); box && box->checked)
                record.user_choice[i] = 1;
    } else if (input_kind == InputKind::fill_in) {
        if (const FormControl* text = find_control(form, "txt_fill")) record.user_text = text->value;
    }
}

Grade grade_answer(const QuestionRecord& on_screen, const QuestionRecord& table_record, const ExerciseResults& results) {
    Grade grade;
    const std::string& marker = on_screen.diagram_files[1];
    if (marker == "xxsim") {
        if (!router_console_expectations_met(on_screen, results.router_general)) grade.verdict = verdict_code::wrong;
        if (results.router_entry) grade.lab_findings = router_console_findings(on_screen, results.router_entry);
    } else if (marker == "xxxdnd") {
        if (results.drag_drop_result() != "Success") grade.verdict = verdict_code::wrong;
    } else if (marker == "xxxmssim" || marker == "xxxmssim2") {
        if (results.dialog_sim_result() != "Success") grade.verdict = verdict_code::wrong;
    } else if (is_fill_in_type(on_screen.question_type)) {
        const std::string typed = std::string(trim_blanks(to_upper_ascii(table_record.user_text)));
        grade.chosen_letters = table_record.user_text;
        bool matched = false;
        for (int i = 1; i <= 6; ++i) {
            const std::string accepted = std::string(trim_blanks(to_upper_ascii(replace_en_dashes(on_screen.answers[i]))));
            if (!accepted.empty() && accepted == typed) matched = true;
        }
        if (!matched) grade.verdict = verdict_code::wrong;
    } else {
        for (int i = 1; i <= 6; ++i) {
            const std::int16_t chosen = table_record.user_choice[i];
            if (chosen == 1) grade.chosen_letters += std::string(" ") + static_cast<char>('A' + i - 1);
            if (chosen != on_screen.correct[i]) grade.verdict = verdict_code::wrong;
        }
    }
    return grade;
}

void record_grade(QuizState& quiz, QuestionRecord& table_record, const Grade& grade) {
    const int category = quiz.current_question.category == 0 ? 1 : quiz.current_question.category;
    const int id = quiz.current_question.question_id;
    quiz.verdict = grade.verdict;
    quiz.chosen_letters.at(quiz.current_index) = grade.chosen_letters;
    if (grade.lab_findings.empty()) quiz.lab_findings.erase(quiz.current_index);
    else quiz.lab_findings[quiz.current_index] = grade.lab_findings;
    if (grade.verdict == verdict_code::right) {
        if (id >= 0 && id < kQuizSlots) quiz.missed_flags[id] = "0";
        table_record.result = result_code::right;
        ++quiz.right_count;
        if (category >= 0 && category < kCategorySlots) ++quiz.cat_right[category];
    } else {
        if (id >= 0 && id < kQuizSlots) quiz.missed_flags[id] = "1";
        table_record.result = result_code::wrong;
    }
}

void count_category_questions(QuizState& quiz, const QuestionTable& table, int category_count) {
    for (int c = 1; c <= category_count && c < kCategorySlots; ++c) quiz.cat_asked[c] = 0;
    for (int p = 1; p <= quiz.quiz_length; ++p) {
        const int index = quiz.question_order[p] + quiz.order_base - 1;
        if (index < 0 || index > QuestionTable::kLastIndex) continue;
        const int category = table.at(index).category;
        if (category >= 1 && category <= category_count && category < kCategorySlots) ++quiz.cat_asked[category];
    }
}

LiveScore calculate_score(QuizState& quiz, const QuestionTable& table) {
    LiveScore score;
    for (int p = 1; p <= quiz.quiz_length; ++p) {
        const int index = quiz.table_index_at(p);
        if (index < 0 || index > QuestionTable::kLastIndex) continue;
        const std::int16_t result = table.at(index).result;
        if (result == result_code::right) ++score.right;
        if (result == result_code::wrong) ++score.wrong;
    }
    score.score_caption = blank_led_number(score.right) + "/" + blank_led_number(score.right + score.wrong);
    quiz.right_count = static_cast<std::int16_t>(score.right);
    return score;
}

std::string percent_caption(const LiveScore& score, char decimal_point) {
    const int graded = score.right + score.wrong;
    if (graded == 0) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", 100.0 * score.right / graded);
    std::string number = text;
    if (const auto dot = number.find('.'); dot != std::string::npos) number[dot] = decimal_point;
    return " " + number + "%";
}

}  // namespace qd
