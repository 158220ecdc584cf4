// What the study record costs a student: keeping one graded answer (committed
// to disk before the next question is shown) in a record that already holds
// 20,000 answers, beside the program's other per-quiz write of the same run,
// the results file of 2,000 lines written whole.
//
// usage: record_bench [Google Benchmark options]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "filled_record.h"
#include "platform/testing/doubles.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/results_file.h"
#include "work_folder.h"

namespace {

namespace fs = std::filesystem;
using qd::bench::WorkFolder;

void RecordOneGradedAnswer(benchmark::State& state) {
    WorkFolder folder{"quizdeck-record-bench"};
    qd::testing::FixedClock clock;
    qd::ErrorLog log(clock);
    qd::StudyRecord record(qd::kStudyRecordFile, log);
    qd::bench::fill_record(*record.database(), "41517", [](int n) { return std::pair{n % 258 + 1, n % 10 + 1}; });
    record.quiz_started({"ALEX", "41517", 50, true, false});
    int question = 0;
    for (auto _ : state) {
        record.answer_graded({question % 258 + 1, question % 10 + 1, "B", question % 3 != 0, 12.5});
        ++question;
    }
    if (fs::exists("error.log")) state.SkipWithError("the record logged a failure");
}
BENCHMARK(RecordOneGradedAnswer)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
