// Times the quiz window in the real browser: from Start to the first question
// painted (with the browser warmed up while the main menu is open, or cold
// with --cold), and from each Next to the next question painted over a
// 50-question quiz. Beside it, in the same run, a bare browser view of the
// same size replaces its page with each of the pages the quiz showed: the
// engine's own floor, to which the quiz's figure is a ratio.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/event_counter.h"
#include "bench/program_world.h"
#include "bench/timings.h"
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

// The document a browser view shows at this moment, as HTML.
QString document_of(QWebEnginePage& page) {
    QString html;
    qd::bench::EventCounter arrived;
    page.toHtml([&](const QString& text) {
        html = text;
        arrived.count();
    });
    arrived.wait_for(1);
    return html;
}

// A browser view with nothing of the program's: it only reports, the way the
// program's own page script does, when the task after a document's first
// animation frame runs, that is once the frame is drawn.
class BareView {
public:
    explicit BareView(QSize size) : page_(painted_) {
        view_.setPage(&page_);
        QWebEngineScript probe;
        probe.setInjectionPoint(QWebEngineScript::DocumentReady);
        probe.setWorldId(QWebEngineScript::MainWorld);
        probe.setSourceCode(
            "requestAnimationFrame(function () {"
            " setTimeout(function () { console.log('qd-painted'); }, 0); });");
        page_.scripts().insert(probe);
        view_.resize(size);
        view_.show();
    }

    // Milliseconds from replacing the document to its first frame drawn; -1 when it never came.
    double replace(const QString& html, const QUrl& base) {
        QElapsedTimer timer;
        timer.start();
        page_.setHtml(html, base);
        if (!painted_.wait_for(painted_.value() + 1)) return -1;
        return qd::bench::elapsed_ms(timer);
    }

private:
    class Page : public QWebEnginePage {
    public:
        explicit Page(qd::bench::EventCounter& painted) : painted_(painted) {}

    protected:
        void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override {
            if (message == "qd-painted") painted_.count();
        }

    private:
        qd::bench::EventCounter& painted_;
    };

    qd::bench::EventCounter painted_;
    Page page_;
    QWebEngineView view_;
};

}  // namespace

int main(int argc, char** argv) {
    const bool cold = argc > 1 && std::strcmp(argv[1], "--cold") == 0;
    QApplication application(argc, argv);
    // What the windows use is made before the world, whose registry holds them.
    qd::WebEngineBrowserFactory browsers;
    qd::testing::RecordingStarter starter;
    qd::SystemRandom random;
    qd::testing::FakeTopWindows top_windows;
    qd::testing::RecordingPdfReader desktop_reader;
    qd::bench::ProgramWorld world("quizdeck-quiz-page-bench", &browsers);
    qd::ProgramState& state = world.state;
    state.paths.program_folder = std::string(QUIZDECK_STAGE_DIR) + "/";
    state.paths.data_folder = std::string(QUIZDECK_STAGE_DIR) + "/pv_navra/";
    state.bank.exam_title = "Benchmark Exam";
    state.bank.product_number = "41517";
    world.settings.working.radio_buttons = -1;
    world.settings.working.live_scoring = 1;
    world.settings.working.back_button = 1;
    fill_quiz(state);
    world.windows.define(qd::kQuizWindow, [&] {
        return qd::create_quiz_window(world.services, qd::QuizWindowServices{.starter = starter,
                                                                             .random = random,
                                                                             .top_windows = top_windows,
                                                                             .desktop_reader = desktop_reader,
                                                                             .clock = world.clock,
                                                                             .working_folder = ""});
    });

    if (!cold) {
        browsers.warm_up();         // as the main menu does when it opens
        qd::bench::idle_for(3000);  // the student on the main menu
    }

    qd::bench::EventCounter painted;
    QElapsedTimer clock_start;
    clock_start.start();
    auto& window = *static_cast<qd::QuizWindow*>(static_cast<qd::WidgetWindow&>(world.windows.load(qd::kQuizWindow)).widget());
    window.browser().on_page_painted([&] { painted.count(); });
    world.windows.get<qd::QuizWindowOperations>(qd::kQuizWindow).show_quest();
    if (!painted.wait_for(1)) return 1;
    const double first_page_ms = qd::bench::elapsed_ms(clock_start);

    // Each page shown is kept, outside the timed part, for the bare view.
    auto* view = qobject_cast<QWebEngineView*>(window.browser().widget());
    if (!view) return 1;
    std::vector<QString> documents;
    documents.push_back(document_of(*view->page()));
    auto* next = window.findChild<QPushButton*>("cmd_buttons_0");
    std::vector<double> next_ms;
    for (int step = 1; step <= kQuestions; ++step) {
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(next, Qt::LeftButton);
        if (!painted.wait_for(step + 1)) return 1;
        next_ms.push_back(qd::bench::elapsed_ms(timer));
        documents.push_back(document_of(*view->page()));
    }
    const QSize page_size = view->size();
    window.hide();

    // The same documents, one after the other, in a bare view of the same size;
    // the first one is its warm-up, as the quiz's first page is.
    BareView bare(page_size);
    const QUrl base = QUrl::fromLocalFile(QString::fromStdString(state.paths.data_folder));
    if (bare.replace(documents.front(), base) < 0) return 1;
    std::vector<double> bare_ms;
    for (std::size_t page = 1; page < documents.size(); ++page) {
        const double ms = bare.replace(documents[page], base);
        if (ms < 0) return 1;
        bare_ms.push_back(ms);
    }

    const qd::bench::Figures quiz = qd::bench::figures_of(next_ms);
    const qd::bench::Figures floor = qd::bench::figures_of(bare_ms);
    std::printf("Start to first page painted (%s): %.0f ms\n", cold ? "cold" : "warmed up", first_page_ms);
    std::printf("Next to next page painted over %d questions: median %.1f ms, slowest %.1f ms\n", kQuestions, quiz.median,
                quiz.slowest);
    std::printf("Bare browser view, the same %d pages replaced: median %.1f ms, slowest %.1f ms\n", kQuestions, floor.median,
                floor.slowest);
    std::printf("Ratio of the medians, quiz to bare view: %.2f\n", quiz.median / floor.median);
    return 0;
}
