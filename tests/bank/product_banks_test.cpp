#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "bank/bank_loader.h"

namespace qd {
namespace {

struct Loaded {
    explicit Loaded(const BankData& bank) { load_questions(bank, table, state); }
    QuestionTable table;
    BankState state;
};

int answer_count(const QuestionRecord& q) {
    int n = 0;
    for (int slot = 1; slot <= 6; ++slot) n += !q.answers[slot].empty();
    return n;
}

bool same_question(const QuestionRecord& a, const QuestionRecord& b) {
    return a.question_text == b.question_text && a.answers == b.answers && a.correct == b.correct &&
           a.explanation == b.explanation && a.ref_tag == b.ref_tag && a.diagram_files == b.diagram_files &&
           a.exhibit_files == b.exhibit_files;
}

TEST(ProductBanks, layoutOfTheThreeExams) {
    struct Case {
        const BankData* bank;
        int questions;
        int categories;
        const char* last_category;
        const char* number;
    };
    for (const Case& c : {Case{&banks::pv_flash_intro, 258, 11, "Simulation Questions", "41517"},
                          Case{&banks::pv_flash_orlin, 307, 9, "Simulator", "41518"},
                          Case{&banks::pv_flash_combo, 665, 19, "Simulation Questions", "41519"}}) {
        SCOPED_TRACE(c.bank->module_name);
        Loaded loaded(*c.bank);
        EXPECT_EQ(loaded.state.question_count, c.questions);
        EXPECT_EQ(loaded.state.category_count, c.categories);
        EXPECT_EQ(loaded.state.category_names[c.categories], c.last_category);
        EXPECT_EQ(loaded.state.product_number, c.number);
        EXPECT_EQ(loaded.state.version_text, "5.56");
    }
    Loaded orlin(banks::pv_flash_orlin);
    EXPECT_EQ(orlin.state.category_names[8].rfind("10 - ", 0), 0u);  // its chapters are 1 to 7 and 10
    Loaded combo(banks::pv_flash_combo);
    EXPECT_EQ(combo.state.category_names[1].rfind("VIZIZ 1-", 0), 0u);
    EXPECT_EQ(combo.state.category_names[10].rfind("VIZIZ 10-", 0), 0u);
    EXPECT_EQ(combo.state.category_names[11].rfind("ORLIN 1-", 0), 0u);
    EXPECT_EQ(combo.state.category_names[18].rfind("ORLIN 10-", 0), 0u);
}

TEST(ProductBanks, fullExamHoldsThePartExamsInOrderThenTheScenarios) {
    Loaded intro(banks::pv_flash_intro), orlin(banks::pv_flash_orlin), combo(banks::pv_flash_combo);
    for (int k = 1; k <= 258; ++k) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(same_question(combo.table.at(k), intro.table.at(k)));
        EXPECT_EQ(combo.table.at(k).category, k <= 238 ? intro.table.at(k).category : 19);
    }
    for (int k = 1; k <= 307; ++k) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(same_question(combo.table.at(258 + k), orlin.table.at(k)));
        EXPECT_EQ(combo.table.at(258 + k).category, k <= 287 ? orlin.table.at(k).category + 10 : 19);
    }
    EXPECT_EQ(intro.table.at(239).category, 11);
    EXPECT_EQ(combo.table.at(239).category, 19);
    std::set<int> scenario_categories;
    for (int k = 566; k <= 665; ++k) scenario_categories.insert(combo.table.at(k).category);
    EXPECT_EQ(scenario_categories.size(), 18u);  // spread over every chapter category
    EXPECT_EQ(*scenario_categories.rbegin(), 18);
}

TEST(ProductBanks, everyQuestionFollowsTheRecordConventions) {
    Loaded combo(banks::pv_flash_combo);
    int fill_in = 0, switch_labs = 0;
    for (int k = 1; k <= 665; ++k) {
        SCOPED_TRACE(k);
        const QuestionRecord& q = combo.table.at(k);
        const bool simulator = q.diagram_files[1] == "xxsim";
        const bool scenario = k >= 566;
        EXPECT_EQ(simulator, (k >= 239 && k <= 258) || (k >= 546 && k <= 565));
        const int answers = answer_count(q);
        for (int slot = 1; slot <= answers; ++slot) EXPECT_FALSE(q.answers[slot].empty()) << "answers are packed";
        EXPECT_TRUE(q.clue.empty());
        EXPECT_TRUE(q.tutor_link.empty());
        EXPECT_TRUE(q.diagram_files[2].empty() && q.diagram_files[3].empty() && q.exhibit_files[3].empty());
        if (simulator) {
            for (int slot = 1; slot <= answers; ++slot) EXPECT_NE(q.answers[slot].find(']'), std::string::npos);
            switch_labs += q.exhibit_files[2] == "2950";
            EXPECT_FALSE(q.explanation.empty());
            continue;
        }
        EXPECT_TRUE(q.exhibit_files[2].empty());
        EXPECT_NE(q.ref_tag.find("##"), std::string::npos);
        if (q.question_type == "fill_in_the_blank") {
            ++fill_in;
            EXPECT_TRUE(scenario) << "fill-in questions belong to the scenarios";
            EXPECT_GE(answers, 1);
        } else {
            EXPECT_GE(answers, 2);
            int rights = 0;
            for (int slot = 1; slot <= 6; ++slot) rights += q.correct[slot];
            EXPECT_EQ(rights == 1, q.question_type == "single_answer");
        }
        if (scenario) {
            EXPECT_FALSE(q.explanation.empty());
            for (const std::string& media : {q.diagram_files[1], q.exhibit_files[1]}) {
                ASSERT_FALSE(media.empty());
                EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(QUIZDECK_STAGE_DIR) / "pv_navra" / media)) << media;
            }
        }
    }
    EXPECT_EQ(switch_labs, 10);
    EXPECT_GT(fill_in, 0);
}

TEST(ProductBanks, smallerBankAfterTheFullExamLeavesNoAnswersAbove) {
    QuestionTable table;
    BankState state;
    load_questions(banks::pv_flash_combo, table, state);
    load_questions(banks::pv_flash_orlin, table, state);
    EXPECT_EQ(state.question_count, 307);
    for (int k = 308; k <= 665; ++k) EXPECT_EQ(answer_count(table.at(k)), 0) << k;
    for (int slot = 10; slot <= 150; ++slot) EXPECT_TRUE(state.category_names[static_cast<std::size_t>(slot)].empty()) << slot;
}

}  // namespace
}  // namespace qd
