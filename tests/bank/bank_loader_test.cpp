#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bank/bank_loader.h"
#include "platform/failure.h"

namespace qd {
namespace {

constexpr const char* kThreeCategories[] = {"1 - One", "2 - Two", "Labs"};
constexpr BankQuestion kLargeQuestions[] = {
    {"Q1", "", "single_answer", "10##", {"a", "b", "", "", "", ""}, {0, 1, 0, 0, 0, 0}, {"", "", ""}, {"", "", ""}, 1},
    {"Q2", "why", "multi_answer", "", {"a", "b", "c", "", "", ""}, {1, 1, 0, 0, 0, 0}, {"d.png", "", ""}, {"e.txt", "", ""}, 2},
    {"Q3", "transcript", "single_answer", "", {"[hostname]R1", "", "", "", "", ""}, {}, {"xxsim", "", ""}, {"", "2950", ""}, 3},
};
const BankData kLarge = {"LARGE", "Large Exam", "11111", "5.56", "large", kThreeCategories, kLargeQuestions};

constexpr const char* kOneCategory[] = {"1 - Only"};
constexpr BankQuestion kSmallQuestions[] = {
    {"S1", "", "single_answer", "", {"x", "y", "", "", "", ""}, {1, 0, 0, 0, 0, 0}, {"", "", ""}, {"", "", ""}, 1},
};
const BankData kSmall = {"SMALL", "Small Exam", "22222", "5.56", "small", kOneCategory, kSmallQuestions};

TEST(BankLoad, installsQuestionsCategoriesAndConstants) {
    QuestionTable table;
    BankState state;
    load_questions(kLarge, table, state);

    EXPECT_EQ(state.question_count, 3);
    EXPECT_EQ(state.category_count, 3);
    EXPECT_EQ(state.categories_enabled, -1);
    EXPECT_EQ(state.category_names[3], "Labs");
    EXPECT_EQ(state.exam_title, "Large Exam");
    EXPECT_EQ(state.product_number, "11111");

    const QuestionRecord& q2 = table.at(2);
    EXPECT_EQ(q2.question_text, "Q2");
    EXPECT_EQ(q2.explanation, "why");
    EXPECT_EQ((std::vector<std::string>{q2.answers[1], q2.answers[2], q2.answers[3], q2.answers[4]}),
              (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ((std::vector<int>{q2.correct[1], q2.correct[2], q2.correct[3]}), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(q2.diagram_files[1], "d.png");
    EXPECT_EQ(q2.exhibit_files[1], "e.txt");
    EXPECT_EQ(q2.category, 2);
    EXPECT_EQ(table.at(3).diagram_files[1], "xxsim");
    EXPECT_EQ(table.at(3).exhibit_files[2], "2950");
}

TEST(BankLoad, smallerBankLeavesOldTextsWithoutAnswersAndKeepsRunFields) {
    QuestionTable table;
    BankState state;
    load_questions(kLarge, table, state);
    number_questions(table);
    table.at(1).result = result_code::wrong;
    table.at(1).user_choice[2] = 1;
    table.at(1).user_text = "typed";

    load_questions(kSmall, table, state);

    EXPECT_EQ(state.question_count, 1);
    EXPECT_EQ(state.category_count, 1);
    EXPECT_EQ(state.category_names[1], "1 - Only");
    EXPECT_EQ(state.category_names[2], "");
    EXPECT_EQ(state.category_names[3], "");
    // Run fields and numbering belong to the quiz, not to the bank.
    EXPECT_EQ(table.at(1).result, result_code::wrong);
    EXPECT_EQ(table.at(1).user_choice[2], 1);
    EXPECT_EQ(table.at(1).user_text, "typed");
    EXPECT_EQ(table.at(1).question_id, 1);
    // Record 2 keeps the large bank's texts but none of its answers or media.
    const QuestionRecord& old = table.at(2);
    EXPECT_EQ(old.question_text, "Q2");
    EXPECT_EQ(old.explanation, "why");
    EXPECT_EQ(old.answers[1], "");
    EXPECT_EQ(old.correct[1], 0);
    EXPECT_EQ(old.diagram_files[1], "");
    EXPECT_EQ(old.category, 1);
    EXPECT_EQ(table.at(3).exhibit_files[2], "");
}

TEST(BankLoad, failedLoadKeepsThePreviousQuestionCount) {
    static const std::vector<const char*> too_many(151, "c");
    const BankData broken = {"BROKEN", "Broken", "33333", "5.56", "", too_many, kSmallQuestions};
    QuestionTable table;
    BankState state;
    load_questions(kLarge, table, state);

    EXPECT_THROW(load_questions(broken, table, state), Failure);
    EXPECT_EQ(state.question_count, 3);
}

TEST(QuestionTable, indexOutsideTheTableIsAnIndexFailure) {
    QuestionTable table;
    for (int index : {-1, 2001, 32767}) {
        SCOPED_TRACE(index);
        try {
            table.at(index);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.code(), static_cast<int>(FailureCode::index_out_of_range));
        }
    }
    EXPECT_NO_THROW(table.at(0));
    EXPECT_NO_THROW(table.at(2000));
}

TEST(QuestionTable, resetClearsRunFieldsOnly) {
    QuestionTable table;
    QuestionRecord& record = table.at(2000);
    record.question_text = "kept";
    record.result = result_code::queued;
    record.shuffled = 1;
    record.user_choice[6] = 1;
    record.user_text = "x";
    table.reset_run_fields();
    EXPECT_EQ(record.question_text, "kept");
    EXPECT_EQ(record.result, 0);
    EXPECT_EQ(record.shuffled, 0);
    EXPECT_EQ(record.user_choice[6], 0);
    EXPECT_EQ(record.user_text, "");
}

TEST(InitProduct, derivesTheDataFolderAndBookFromTheProgramFolder) {
    QuestionTable table;
    BankState state;
    ProductPaths paths;
    paths.program_folder = "/opt/quizdeck/";
    init_product(paths, table, state);
    EXPECT_EQ(paths.data_file_name, "pv_navra.dat");
    EXPECT_EQ(paths.data_folder, "/opt/quizdeck/pv_navra/");
    EXPECT_EQ(paths.book_pdf_path, "/opt/quizdeck/ZI_ZE.pdf");
    EXPECT_EQ(paths.book_pdf_name, "ZI_ZE.pdf");
    EXPECT_EQ(state.product_number, "41517");
    EXPECT_EQ(state.category_names[state.category_count], "Simulation Questions");
}

TEST(NumberQuestions, givesRecordsOneTo900TheirIndex) {
    QuestionTable table;
    number_questions(table);
    EXPECT_EQ(table.at(1).question_id, 1);
    EXPECT_EQ(table.at(900).question_id, 900);
    EXPECT_EQ(table.at(901).question_id, 0);
}

}  // namespace
}  // namespace qd
