#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

#include "builder_world.h"
#include "results/results_file.h"

namespace qd {
namespace {

using testing::BuilderWorld;

std::vector<int> range(int first, int last) {
    std::vector<int> values(static_cast<std::size_t>(last - first + 1));
    std::iota(values.begin(), values.end(), first);
    return values;
}

std::set<int> as_set(const std::vector<int>& values) { return {values.begin(), values.end()}; }

MenuChoices exam_choices(int option, bool shuffled) {
    MenuChoices boxes;
    boxes.exam_option = option;
    boxes.random_questions = shuffled;
    boxes.question_count_text = "64";
    return boxes;
}

// The missed-last-time flags that are "1".
std::set<int> marked(const QuizState& quiz) {
    std::set<int> ids;
    for (int id = 1; id < kQuizSlots; ++id)
        if (quiz.missed_flags[static_cast<std::size_t>(id)] == "1") ids.insert(id);
    return ids;
}

TEST(QuizBuilder, examQuizWithoutShufflingAsksTheBanksFirstFiftyAndHandsOver) {
    struct Case {
        int option;
        int question_count;
    };
    for (const Case& c : {Case{1, 258}, Case{2, 307}, Case{3, 665}}) {
        SCOPED_TRACE(c.option);
        BuilderWorld w;
        w.build(exam_choices(c.option, false));
        EXPECT_EQ(w.bank.question_count, c.question_count);
        EXPECT_EQ(w.setup.total_questions, c.question_count);
        EXPECT_EQ(w.setup.quiz_choice, c.option);
        EXPECT_EQ(w.setup.wrong_only, 99);
        EXPECT_EQ(w.asked_indices(), range(1, 50));
        EXPECT_EQ(marked(w.quiz), as_set(range(1, 50)));
        EXPECT_EQ(w.table.at(50).result, result_code::queued);
        EXPECT_EQ(w.table.at(51).result, result_code::not_graded);
        EXPECT_EQ(w.quiz.quiz_position, 0);
        EXPECT_EQ(w.quiz.current_index, 0);
        EXPECT_EQ(w.events, (std::vector<std::string>{"load quest", "show_quest"}));
        EXPECT_TRUE(w.windows.get<testing::FakeWindow>(kQuizWindow).visible);
        EXPECT_FALSE(w.windows.get<testing::FakeWindow>(kMainMenu).visible);
        EXPECT_EQ(w.busy_pointer, (std::vector<bool>{true, false}));
    }
}

// With the first draw close to 1 and every later one 0, position 2 ends up
// holding the first swap partner, the highest position the range allows.
TEST(QuizBuilder, shuffleDrawsSwapPartnersOnlyFromItsRange) {
    struct Case {
        int option;
        const char* count_label;
        int highest_partner;
    };
    for (const Case& c : {Case{1, "64", 65}, Case{2, "64", 77}, Case{3, "64", 167},
                          // "Ask ALL Questions" after a failed category start: stride 4 from
                          // record 1, so only numbers up to 65 reach a record of the bank.
                          Case{5, "258", 65}}) {
        SCOPED_TRACE(c.option);
        BuilderWorld w;
        w.random = testing::ScriptedRandom({0.99999}, 0.0);
        MenuChoices boxes = exam_choices(c.option, true);
        boxes.question_count_text = c.count_label;
        w.build(boxes);
        EXPECT_EQ(w.quiz.question_order[2], c.highest_partner);
        EXPECT_EQ(w.random.reseeds, 1);
    }
}

TEST(QuizBuilder, shuffledQuizAsksDistinctQuestionsOfTheBankAndMarksExactlyThose) {
    for (int option : {1, 2, 3, 5}) {
        SCOPED_TRACE(option);
        BuilderWorld w;
        std::mt19937_64 engine(static_cast<std::uint64_t>(option));  // seeded: a failure repeats
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        MenuChoices boxes = exam_choices(option, true);
        boxes.question_count_text = "258";
        std::vector<double> draws;
        for (int i = 0; i < 700; ++i) draws.push_back(unit(engine));
        w.random = testing::ScriptedRandom(draws);
        w.build(boxes);
        const std::vector<int> asked = w.asked_indices();
        ASSERT_EQ(asked.size(), 50u);
        EXPECT_EQ(as_set(asked).size(), 50u);
        for (int index : asked) EXPECT_TRUE(index >= 1 && index <= w.bank.question_count) << index;
        EXPECT_EQ(marked(w.quiz), as_set(asked));
    }
}

TEST(QuizBuilder, categoryQuizAsksEveryQuestionOfTheChosenCategoriesInTableOrder) {
    for (bool shuffled : {false, true}) {
        SCOPED_TRACE(shuffled);
        BuilderWorld w;
        std::vector<int> expected;
        for (int i = 1; i <= w.bank.question_count; ++i)
            if (w.table.at(i).category == 2 || w.table.at(i).category == 3 || w.table.at(i).category == 11) expected.push_back(i);
        ASSERT_GT(expected.size(), 50u);  // the 50-question limit does not apply
        w.setup.category_quiz = -1;
        w.setup.category_selected[2] = w.setup.category_selected[3] = w.setup.category_selected[11] = -1;
        w.random = testing::ScriptedRandom({}, 0.7);
        MenuChoices boxes = exam_choices(5, shuffled);
        boxes.question_count_text = "258";
        w.build(boxes);
        EXPECT_EQ(w.quiz.order_base, 1);
        EXPECT_EQ(w.quiz.order_stride, 1);
        std::vector<int> asked = w.asked_indices();
        if (!shuffled) {
            EXPECT_EQ(asked, expected);
        }
        EXPECT_EQ(marked(w.quiz), as_set(expected));
        std::sort(asked.begin(), asked.end());
        EXPECT_EQ(asked, expected);
    }
}

TEST(QuizBuilder, retakeAsksExactlyThePreviousWrongAnswersInOrderEvenWhenShuffling) {
    BuilderWorld w;
    const std::vector<int> wrong{17, 3, 250, 9, 120, 44, 1};
    for (std::size_t i = 0; i < wrong.size(); ++i) w.retake.missed_ids[i + 1] = static_cast<std::int16_t>(wrong[i]);
    w.retake.missed_count = static_cast<std::int16_t>(wrong.size());
    w.setup.retake_in_progress = 1;
    MenuChoices boxes = exam_choices(1, true);
    boxes.ask_wrong = true;
    w.build(boxes);
    EXPECT_EQ(w.setup.wrong_only, 1);
    EXPECT_EQ(w.asked_indices(), wrong);
    EXPECT_EQ(marked(w.quiz), as_set(wrong));
    EXPECT_EQ(w.retake.missed_count, 0);
    EXPECT_EQ(w.events, (std::vector<std::string>{"load quest", "show_quest"}));
}

TEST(QuizBuilder, retakeWithNothingToRepeatLeavesTheStudentOnTheMainMenu) {
    BuilderWorld w;
    w.windows.hide(kMainMenu);  // loaded hidden by the results window
    w.setup.retake_in_progress = 1;
    w.dialogs.expect_message("You did not get any wrong.", "NAVRA Practice Exams");
    MenuChoices boxes = exam_choices(1, false);
    boxes.ask_wrong = true;
    w.build(boxes);
    EXPECT_FALSE(w.windows.is_loaded(kQuizWindow));
    EXPECT_TRUE(w.windows.get<testing::FakeWindow>(kMainMenu).visible);
    EXPECT_EQ(w.busy_pointer, (std::vector<bool>{true, false}));
}

TEST(QuizBuilder, withoutAQuizWindowTheMainMenuStaysUp) {
    BuilderWorld w;
    WindowRegistry only_menu;
    only_menu.define(kMainMenu, [&] { return std::make_unique<testing::FakeWindow>(kMainMenu, w.events); });
    only_menu.show(kMainMenu);
    QuizWorld without_quiz_window{w.table,   w.bank,   w.quiz,  w.setup,   w.retake, w.settings,
                                  w.dialogs, w.random, w.clock, only_menu, w.screen, w.world.set_busy_pointer};
    start_the_quiz_from_command1(exam_choices(1, false), without_quiz_window);
    EXPECT_TRUE(only_menu.get<testing::FakeWindow>(kMainMenu).visible);
    EXPECT_EQ(w.busy_pointer, (std::vector<bool>{true, false}));
}

TEST(QuizBuilder, studentNameIsStoredInItsFilingForm) {
    struct Case {
        const char* typed;
        const char* stored;
    };
    for (const Case& c : {Case{"kim-2b", "KIM 2B"}, Case{"   ", "STUDENT"}, Case{"", "STUDENT"}, Case{"?!.", "   "},
                          Case{"Zoë Alder", "ZO  ALDER"}, Case{"../etc/x", "   ETC X"}}) {
        SCOPED_TRACE(c.typed);
        BuilderWorld w;
        MenuChoices boxes = exam_choices(1, false);
        boxes.name_text = c.typed;
        w.build(boxes);
        EXPECT_EQ(w.settings.working.student_name, c.stored);
        EXPECT_EQ(w.settings.get(setting::student_name), c.stored);
    }
}

TEST(QuizBuilder, timeLimitIsAWholeNumberOfAtLeastOneMinute) {
    struct Case {
        const char* time_box;
        int limit;
    };
    for (const Case& c : {Case{"75", 75}, Case{"0", 1}, Case{"abc", 1}, Case{"-5", 1}, Case{"12.5", 12}, Case{" 30 min", 30},
                          Case{"99999999", 1}}) {
        SCOPED_TRACE(c.time_box);
        BuilderWorld w;
        MenuChoices boxes = exam_choices(1, false);
        boxes.time_text = c.time_box;
        boxes.timed_quiz = true;
        w.build(boxes);
        EXPECT_EQ(w.settings.working.time_limit, c.limit);
        EXPECT_EQ(w.settings.working.timed_state, 1);
        EXPECT_EQ(w.setup.time_started, w.clock.time);  // the quiz window counts the time left from here
    }
}

TEST(QuizBuilder, copiesTheBoxesIntoTheWorkingValues) {
    BuilderWorld w;
    MenuChoices boxes = exam_choices(1, false);
    boxes.answer_when_right = true;
    boxes.answer_when_wrong = false;
    boxes.random_answers = false;
    boxes.show_answer_count = false;
    boxes.embed_media_player = true;
    boxes.back_button = false;
    boxes.live_scoring = true;
    w.build(boxes);
    const WorkingSettings& working = w.settings.working;
    EXPECT_EQ(working.show_answer_when_right, 1);
    EXPECT_EQ(working.show_answer_when_wrong, 0);
    EXPECT_EQ(working.shuffle_questions, 0);
    EXPECT_EQ(working.shuffle_answers, 0);
    EXPECT_EQ(working.show_answer_count, 0);
    EXPECT_EQ(working.embed_media_player, 1);
    EXPECT_EQ(working.back_button, 0);
    EXPECT_EQ(working.live_scoring, 1);
    EXPECT_EQ(working.timed_state, 0);
}

TEST(QuizBuilder, missedFlagsComeFromTheStudentsResultsFileBeforeTheMarks) {
    BuilderWorld w;
    MissedFlags earlier;
    for (int id = 1; id <= 2000; ++id) earlier[static_cast<std::size_t>(id)] = "0";
    earlier[70] = "1";
    earlier[400] = "1";
    ASSERT_EQ(save_missed_flags(earlier, results_file_name("41517", "ALEX")), std::nullopt);
    w.quiz.missed_flags[60] = "1";  // left from an earlier quiz in this run; the file wins
    MenuChoices boxes = exam_choices(1, false);
    boxes.name_text = "alex";
    w.build(boxes);
    std::set<int> expected = as_set(range(1, 50));
    expected.insert({70, 400});
    EXPECT_EQ(marked(w.quiz), expected);
}

}  // namespace
}  // namespace qd
