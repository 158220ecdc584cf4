// Times the quiz window in the real browser: from Start to the first question
// painted (with the browser warmed up while the main menu is open, or cold
// with --cold), and from each Next to the next question painted over a
// 50-question quiz. Prints the median and the slowest of the Next figures.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/error_log.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/webengine/webengine_browser.h"
#include "runner/quiz_window.h"

namespace {

constexpr int kQuestions = 50;

void fill_quiz(qd::ProgramState& state) {
    for (int index = 1; index <= kQuestions + 1; ++index) {
        qd::QuestionRecord& record = state.table.at(index);
        record.question_id = static_cast<std::int16_t>(index);
        record.question_text = "Which protocol answers question " + std::to_string(index) + "? <br>Pick the one best answer.";
        record.answers = {"", "TCP", "UDP", "ICMP", "ARP", "", ""};
        record.correct = {0, 0, 1, 0, 0, 0, 0};
        record.question_type = "single_answer";
        record.category = 1;
        state.quiz.question_order[index] = static_cast<std::int16_t>(index);
    }
    state.quiz.quiz_length = kQuestions + 1;
}

bool wait_for(int& counter, int target) { return QTest::qWaitFor([&] { return counter >= target; }, 20000); }

}  // namespace

int main(int argc, char** argv) {
    const bool cold = argc > 1 && std::strcmp(argv[1], "--cold") == 0;
    QApplication application(argc, argv);
    const std::filesystem::path work = std::filesystem::temp_directory_path() / "quizdeck-bench";
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);

    qd::testing::FixedClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store(work / "config");
    qd::UserSettings settings(store);
    qd::testing::ScriptedDialogs dialogs;
    qd::testing::RecordingShell shell;
    qd::testing::FixedScreen screen;
    qd::testing::RecordingStarter starter;
    qd::SystemRandom random;
    qd::testing::FakeTopWindows top_windows;
    qd::testing::RecordingPdfReader desktop_reader;
    qd::WindowRegistry windows;
    struct NoEnd : qd::ProcessEnd {
        void end_process() override {}
    } process_end;
    qd::WebEngineBrowserFactory browsers;
    qd::ProgramState state;
    state.paths.program_folder = std::string(QUIZDECK_STAGE_DIR) + "/";
    state.paths.data_folder = std::string(QUIZDECK_STAGE_DIR) + "/pv_navra/";
    state.bank.exam_title = "Benchmark Exam";
    state.bank.product_number = "41517";
    settings.working.radio_buttons = -1;
    settings.working.live_scoring = 1;
    settings.working.back_button = 1;
    fill_quiz(state);
    qd::ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end, &browsers};
    windows.define(qd::kQuizWindow, [&] { return qd::create_quiz_window(services, qd::QuizWindowServices{starter, random, top_windows, desktop_reader, clock}); });

    if (!cold) {
        browsers.warm_up();  // as the main menu does when it opens
        QTest::qWait(3000);  // the student on the main menu
    }

    int painted = 0;
    QElapsedTimer clock_start;
    clock_start.start();
    auto& window = *static_cast<qd::QuizWindow*>(static_cast<qd::WidgetWindow&>(windows.load(qd::kQuizWindow)).widget());
    window.browser().on_page_painted([&] { ++painted; });
    windows.get<qd::QuizWindowOperations>(qd::kQuizWindow).show_quest();
    if (!wait_for(painted, 1)) return 1;
    const double first_page_ms = static_cast<double>(clock_start.nsecsElapsed()) / 1e6;

    auto* next = window.findChild<QPushButton*>("cmd_buttons_0");
    std::vector<double> next_ms;
    for (int step = 1; step <= kQuestions; ++step) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(next, Qt::LeftButton);
        if (!wait_for(painted, step + 1)) return 1;
        next_ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(next_ms.begin(), next_ms.end());
    std::printf("Start to first page painted (%s): %.0f ms\n", cold ? "cold" : "warmed up", first_page_ms);
    std::printf("Next to next page painted over %d questions: median %.1f ms, slowest %.1f ms\n", kQuestions,
                next_ms[next_ms.size() / 2], next_ms.back());
    return 0;
}
