// How soon the progress window is on screen for a student with 20,000
// recorded answers (400 quizzes of 50), from its making to its first paint
// (offscreen), beside reading the figures alone in the same run.
//
// usage: progress_bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "bank/bank_loader.h"
#include "filled_record.h"
#include "program_world.h"
#include "record/past_answers.h"
#include "record/progress_figures.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/progress_window.h"
#include "window_benchmarks_main.h"

namespace {

// The program's state with the first part exam loaded and ALEX's record.
struct World {
    qd::bench::ProgramWorld program{"quizdeck-progress-bench"};
    qd::StudyRecord record{qd::kStudyRecordFile, program.log, program.clock};

    World() {
        qd::ProgramState& state = program.state;
        state.paths.program_folder = program.folder.path().string() + "/";
        qd::init_product(state.paths, state.table, state.bank);
        qd::number_questions(state.table);
        program.services.recorder = &record;
        qd::bench::fill_record(*record.database(), state.bank.product_number, [&state](int n) {
            const qd::QuestionRecord& question = state.table.at(n % state.bank.question_count + 1);
            return std::pair<int, int>{question.question_id, question.category};
        });
    }
};

World& world() {
    static World made;
    return made;
}

// Waits on the event loop for the window's first paint.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) loop.quit();
        return false;
    }
    QEventLoop loop;
};

void ProgressWindowShown(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        auto* window = new qd::ProgressWindow(w.program.services, "ALEX");
        FirstPaint painted;
        window->installEventFilter(&painted);
        QTimer give_up;
        give_up.setSingleShot(true);
        QObject::connect(&give_up, &QTimer::timeout, &painted.loop, &QEventLoop::quit);
        give_up.start(5000);
        window->show();
        painted.loop.exec();
        state.PauseTiming();
        if (!give_up.isActive()) state.SkipWithError("the window was never painted");
        window->removeEventFilter(&painted);
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(ProgressWindowShown)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reference: the record's figures alone, read and computed.
void ProgressFiguresAlone(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        auto answers = w.record.past_answers("ALEX", w.program.state.bank.product_number);
        auto quizzes = w.record.past_quizzes("ALEX", w.program.state.bank.product_number);
        std::vector<qd::ExamQuestion> bank;
        for (int i = 1; i <= w.program.state.bank.question_count; ++i)
            bank.push_back({w.program.state.table.at(i).question_id, w.program.state.table.at(i).category});
        benchmark::DoNotOptimize(qd::progress_figures(bank, {}, answers, quizzes));
    }
}
BENCHMARK(ProgressFiguresAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return qd::bench::run_window_benchmarks(argc, argv); }
