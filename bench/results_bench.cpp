// Time of the two moments a student waits for at the end of a quiz: appending
// the quiz to a history report that already holds 1,000 entries, and the
// results window's load for a quiz of 50 questions (offscreen).
//
// usage: results_bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>

#include "../tests/results/quiz_outcome.h"
#include "common/window_names.h"
#include "program_world.h"
#include "results/history_report.h"
#include "results/results_window.h"
#include "window_benchmarks_main.h"
#include "work_folder.h"

namespace {

using qd::bench::WorkFolder;

std::vector<qd::CategoryScore> ten_categories() {
    std::vector<qd::CategoryScore> categories;
    for (int c = 1; c <= 10; ++c) categories.push_back({qd::category_score_text(c % 4, 4), "Chapter " + std::to_string(c)});
    return categories;
}

void SaveHistoryOnThousandEntries(benchmark::State& state) {
    WorkFolder folder;
    const std::string header = qd::history_header_line("ALEX", "First Part Exam");
    const std::string entry = qd::history_entry_line({37, 50, "Thursday", "12/10/2026 09:30:00", ten_categories()});
    std::string report = header + "\r\n";
    for (int i = 0; i < 1000; ++i) report += entry + "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream("history.htm", std::ios::binary | std::ios::trunc) << report;
        state.ResumeTiming();
        if (qd::save_history("history.htm", "temp.hist", header, entry)) state.SkipWithError("save_history failed");
    }
    state.counters["report_bytes"] = static_cast<double>(report.size());
}
BENCHMARK(SaveHistoryOnThousandEntries)->Unit(benchmark::kMillisecond);

void ResultsWindowOfFiftyQuestions(benchmark::State& state) {
    qd::bench::ProgramWorld world("quizdeck-results-bench");
    world.windows.define(qd::kResultsWindow, [&] { return qd::create_results_window(world.services, world.clock); });
    world.settings.working.student_name = "ALEX";
    std::vector<qd::testing::AskedQuestion> asked;
    for (int p = 1; p <= 50; ++p) asked.push_back({p * 5, p % 3 == 0 ? 2 : 1, p % 10 + 1});
    std::vector<std::string> chapters;
    for (int c = 1; c <= 10; ++c) chapters.push_back("Chapter " + std::to_string(c));
    qd::testing::finish_quiz(world.state.table, world.state.quiz, world.state.bank, asked, chapters);
    for (auto _ : state) {
        world.windows.unload(qd::kResultsWindow);
        world.windows.show(qd::kResultsWindow);
        QApplication::processEvents();
    }
    world.windows.unload(qd::kResultsWindow);
}
BENCHMARK(ResultsWindowOfFiftyQuestions)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qd::bench::run_window_benchmarks(argc, argv); }
