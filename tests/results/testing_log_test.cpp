#include <gtest/gtest.h>

#include "quiz_outcome.h"
#include "results/results_summary.h"
#include "results/testing_log.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(TestingLog, holdsTheFourSectionsOfTheLastResults) {
    testing::FinishedQuiz finished({{2, 1, 1}, {5, 2, 2}, {3, 1, 2}}, {"Routing", "Switching"});
    RetakeHandover retake;
    fill_missed_list(finished.quiz, finished.table, retake);

    std::string expected = "Category Information\r\nRouting:  1\r\nSwitching:  2\r\nQuestion History\r\n";
    for (int index = 0; index <= 2000; ++index)
        expected += index == 2 || index == 3 ? " 1 \r\n" : index == 5 ? " 2 \r\n" : " 0 \r\n";
    expected += "NUMBER WRONG: 1\r\nWrong Questions: \r\n";
    for (int entry = 0; entry <= 2000; ++entry) expected += entry == 1 ? " 5 \r\n" : " 0 \r\n";
    expected += "Correct Questions\r\n 2 \r\n 3 \r\n";

    testing::TempFolder folder;
    ASSERT_TRUE(write_testing_log(folder / "testing.log", "left from before", false));
    ASSERT_TRUE(write_testing_log(folder / "testing.log", testing_log_opening(finished.bank, finished.quiz, finished.table), false));
    ASSERT_TRUE(write_testing_log(folder / "testing.log", testing_log_closing(retake, finished.quiz, finished.table), true));
    EXPECT_TRUE(testing::read_file(folder / "testing.log") == expected);
    EXPECT_FALSE(write_testing_log(folder / "missing" / "testing.log", "x", false));
}

}  // namespace
}  // namespace qd
