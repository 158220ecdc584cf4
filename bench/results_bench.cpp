// Time of the two moments a student waits for at the end of a quiz: appending
// the quiz to a history report that already holds 1,000 entries, and the
// results window's load for a quiz of 50 questions (offscreen).
//
// usage: results_bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../tests/results/quiz_outcome.h"
#include "common/error_log.h"
#include "common/window_names.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "results/history_report.h"
#include "results/results_window.h"
#include "state/user_settings.h"
#include "work_folder.h"

namespace {

namespace fs = std::filesystem;
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
    WorkFolder folder;
    qd::testing::FixedClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store(fs::current_path() / "config");
    qd::UserSettings settings(store);
    qd::ProgramState program;
    qd::testing::ScriptedDialogs dialogs;
    qd::testing::RecordingShell shell;
    qd::testing::FixedScreen screen;
    qd::WindowRegistry windows;
    struct NoEnd : qd::ProcessEnd {
        void end_process() override {}
    } process_end;
    qd::ProgramServices services{program, settings, log, dialogs, shell, screen, windows, process_end};
    windows.define(qd::kResultsWindow, [&] { return qd::create_results_window(services, clock); });

    settings.working.student_name = "ALEX";
    std::vector<qd::testing::AskedQuestion> asked;
    for (int p = 1; p <= 50; ++p) asked.push_back({p * 5, p % 3 == 0 ? 2 : 1, p % 10 + 1});
    std::vector<std::string> chapters;
    for (int c = 1; c <= 10; ++c) chapters.push_back("Chapter " + std::to_string(c));
    qd::testing::finish_quiz(program.table, program.quiz, program.bank, asked, chapters);
    for (auto _ : state) {
        windows.unload(qd::kResultsWindow);
        windows.show(qd::kResultsWindow);
        QApplication::processEvents();
    }
    windows.unload(qd::kResultsWindow);
}
BENCHMARK(ResultsWindowOfFiftyQuestions)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
