// A quiz in progress written as text and read back into a fresh program
// state is the same quiz; a snapshot that is damaged, or that no longer fits
// the exam's questions, is refused with a reason and changes nothing.
#include <gtest/gtest.h>

#include <variant>

#include "record/quiz_snapshot.h"

namespace qd {
namespace {

// A bank of 60 questions whose ids are 500 + the table index, each with
// three answers, the first one right.
void fill_bank(QuestionTable& table) {
    for (int i = 1; i <= 60; ++i) {
        QuestionRecord& record = table.at(i);
        record.question_id = static_cast<std::int16_t>(500 + i);
        record.answers = {"", "first answer", "second", "third", "", "", ""};
        record.correct = {0, 1, 0, 0, 0, 0, 0};
    }
}

// A timed test-mode quiz of 5 questions asked from records 3, 9, 1, 7 and 2,
// three of them graded, one flagged, one a lab with its findings, the first
// with its answers shuffled and the right one (now the second) chosen.
struct QuizUnderWay : ::testing::Test {
    ProgramState state;
    WorkingSettings working;

    QuizUnderWay() {
        fill_bank(state.table);
        state.bank.product_number = "41517";
        working.student_name = "ANNA MARIA  ";
        working.timed_state = timed_code::running;
        working.time_limit = 45;
        working.practice_mode = flag_code::clear;
        working.back_button = 1;
        working.font_name = "Arial";
        state.setup.quiz_choice = 1;
        state.setup.total_questions = 60;
        state.setup.wrong_only = wrong_only_code::not_repeating;
        QuizState& quiz = state.quiz;
        quiz.quiz_length = 5;
        const std::int16_t order[] = {3, 9, 1, 7, 2};
        for (int p = 1; p <= 5; ++p) quiz.question_order[static_cast<std::size_t>(p)] = order[p - 1];
        quiz.right_count = 2;
        for (int i = 1; i <= 5; ++i) state.table.at(i).result = result_code::queued;
        state.table.at(3).result = result_code::right;
        state.table.at(3).answers = {"", "third", "first answer", "second", "", "", ""};
        state.table.at(3).correct = {0, 0, 1, 0, 0, 0, 0};
        state.table.at(3).shuffled = 1;
        state.table.at(3).user_choice[2] = 1;
        quiz.chosen_letters[3] = "B";
        state.table.at(9).result = result_code::wrong;
        state.table.at(9).user_text = "ip route 10.0.0.0 255.0.0.0 % 50\r\nnext";
        quiz.chosen_letters[9] = "ip route 10.0.0.0 255.0.0.0 % 50\r\nnext";
        state.table.at(1).result = result_code::right;
        quiz.flagged[2] = true;
        quiz.missed_flags[503] = "0";
        quiz.missed_flags[509] = "1";
        quiz.missed_flags[507] = "1";
        quiz.cat_asked[4] = 3;
        quiz.cat_right[4] = 2;
        quiz.lab_findings[9] = {{"hostname", "R1", "", false, false}, {"ip route", "10.0.0.0 255.0.0.0", "10.0.0.0", true, false}};
    }
};

TEST_F(QuizUnderWay, readBackIntoAFreshStateItIsTheSameQuiz) {
    const std::string text = quiz_snapshot_text(state, working, 4, 600);
    EXPECT_EQ(snapshot_product_number(text), "41517");

    ProgramState fresh;
    fill_bank(fresh.table);
    fresh.table.at(40).result = result_code::wrong;  // left from an earlier quiz
    fresh.setup.category_selected[7] = flag_code::set;
    WorkingSettings now;
    now.font_name = "Times New Roman";
    auto read = read_quiz_snapshot(text, fresh.table);
    ASSERT_TRUE(std::holds_alternative<QuizSnapshot>(read)) << std::get<SnapshotFault>(read).why;
    const QuizSnapshot& snapshot = std::get<QuizSnapshot>(read);
    EXPECT_EQ(snapshot.position, 4);
    EXPECT_EQ(snapshot.elapsed_seconds, 600);
    EXPECT_EQ(snapshot.student, "ANNA MARIA  ");
    restore_quiz_snapshot(snapshot, fresh.quiz, fresh.setup, fresh.table, now);

    const QuizState& quiz = fresh.quiz;
    EXPECT_EQ(quiz.quiz_length, 5);
    EXPECT_EQ(quiz.quiz_position, 3) << "the quiz window's next show is the question the student was on";
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(quiz.table_index_at(p), state.quiz.table_index_at(p)) << p;
    EXPECT_EQ(quiz.right_count, 2);
    for (int i : {3, 9, 1, 7, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fresh.table.at(i).result, state.table.at(i).result);
        EXPECT_EQ(fresh.table.at(i).user_choice, state.table.at(i).user_choice);
        EXPECT_EQ(fresh.table.at(i).user_text, state.table.at(i).user_text);
        EXPECT_EQ(quiz.chosen_letters[static_cast<std::size_t>(i)], state.quiz.chosen_letters[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(fresh.table.at(3).answers, state.table.at(3).answers) << "the choices are slots of the shuffled order";
    EXPECT_EQ(fresh.table.at(3).correct, state.table.at(3).correct);
    EXPECT_EQ(fresh.table.at(3).shuffled, 1);
    EXPECT_EQ(fresh.table.at(9).answers[1], "first answer");
    EXPECT_EQ(fresh.table.at(40).result, result_code::not_graded);
    EXPECT_TRUE(quiz.flagged_at(2));
    EXPECT_FALSE(quiz.flagged_at(1));
    EXPECT_EQ(quiz.missed_flags, state.quiz.missed_flags);
    EXPECT_EQ(quiz.cat_asked, state.quiz.cat_asked);
    EXPECT_EQ(quiz.cat_right, state.quiz.cat_right);
    ASSERT_EQ(quiz.lab_findings.count(9), 1u);
    EXPECT_EQ(quiz.lab_findings.at(9)[1].found, "10.0.0.0");
    EXPECT_TRUE(quiz.lab_findings.at(9)[1].present);

    EXPECT_EQ(now.student_name, "ANNA MARIA  ");
    EXPECT_EQ(now.timed_state, timed_code::running);
    EXPECT_EQ(now.time_limit, 45);
    EXPECT_EQ(now.practice_mode, flag_code::clear);
    EXPECT_EQ(now.back_button, 1);
    EXPECT_EQ(now.font_name, "Times New Roman") << "the font is the student's choice of now";
    EXPECT_EQ(fresh.setup.total_questions, 60);
    EXPECT_EQ(fresh.setup.category_selected[7], flag_code::set) << "the main menu's categories stay";
}

TEST_F(QuizUnderWay, aDamagedSnapshotOrOneTheExamNoLongerFitsIsRefused) {
    const std::string text = quiz_snapshot_text(state, working, 4, 600);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) changed.replace(at, from.size(), to);
        return changed;
    };
    QuestionTable other_exam;
    fill_bank(other_exam);
    other_exam.at(7).question_id = 999;
    QuestionTable other_answers;
    fill_bank(other_answers);
    other_answers.at(3).answers[2] = "second, reworded";
    const struct {
        const char* name;
        std::string snapshot;
        const QuestionTable* table;
        const char* why;
    } cases[] = {
        {"empty", "", &state.table, "not a quiz in progress"},
        {"another file", "SQLite format 3\n", &state.table, "not a quiz in progress"},
        {"cut short", text.substr(0, text.find("\norder")), &state.table, "no order line"},
        {"position past the end", replaced("quiz 5 1 1 4 2", "quiz 5 1 1 6 2"), &state.table, "bad position"},
        {"length not a number", replaced("quiz 5 ", "quiz five "), &state.table, "bad quiz length"},
        {"order too short", replaced("order 3 9 1 7 2", "order 3 9"), &state.table, "no order line"},
        {"question outside the bank", replaced("order 3 9 1 7 2", "order 3 9 1 7 2001"), &state.table, "bad question number"},
        {"text cut in an escape", replaced("'ANNA%20MARIA%20%20", "'ANNA%2"), &state.table, "bad student name"},
        {"the exam changed", text, &other_exam, "the exam's question 4 has changed"},
        {"a shuffled question's answers changed", text, &other_answers, "the exam's question 1 has changed"},
        {"time used past any limit", replaced("elapsed 600", "elapsed 99999999999"), &state.table, "bad time used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = read_quiz_snapshot(c.snapshot, *c.table);
        ASSERT_TRUE(std::holds_alternative<SnapshotFault>(read));
        EXPECT_NE(std::get<SnapshotFault>(read).why.find(c.why), std::string::npos) << std::get<SnapshotFault>(read).why;
    }
}

// Whatever was kept, cut short anywhere or with any one word spoiled, is read
// or refused: never a crash, never an index out of range.
TEST_F(QuizUnderWay, anySnapshotCutOrSpoiledIsReadOrRefusedSafely) {
    const std::string text = quiz_snapshot_text(state, working, 4, 600);
    for (std::size_t length = 0; length < text.size(); length += 7) (void)read_quiz_snapshot(text.substr(0, length), state.table);
    for (std::size_t at = text.find(' '); at != std::string::npos; at = text.find(' ', at + 1)) {
        const std::size_t end = std::min(text.find_first_of(" \n", at + 1), text.size());
        for (const char* spoiled : {"-1", "99999", "x", "'%", "2000", "0"}) {
            std::string changed = text;
            changed.replace(at + 1, end - at - 1, spoiled);
            auto read = read_quiz_snapshot(changed, state.table);
            if (const auto* snapshot = std::get_if<QuizSnapshot>(&read)) {
                ProgramState fresh;
                fill_bank(fresh.table);
                WorkingSettings now;
                restore_quiz_snapshot(*snapshot, fresh.quiz, fresh.setup, fresh.table, now);
                EXPECT_GE(fresh.quiz.quiz_position, 0);
                EXPECT_LT(fresh.quiz.quiz_position, fresh.quiz.quiz_length);
            }
        }
    }
}

}  // namespace
}  // namespace qd
