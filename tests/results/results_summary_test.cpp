#include <gtest/gtest.h>

#include "quiz_outcome.h"
#include "results/results_summary.h"

namespace qd {
namespace {

using testing::AskedQuestion;
using testing::FinishedQuiz;

struct OutcomeCase {
    const char* name;
    std::vector<AskedQuestion> asked;
    std::vector<std::string> categories;
    std::string per;
    std::string message;
    std::vector<std::string> category_lines;
    std::vector<int> nothing_asked;
    std::vector<std::string> missed_lines, all_lines, correct_lines;
    std::vector<int> missed_ids;
};

const std::string kTryAgain = "Take this test until you get 100%";

TEST(ResultsSummary, labelsListsAndMissedIdsFollowTheQuizOutcome) {
    const std::vector<OutcomeCase> cases = {
        {"all right",
         {{4, 1, 1}, {9, 1, 1}},
         {"Routing"},
         " 100%",
         "Congratulations, you scored perfect!",
         {"100% (2/2) Routing"},
         {},
         {},
         {" 1.) [4]  Question 4", " 2.) [9]  Question 9"},
         {" 1.) [4]  Question 4", " 2.) [9]  Question 9"},
         {}},
        {"2 of 3, rounded down",
         {{17, 1, 1}, {3, 2, 2}, {12, 1, 2}},
         {"Routing", "Switching"},
         " 66%",
         kTryAgain,
         {"100% (1/1) Routing", " 50% (1/2) Switching"},
         {},
         {" 2.) [3]  Question 3"},
         {" 1.) [17]  Question 17", " 2.) [3]  Question 3", " 3.) [12]  Question 12"},
         {" 1.) [17]  Question 17", " 3.) [12]  Question 12"},
         {3}},
        {"none graded: ungraded and queued only under all",
         {{5, 0, 1}, {6, 3, 1}},
         {"Routing"},
         " 0%",
         kTryAgain,
         {"  0% (0/2) Routing"},
         {},
         {},
         {" 1.) [5]  Question 5", " 2.) [6]  Question 6"},
         {},
         {}},
        {"categories with nothing asked, unnamed ones and those beyond 40 left out",
         {{8, 2, 1}, {2, 2, 1}, {30, 1, 1}},
         {"Routing", "", "Wireless"},
         " 33%",
         kTryAgain,
         {" 33% (1/3) Routing", "  0% (0/0) Wireless"},
         {3},
         {" 1.) [8]  Question 8", " 2.) [2]  Question 2"},
         {" 1.) [8]  Question 8", " 2.) [2]  Question 2", " 3.) [30]  Question 30"},
         {" 3.) [30]  Question 30"},
         {8, 2}},
    };
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(c.name);
        FinishedQuiz finished(c.asked, c.categories);
        finished.bank.category_names[41] = "Beyond the list";
        const ScoreLabels labels = score_labels(finished.quiz);
        EXPECT_EQ(labels.total, " " + std::to_string(c.asked.size()));
        EXPECT_EQ(labels.percent_text, c.per);
        EXPECT_EQ(labels.message, c.message);

        const CategoryListing listing = category_listing(finished.bank, finished.quiz);
        EXPECT_EQ(listing.lines, c.category_lines);
        EXPECT_EQ(listing.nothing_asked, c.nothing_asked);
        ASSERT_EQ(listing.scores.size(), c.category_lines.size());

        EXPECT_EQ(calc_list(ListFilter::missed, finished.quiz, finished.table).lines, c.missed_lines);
        EXPECT_EQ(calc_list(ListFilter::all, finished.quiz, finished.table).lines, c.all_lines);
        EXPECT_EQ(calc_list(ListFilter::correct, finished.quiz, finished.table).lines, c.correct_lines);
        EXPECT_EQ(calc_list(ListFilter::correct, finished.quiz, finished.table).wrong_count, static_cast<int>(c.missed_ids.size()));

        RetakeHandover retake;
        retake.missed_ids[c.missed_ids.size() + 1] = 77;  // left from an earlier quiz
        fill_missed_list(finished.quiz, finished.table, retake);
        ASSERT_EQ(retake.missed_count, static_cast<int>(c.missed_ids.size()));
        for (std::size_t i = 0; i < c.missed_ids.size(); ++i) EXPECT_EQ(retake.missed_ids[i + 1], c.missed_ids[i]);
        EXPECT_EQ(retake.missed_ids[c.missed_ids.size() + 1], 77);
    }
}

TEST(ResultsSummary, categoryScoresAlignOnThePercentSign) {
    EXPECT_EQ(category_score_text(1, 20), "  5% (1/20)");
    EXPECT_EQ(category_score_text(7, 9), " 77% (7/9)");
    EXPECT_EQ(category_score_text(5, 5), "100% (5/5)");
}

TEST(ResultsSummary, aQuizOfNoQuestionsAndACorruptOrderDoNotFail) {
    FinishedQuiz finished({{3, 2, 1}}, {"Routing"});
    finished.quiz.quiz_length = 0;
    EXPECT_FALSE(score_labels(finished.quiz).percent.has_value());
    EXPECT_EQ(score_labels(finished.quiz).percent_text, "");

    finished.quiz.quiz_length = 2;
    finished.quiz.question_order[2] = 9000;  // beyond the table
    EXPECT_EQ(calc_list(ListFilter::all, finished.quiz, finished.table).lines, std::vector<std::string>{" 1.) [3]  Question 3"});
}

TEST(ResultsSummary, theListLineGivesItsQuizPosition) {
    EXPECT_EQ(list_line_position(" 12.) [3]  A question. With full stops."), 12);
    EXPECT_EQ(list_line_position("no position"), std::nullopt);
    EXPECT_EQ(list_line_position("x.) [3]"), std::nullopt);
}

}  // namespace
}  // namespace qd
