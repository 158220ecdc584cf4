// Times "Review Answers" on the results window of a 50-question quiz: from
// the click to the review page painted in the real browser, against a bare
// page of the same size written into the same browser in the same run.
// Prints the median and the slowest of each over the rounds.
//
// usage: review_page_bench [ROUNDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "../tests/results/quiz_outcome.h"
#include "common/error_log.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/webengine/webengine_browser.h"
#include "results/results_window.h"
#include "results/review_page.h"
#include "results/review_window.h"

namespace {

namespace fs = std::filesystem;

// Counts the pages painted; a wait runs the event loop until the next one.
class PaintWait {
public:
    void painted() {
        ++count_;
        if (loop_) loop_->quit();
    }
    bool wait_beyond(int seen) {
        if (count_ > seen) return true;
        QEventLoop loop;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        guard.start(20000);
        loop_ = &loop;
        while (count_ <= seen && guard.isActive()) loop.exec();
        loop_ = nullptr;
        return count_ > seen;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
    QEventLoop* loop_ = nullptr;
};

struct Figures {
    double median = 0;
    double slowest = 0;
};
Figures figures(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void fill_quiz(qd::ProgramState& program) {
    std::vector<qd::testing::AskedQuestion> asked;
    for (int p = 1; p <= 50; ++p) asked.push_back({p * 5, p % 3 == 0 ? 2 : (p % 7 == 0 ? 0 : 1), p % 10 + 1});
    std::vector<std::string> chapters;
    for (int c = 1; c <= 10; ++c) chapters.push_back("Chapter " + std::to_string(c));
    qd::testing::finish_quiz(program.table, program.quiz, program.bank, asked, chapters);
    for (const auto& question : asked) {
        qd::QuestionRecord& record = program.table.at(question.index);
        record.question_text = "Which protocol answers question " + std::to_string(question.index) + "? Pick the one best answer.";
        record.answers = {"", "TCP", "UDP", "ICMP", "ARP", "", ""};
        record.correct = {0, 0, 1, 0, 0, 0, 0};
        record.user_choice = {0,
                              0,
                              question.result == 2 ? std::int16_t{0} : std::int16_t{1},
                              0,
                              question.result == 2 ? std::int16_t{1} : std::int16_t{0},
                              0,
                              0};
        record.explanation =
            "UDP carries the datagrams without a connection; TCP sets one up first, ICMP reports errors and ARP "
            "finds the hardware address that belongs to an IP address on the local network.";
        record.ref_tag = std::to_string(40 + question.index % 200) + "##";
        program.quiz.chosen_letters[static_cast<std::size_t>(question.index)] = question.result == 2 ? " D" : " B";
    }
    for (int p = 1; p <= 50; p += 6) program.quiz.flagged[static_cast<std::size_t>(p)] = true;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 20;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0);
    QApplication application(argc, argv);
    const fs::path work = fs::temp_directory_path() / ("quizdeck-review-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    fs::current_path(work);

    qd::testing::FixedClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store(work / "config");
    qd::UserSettings settings(store);
    qd::ProgramState program;
    qd::testing::ScriptedDialogs dialogs;
    qd::testing::RecordingShell shell;
    qd::testing::FixedScreen screen;
    qd::testing::RecordingPdfReader reader;
    qd::WindowRegistry windows;
    struct NoEnd : qd::ProcessEnd {
        void end_process() override {}
    } process_end;
    qd::WebEngineBrowserFactory browsers;
    qd::ProgramServices services{program, settings, log, dialogs, shell, screen, windows, process_end, &browsers};
    windows.define(qd::kResultsWindow, [&] { return qd::create_results_window(services, clock, &reader); });
    program.paths.data_folder = work.string() + "/";
    settings.working.student_name = "ALEX";
    settings.working.font_size = 12;
    settings.working.font_name = "Times New Roman";
    fill_quiz(program);

    windows.show(qd::kResultsWindow);
    auto& results = *static_cast<qd::ResultsWindow*>(static_cast<qd::WidgetWindow&>(windows.load(qd::kResultsWindow)).widget());
    auto* button = results.findChild<QPushButton*>("cmd_review");
    PaintWait paints;
    // The first review starts the engine: it is not counted.
    button->click();
    qd::ReviewWindow& review = *results.review_window();
    review.browser().on_page_painted([&] { paints.painted(); });
    paints.wait_beyond(-1);

    const std::string page = qd::review_page_html(program.quiz, program.table, {program.bank.exam_title, 12, "Times New Roman"});
    std::string bare = "<!DOCTYPE html><html><body>";
    while (bare.size() + 20 < page.size()) bare += "<p>" + std::string(60, 'x') + "</p>\n";
    bare += "</body></html>";

    std::vector<double> review_times, bare_times;
    for (int round = 0; round < rounds; ++round) {
        review.hide();
        int seen = paints.count();
        QElapsedTimer timer;
        timer.start();
        button->click();
        if (!paints.wait_beyond(seen)) return std::fprintf(stderr, "the review page was never painted\n"), 1;
        review_times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);

        seen = paints.count();
        timer.start();
        review.browser().write_document(bare, program.paths.data_folder);
        if (!paints.wait_beyond(seen)) return std::fprintf(stderr, "the bare page was never painted\n"), 1;
        bare_times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const Figures r = figures(review_times), b = figures(bare_times);
    std::printf("review page of 50 questions (%zu bytes), click to painted, %d rounds: median %.1f ms, slowest %.1f ms\n",
                page.size(), rounds, r.median, r.slowest);
    std::printf("bare page of the same size, written to painted:          median %.1f ms, slowest %.1f ms\n", b.median, b.slowest);
    std::printf("ratio of medians: %.2f\n", r.median / b.median);
    windows.unload(qd::kResultsWindow);
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return 0;
}
