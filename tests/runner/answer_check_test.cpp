#include <gtest/gtest.h>

#include "platform/testing/doubles.h"
#include "runner/answer_check.h"

namespace qd {
namespace {

QuestionRecord choice_question(std::array<std::int16_t, 7> correct, std::array<std::int16_t, 7> chosen) {
    QuestionRecord question;
    question.answers = {"", "a", "b", "c", "d", "", ""};
    question.correct = correct;
    question.user_choice = chosen;
    return question;
}

QuestionRecord fill_in(const std::string& accepted, const std::string& typed) {
    QuestionRecord question;
    question.question_type = "fill_in_the_blank";
    question.answers[1] = accepted;
    question.user_text = typed;
    return question;
}

QuestionRecord exercise(const std::string& marker) {
    QuestionRecord question;
    question.diagram_files[1] = marker;
    question.answers[1] = "[hostname]R1";
    return question;
}

struct GradeCase {
    const char* name;
    QuestionRecord question;
    std::int16_t verdict;
    std::string chosen_letters;
};

TEST(Grading, everyKindOfQuestion) {
    const std::vector<GradeCase> cases = {
        {"nothing selected", choice_question({0, 1}, {}), verdict_code::wrong, ""},
        {"the one right answer", choice_question({0, 1}, {0, 1}), verdict_code::right, " A"},
        {"all right plus one wrong", choice_question({0, 0, 1, 0, 1}, {0, 0, 1, 1, 1}), verdict_code::wrong, " B C D"},
        {"B and D right", choice_question({0, 0, 1, 0, 1}, {0, 0, 1, 0, 1}), verdict_code::right, " B D"},
        {"fill-in with blanks around", fill_in("Frame-Relay", "  frame-relay "), verdict_code::right, "  frame-relay "},
        {"fill-in inner characters differ", fill_in("Frame-Relay", "frame relay"), verdict_code::wrong, "frame relay"},
        {"fill-in en dash typed as hyphen", fill_in("Frame\xE2\x80\x93Relay", "frame-relay"), verdict_code::right, "frame-relay"},
        {"fill-in typed nothing against an empty slot", fill_in("", ""), verdict_code::wrong, ""},
        {"router console met", exercise("xxsim"), verdict_code::right, ""},
        {"drag and drop success in lower case", exercise("xxxdnd"), verdict_code::wrong, ""},
        {"dialog simulator success", exercise("xxxmssim2"), verdict_code::right, ""},
    };
    const ExerciseResults results{[](const std::string& key) { return key == "hostname" ? std::string(" r1 ") : std::string("x"); },
                                  [] { return std::string("success"); },
                                  [] { return std::string("Success"); },
                                  {}};
    for (const GradeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Grade grade = grade_answer(c.question, c.question, results);
        EXPECT_EQ(grade.verdict, c.verdict);
        EXPECT_EQ(grade.chosen_letters, c.chosen_letters);
    }
}

TEST(Grading, recordedGradesAndTheLiveScore) {
    QuestionTable table;
    QuizState quiz;
    quiz.quiz_length = 3;
    quiz.question_order[1] = 5;
    quiz.question_order[2] = 6;
    quiz.question_order[3] = 5;  // the same question at two positions counts at both
    table.at(5).category = 2;
    table.at(5).question_id = 5;
    quiz.current_index = 5;
    quiz.current_question = table.at(5);

    EXPECT_LT(calculate_score(quiz, table).wrong_share(), 0);
    record_grade(quiz, table.at(5), Grade{1, " A", {}});
    LiveScore score = calculate_score(quiz, table);
    EXPECT_EQ(score.score_caption, " 2/ 2");
    EXPECT_EQ(percent_caption(score, '.'), " 100.0%");
    EXPECT_EQ(score.wrong_share(), 0.0);

    // Answered right, then revisited and answered wrong: the recount drops it.
    record_grade(quiz, table.at(5), Grade{99, "", {}});
    score = calculate_score(quiz, table);
    EXPECT_EQ(score.score_caption, " 0/ 2");
    EXPECT_EQ(quiz.right_count, 0);
    EXPECT_EQ(quiz.cat_right[2], 1);  // only ever grows
    EXPECT_EQ(quiz.missed_flags[5], "1");
    EXPECT_EQ(percent_caption(score, ','), " 0,0%");

    table.at(6).result = result_code::right;
    EXPECT_EQ(percent_caption(calculate_score(quiz, table), '.'), " 33.3%");
    count_category_questions(quiz, table, 3);
    EXPECT_EQ(quiz.cat_asked[2], 2);
    EXPECT_EQ(quiz.cat_asked[0], 0);
}

TEST(Shuffle, isAppliedOnce_andNeverToFillInOrNoReorder) {
    testing::ScriptedRandom random{{}, 0.99};
    const AnswerPermutation drawn = answer_permutation(3, true, "single_answer", random);
    EXPECT_EQ((std::vector<int>{drawn[1], drawn[2], drawn[3]}), (std::vector<int>{3, 1, 2}));
    for (const char* kept : {"NO_REORDER", "fill_in_the_blank"}) {
        const AnswerPermutation identity = answer_permutation(3, true, kept, random);
        EXPECT_EQ(identity[1], 1) << kept;
    }
    EXPECT_EQ(answer_permutation(3, true, "no reorder", random)[1], 3);

    QuestionRecord table_record = choice_question({0, 1, 0, 0}, {});
    QuestionRecord on_screen = table_record;
    shuffle_once(table_record, on_screen, drawn);
    EXPECT_EQ(on_screen.answers[1], "c");
    EXPECT_EQ(on_screen.correct[2], 1);
    EXPECT_EQ(table_record.answers[1], "c");
    shuffle_once(table_record, on_screen, drawn);  // Back and Next again: same order
    EXPECT_EQ(table_record.answers[1], "c");
}

TEST(InputKindChoice, exerciseMarkersFirstThenFillInThenRadioOnlyForOneRightAnswer) {
    struct Case {
        const char* marker;
        const char* type;
        bool radio_buttons;
        bool single_answer;
        InputKind kind;
    };
    for (const Case& c :
         {Case{"xxxdnd", "fill_in_the_blank", true, true, InputKind::drag_drop},
          Case{"xxxmssim", "", true, true, InputKind::ms_sim}, Case{"xxxmssim2", "", true, true, InputKind::ms_sim2},
          Case{"xxsim", "", false, false, InputKind::sim}, Case{"", "fill_in_the_blank", true, true, InputKind::fill_in},
          Case{"", "single_answer", true, true, InputKind::radio_button},
          Case{"", "single_answer", false, true, InputKind::check_box}, Case{"", "multiple", true, false, InputKind::check_box}}) {
        SCOPED_TRACE(std::string(c.marker) + " " + c.type);
        QuestionRecord question;
        question.diagram_files[1] = c.marker;
        question.question_type = c.type;
        const InputKind kind = choose_input_kind(question, c.radio_buttons, c.single_answer);
        EXPECT_EQ(kind, c.kind) << input_kind_name(kind);
    }
}

TEST(Capture, readsTheFormByKind_andKeepsSlotsOfMissingControls) {
    QuestionRecord record;
    record.user_choice = {0, 0, 0, 0, 0, 0, 1};
    capture_answer(record, InputKind::radio_button, 2, {{"radio1", "radio", "V1", false}, {"radio1", "radio", "V2", true}});
    EXPECT_EQ(record.user_choice, (std::array<std::int16_t, 7>{0, 0, 1, 0, 0, 0, 1}));
    capture_answer(record, InputKind::check_box, 3, {{"ans1", "checkbox", "1", true}, {"ans3", "checkbox", "3", true}});
    EXPECT_EQ(record.user_choice, (std::array<std::int16_t, 7>{0, 1, 0, 1, 0, 0, 0}));
    capture_answer(record, InputKind::fill_in, 1, {{"txt_fill", "text", "typed", false}});
    EXPECT_EQ(record.user_text, "typed");
    capture_answer(record, InputKind::fill_in, 1, {});
    EXPECT_EQ(record.user_text, "typed");
}

}  // namespace
}  // namespace qd
