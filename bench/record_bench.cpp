// What the study record costs a student: keeping one graded answer (committed
// to disk before the next question is shown) in a record that already holds
// 20,000 answers, beside the program's other per-quiz write of the same run,
// the results file of 2,000 lines written whole.
//
// usage: record_bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <SQLiteCpp/Transaction.h>
#include <filesystem>

#include "platform/testing/doubles.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/results_file.h"

namespace {

namespace fs = std::filesystem;

// A fresh working folder on the disk (not in memory), removed at the end.
class WorkFolder {
public:
    WorkFolder() {
        path_ = fs::temp_directory_path() / ("quizdeck-record-bench-" + std::to_string(::getpid()));
        fs::create_directories(path_);
        old_ = fs::current_path();
        fs::current_path(path_);
    }
    ~WorkFolder() {
        fs::current_path(old_);
        fs::remove_all(path_);
    }

private:
    fs::path path_, old_;
};

// 400 finished quizzes of 50 answers each.
void fill(qd::StudyRecord& record) {
    SQLite::Database& database = *record.database();
    SQLite::Transaction transaction(database);
    SQLite::Statement quiz(database, "INSERT INTO quizzes (student, product, started, ended, length, right_count, outcome) "
                                     "VALUES ('ALEX', '41517', ?, ?, 50, 35, 'graded')");
    SQLite::Statement answer(database, "INSERT INTO answers (quiz_id, answered, student, product, question_id, category, answer, right, "
                                       "seconds, practice, timed) VALUES (?, ?, 'ALEX', '41517', ?, ?, 'B', ?, 20, 1, 0)");
    for (int q = 0; q < 400; ++q) {
        quiz.reset();
        quiz.bind(1, 1'700'000'000 + q * 3600);
        quiz.bind(2, 1'700'000'000 + q * 3600 + 1800);
        quiz.exec();
        const std::int64_t id = database.getLastInsertRowid();
        for (int a = 0; a < 50; ++a) {
            answer.reset();
            answer.bind(1, id);
            answer.bind(2, 1'700'000'000 + q * 3600 + a * 30);
            answer.bind(3, (q * 50 + a) % 258 + 1);
            answer.bind(4, a % 10 + 1);
            answer.bind(5, (a % 3) ? 1 : 0);
            answer.exec();
        }
    }
    transaction.commit();
}

void RecordOneGradedAnswer(benchmark::State& state) {
    WorkFolder folder;
    qd::testing::FixedClock clock;
    qd::ErrorLog log(clock);
    qd::StudyRecord record(qd::kStudyRecordFile, log);
    fill(record);
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
    WorkFolder folder;
    qd::MissedFlags flags;
    for (std::size_t id = 1; id < flags.size(); ++id) flags[id] = id % 3 ? "0" : "1";
    for (auto _ : state)
        if (qd::save_missed_flags(flags, "41517.ALEX.results")) state.SkipWithError("the results file could not be written");
}
BENCHMARK(ReferenceSaveResultsFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
