// What the study record costs a student: keeping one graded answer (committed
// to disk before the next question is shown) in a record that already holds
// 20,000 answers, then also the quiz in progress that the next question keeps
// (written out and committed), beside the program's other per-quiz write of
// the same run, the results file of 2,000 lines written whole.
//
// usage: record_bench [Google Benchmark options]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "filled_record.h"
#include "platform/testing/doubles.h"
#include "record/quiz_snapshot.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/results_file.h"
#include "work_folder.h"

namespace {

namespace fs = std::filesystem;
using qd::bench::WorkFolder;

// A record in a fresh folder already holding 20,000 answers.
struct FilledRecord {
    WorkFolder folder{"quizdeck-record-bench"};
    qd::testing::FixedClock clock;
    qd::ErrorLog log{clock};
    qd::StudyRecord record{qd::kStudyRecordFile, log, clock};

    FilledRecord() {
        qd::bench::fill_record(*record.database(), "41517", [](int n) { return std::pair{n % 258 + 1, n % 10 + 1}; });
    }
};

void RecordOneGradedAnswer(benchmark::State& state) {
    FilledRecord filled;
    qd::StudyRecord& record = filled.record;
    record.quiz_started({"ALEX", "41517", 50, true, false});
    int question = 0;
    for (auto _ : state) {
        record.answer_graded({question % 258 + 1, question % 10 + 1, "B", question % 3 != 0, 12.5});
        ++question;
    }
    if (fs::exists("error.log")) state.SkipWithError("the record logged a failure");
}
BENCHMARK(RecordOneGradedAnswer)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What Next costs the record in all: the answer, then the 50-question quiz in
// progress with a results file's 2,000 flags, written out and kept.
void RecordAnswerAndQuizInProgress(benchmark::State& state) {
    FilledRecord filled;
    qd::StudyRecord& record = filled.record;
    auto program = std::make_unique<qd::ProgramState>();
    qd::WorkingSettings working;
    working.student_name = "ALEX";
    program->bank.product_number = "41517";
    program->quiz.quiz_length = 50;
    for (int p = 1; p <= 50; ++p) {
        program->quiz.question_order[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p * 5);
        program->table.at(p * 5).question_id = static_cast<std::int16_t>(p * 5);
        program->table.at(p * 5).result = qd::result_code::queued;
    }
    for (std::size_t id = 1; id < program->quiz.missed_flags.size(); ++id) program->quiz.missed_flags[id] = id % 3 ? "0" : "1";
    record.quiz_started({"ALEX", "41517", 50, true, false});
    int question = 0;
    for (auto _ : state) {
        const int position = question % 50 + 1;
        record.answer_graded({position * 5, position % 10 + 1, "B", position % 3 != 0, 12.5});
        program->table.at(position * 5).result = qd::result_code::right;
        record.keep_progress(position, qd::quiz_snapshot_text(*program, working, position, 30));
        ++question;
    }
    if (fs::exists("error.log")) state.SkipWithError("the record logged a failure");
}
BENCHMARK(RecordAnswerAndQuizInProgress)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reference: the results file the quiz writes whole at its end.
void ReferenceSaveResultsFile(benchmark::State& state) {
    WorkFolder folder{"quizdeck-record-bench"};
    qd::MissedFlags flags;
    for (std::size_t id = 1; id < flags.size(); ++id) flags[id] = id % 3 ? "0" : "1";
    for (auto _ : state)
        if (qd::save_missed_flags(flags, "41517.ALEX.results")) state.SkipWithError("the results file could not be written");
}
BENCHMARK(ReferenceSaveResultsFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
