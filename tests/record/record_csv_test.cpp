#include <gtest/gtest.h>

#include "platform/testing/doubles.h"
#include "record/history_import.h"
#include "record/record_csv.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(RecordCsv, fieldsAreQuotedAndNeverTakenForFormulas) {
    const std::pair<const char*, const char*> cases[] = {
        {"B D", "B D"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"=1+1", "'=1+1"},
        {"-2", "'-2"},
        {"@cmd", "'@cmd"},
        {"", ""},
    };
    for (const auto& [text, field] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(csv_field(text), field);
    }
}

TEST(RecordCsv, oneLinePerAnswerAndOneForAQuizWithout) {
    testing::TempFolder folder;
    testing::FixedClock clock;
    ErrorLog log(clock);
    StudyRecord record(kStudyRecordFile, log, clock);
    record.quiz_started({"ANNA", "41517", 2, false, true});
    record.answer_graded({17, 2, "ip route, static", true, 12.5});
    record.answer_graded({4, 1, "B", false, 3});
    record.quiz_ended(QuizEnding::graded, 1);
    record.quiz_started({"BEN", "41517", 1, true, false});
    record.answer_graded({5, 1, "A", true, 1});
    record.database()->exec(
        "INSERT INTO quizzes (student, product, started, ended, length, right_count, outcome, source) "
        "VALUES ('ANNA', '41517', 5, 5, 10, 8, 'graded', 'history')");

    ASSERT_EQ(record.export_csv("ANNA", "41517", "out.csv"), std::nullopt);
    std::vector<std::string> lines;
    std::istringstream text(testing::read_file("out.csv"));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(kRecordCsvHeader) + "\r");
    EXPECT_TRUE(lines[1].ends_with(",10,8,test,no,,,,,,\r")) << lines[1];  // the history report's quiz, oldest
    EXPECT_NE(lines[2].find(",graded,2,1,test,yes,"), std::string::npos) << lines[2];
    EXPECT_TRUE(lines[2].ends_with(",17,2,\"ip route, static\",right,12.5\r")) << lines[2];
    EXPECT_TRUE(lines[3].ends_with(",4,1,B,wrong,3.0\r") || lines[3].ends_with(",4,1,B,wrong,3\r")) << lines[3];
}

}  // namespace
}  // namespace qd
