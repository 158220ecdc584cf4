// Times "Review Answers" on the results window of a 50-question quiz: from
// the click to the review page painted in the real browser, against a bare
// page of the same size written into the same browser in the same run.
// Prints the median and the slowest of each over the rounds.
//
// usage: review_page_bench [ROUNDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../tests/results/quiz_outcome.h"
#include "bench/event_counter.h"
#include "bench/program_world.h"
#include "bench/timings.h"
#include "platform/webengine/webengine_browser.h"
#include "results/results_window.h"
#include "results/review_page.h"
#include "results/review_window.h"

namespace {

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
    // What the windows use is made before the world, whose registry holds them.
    qd::WebEngineBrowserFactory browsers;
    qd::testing::RecordingPdfReader reader;
    qd::bench::ProgramWorld world("quizdeck-review-bench", &browsers);
    qd::ProgramState& program = world.state;
    world.windows.define(qd::kResultsWindow, [&] { return qd::create_results_window(world.services, world.clock, &reader); });
    program.paths.data_folder = world.folder.path().string() + "/";
    world.settings.working.student_name = "ALEX";
    world.settings.working.font_size = 12;
    world.settings.working.font_name = "Times New Roman";
    fill_quiz(program);

    world.windows.show(qd::kResultsWindow);
    auto& results = *static_cast<qd::ResultsWindow*>(
        static_cast<qd::WidgetWindow&>(world.windows.load(qd::kResultsWindow)).widget());
    auto* button = results.findChild<QPushButton*>("cmd_review");
    qd::bench::EventCounter paints;
    // The first review starts the engine: it is not counted, but waited for,
    // so that its paint is not taken for the first round's.
    button->click();
    qd::ReviewWindow& review = *results.review_window();
    review.browser().on_page_painted([&] { paints.count(); });
    if (!paints.wait_for(1)) return std::fprintf(stderr, "the first review page was never painted\n"), 1;

    const std::string page = qd::review_page_html(program.quiz, program.table, {program.bank.exam_title, 12, "Times New Roman"});
    std::string bare = "<!DOCTYPE html><html><body>";
    while (bare.size() + 20 < page.size()) bare += "<p>" + std::string(60, 'x') + "</p>\n";
    bare += "</body></html>";

    std::vector<double> review_times, bare_times;
    for (int round = 0; round < rounds; ++round) {
        review.hide();
        int seen = paints.value();
        QElapsedTimer timer;
        timer.start();
        button->click();
        if (!paints.wait_for(seen + 1)) return std::fprintf(stderr, "the review page was never painted\n"), 1;
        review_times.push_back(qd::bench::elapsed_ms(timer));

        seen = paints.value();
        timer.start();
        review.browser().write_document(bare, program.paths.data_folder);
        if (!paints.wait_for(seen + 1)) return std::fprintf(stderr, "the bare page was never painted\n"), 1;
        bare_times.push_back(qd::bench::elapsed_ms(timer));
    }
    const qd::bench::Figures r = qd::bench::figures_of(review_times), b = qd::bench::figures_of(bare_times);
    std::printf("review page of 50 questions (%zu bytes), click to painted, %d rounds: median %.1f ms, slowest %.1f ms\n",
                page.size(), rounds, r.median, r.slowest);
    std::printf("bare page of the same size, written to painted:          median %.1f ms, slowest %.1f ms\n", b.median, b.slowest);
    std::printf("ratio of medians: %.2f\n", r.median / b.median);
    world.windows.unload(qd::kResultsWindow);
    return 0;
}
