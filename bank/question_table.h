#pragma once
// The fixed table of 2001 question records every window reads and writes in
// place. Index 0 is never used; the loaded bank occupies 1 to question_count.
#include <array>
#include <memory>

#include "bank/question_record.h"

namespace qd {

class QuestionTable {
public:
    static constexpr int kLastIndex = 2000;

    QuestionTable();

    // The record at `index`; an index outside 0..2000 throws an index Failure
    // that the calling step's handler reports.
    QuestionRecord& at(int index);
    const QuestionRecord& at(int index) const;

    // Clears the run fields of records 1..2000, as the main menu does when it loads.
    void reset_run_fields();

private:
    std::unique_ptr<std::array<QuestionRecord, kLastIndex + 1>> records_;
};

}  // namespace qd
