#include <gtest/gtest.h>

#include "record/weak_areas.h"

namespace qd {
namespace {

// Two chapters of three questions: 1 to 3 in chapter 1, 4 to 6 in chapter 2.
const std::vector<ExamQuestion> kBank = {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 2}};

PastAnswer at(int id, bool right, std::int64_t when) { return {id, id <= 3 ? 1 : 2, right, when, 10}; }

std::vector<PastAnswer> chapter_one_recovered() {
    std::vector<PastAnswer> answers;
    for (int i = 0; i < 20; ++i) answers.push_back(at(1, false, i));
    for (int i = 0; i < 20; ++i) answers.push_back(at(1, true, 100 + i));
    answers.push_back(at(4, true, 200));
    answers.push_back(at(5, false, 201));
    return answers;
}

TEST(WeakAreas, selectionFromRecordedHistories) {
    struct Case {
        const char* name;
        std::vector<PastAnswer> answers;
        int length;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"nothing recorded", {}, 10, {}},
        {"only questions of another exam", {{99, 1, false, 5, 1}}, 10, {}},
        {"latest wrong first, most recent first; then the weakest chapter's unseen, then seen",
         {at(1, false, 1), at(4, false, 2), at(2, true, 3)},
         10,
         {4, 1, 5, 6, 3, 2}},
        {"the length cuts", {at(1, false, 1), at(4, false, 2), at(2, true, 3)}, 2, {4, 1}},
        {"a question put right later is no longer missed", {at(1, false, 1), at(1, true, 2)}, 10, {4, 5, 6, 2, 3, 1}},
        {"seen longest ago first", {at(1, true, 3), at(2, true, 1), at(3, true, 2)}, 10, {4, 5, 6, 2, 3, 1}},
        {"answers of the same second keep the record's order", {at(1, false, 7), at(2, false, 7)}, 3, {2, 1, 3}},
        {"a chapter's share is of its latest 20 answers", chapter_one_recovered(), 10, {5, 6, 4, 2, 3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(weak_area_questions(kBank, c.answers, c.length), c.expected);
    }
}

}  // namespace
}  // namespace qd
