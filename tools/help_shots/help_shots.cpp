// help_shots PROGRAM_FOLDER IMAGE_FOLDER
// Opens the program's real windows on the real banks, and the update utility's
// window on updates published from the program folder, puts each into a state
// worth showing in the user guide and saves it as a PNG picture. Run it under
// an X server (scripts/help-screenshots.sh uses xvfb-run), so what is saved is
// what the screen shows.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "bank/bank_loader.h"
#include "common/book_viewer_window.h"
#include "common/chapter_page.h"
#include "common/error_log.h"
#include "common/widget_window.h"
#include "common/window_names.h"
#include "common/window_registry.h"
#include "flashcards/flash_card_window.h"
#include "gridlab/console_window.h"
#include "gridlab/task_text.h"
#include "platform/clock.h"
#include "platform/qt/desktop_pdf_reader.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_services.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/webengine/webengine_browser.h"
#include "results/explanation_window.h"
#include "runner/exhibit_window.h"
#include "shell/program_windows.h"
#include "state/user_settings.h"
#include "tools/help_shots/served_folder.h"
#include "updater/wizard/frm_available_window.h"

namespace {

// No box may wait for a click while the pictures are taken: each is answered
// at once and told on the standard error, where a surprise shows.
class AnsweringDialogs final : public qd::Dialogs {
public:
    qd::DialogAnswer message(const std::string& text, const std::string& caption, qd::DialogButtons buttons,
                             qd::DialogIcon) override {
        std::fprintf(stderr, "message %s: %s\n", caption.c_str(), text.c_str());
        return buttons == qd::DialogButtons::yes_no ? qd::DialogAnswer::no : qd::DialogAnswer::ok;
    }
    std::string input(const std::string& prompt, const std::string& title, const std::string&) override {
        std::fprintf(stderr, "input %s: %s\n", title.c_str(), prompt.c_str());
        return {};
    }
    int choose(const std::string& text, const std::string& caption, const std::vector<std::string>&, int safe_choice) override {
        std::fprintf(stderr, "choice %s: %s\n", caption.c_str(), text.c_str());
        return safe_choice;
    }
};

// Nothing is handed to the desktop while the pictures are taken.
class QuietShell final : public qd::Shell {
public:
    void open(const std::string& document, qd::ShowMode) override { std::fprintf(stderr, "open %s\n", document.c_str()); }
};

// The same draws on every run, so renewed pictures change only when a window does.
class FixedRandom final : public qd::Random {
public:
    double next_unit() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }
    void reseed_from_clock() override { engine_.seed(1); }

private:
    std::mt19937_64 engine_{1};
};

class NoEnd final : public qd::ProcessEnd {
public:
    void end_process() override {}
};

// The program's browsers, counting the pages they have drawn, so a picture of
// a page waits until the page is really on the screen.
class CountingBrowsers final : public qd::BrowserFactory {
public:
    void warm_up() override { engine_.warm_up(); }
    std::unique_ptr<qd::Browser> create() override {
        std::unique_ptr<qd::Browser> browser = engine_.create();
        browser->on_page_painted([this] { ++pages_drawn; });
        return browser;
    }
    int pages_drawn = 0;

private:
    qd::WebEngineBrowserFactory engine_;
};

// Lets the window draw itself (and, when `drawn` is given, waits until it says
// the window's page has been drawn), then saves what the screen shows of it.
bool save_shot(QWidget& window, const QString& folder, const QString& name, int settle_ms, const std::function<bool()>& drawn) {
    window.show();
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window)) return false;
    if (drawn && !QTest::qWaitFor(drawn, 20000)) {
        std::fprintf(stderr, "FAILED %s: its page was never drawn\n", qPrintable(name));
        return false;
    }
    QTest::qWait(settle_ms);  // a maker step: give layouts, pictures and pages a moment to settle
    const QPixmap picture = QGuiApplication::platformName() == "xcb" ? window.screen()->grabWindow(window.winId()) : window.grab();
    const QString file = QDir(folder).filePath(name + ".png");
    const bool saved = picture.save(file);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "FAILED", qPrintable(file));
    return saved;
}

void write_text(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text << "\r\n";
}

// Twenty questions of the loaded exam, three of them missed: what the results
// window shows after a typical quiz.
void finish_a_quiz(qd::ProgramState& state) {
    qd::QuizState& quiz = state.quiz;
    quiz.order_base = 1;
    quiz.order_stride = 1;
    quiz.quiz_length = 20;
    quiz.right_count = 0;
    const int step = std::max(1, state.bank.question_count / quiz.quiz_length);
    for (int p = 1; p <= quiz.quiz_length; ++p) {
        const int index = 1 + (p - 1) * step;
        quiz.question_order[p] = static_cast<std::int16_t>(index);
        qd::QuestionRecord& record = state.table.at(index);
        const bool right = p % 7 != 3;
        record.result = right ? 1 : 2;
        ++quiz.cat_asked[record.category];
        if (right) {
            ++quiz.right_count;
            ++quiz.cat_right[record.category];
        }
    }
    quiz.quiz_position = quiz.quiz_length;
}

// The first router lab of the loaded exam: its task and hint as the quiz
// window hands them to the console, and the commands its explanation shows.
QStringList set_up_router_lab(const qd::ProgramState& state, const std::filesystem::path& folder) {
    QStringList commands;
    for (int index = 1; index <= state.bank.question_count; ++index) {
        const qd::QuestionRecord& record = state.table.at(index);
        if (record.diagram_files[1] != "xxsim") continue;
        write_text(folder / "sim.txt", record.question_text);
        write_text(folder / "sim_showme.txt", record.clue);
        // Transcript lines read "Router(config)#hostname R1": the command follows the prompt.
        static const QRegularExpression prompt_line(R"(^\s*[A-Za-z0-9_-]+(\([^)]*\))?[>#](.+)$)");
        const QString text = QString::fromStdString(qd::gridlab::plain_text_from_html(record.explanation));
        for (const QString& line : text.split('\n'))
            if (const auto match = prompt_line.match(line); match.hasMatch()) commands << match.captured(2).trimmed();
        break;
    }
    return commands;
}

// The table index of the first question of the loaded exam that has what the
// picture needs; 0 when none has.
int first_question_index(const qd::ProgramState& state, const std::function<bool(const qd::QuestionRecord&)>& wanted) {
    for (int index = 1; index <= state.bank.question_count; ++index)
        if (wanted(state.table.at(index))) return index;
    return 0;
}

const qd::QuestionRecord* first_question(const qd::ProgramState& state,
                                         const std::function<bool(const qd::QuestionRecord&)>& wanted) {
    const int index = first_question_index(state, wanted);
    return index > 0 ? &state.table.at(index) : nullptr;
}

// A question with lettered answers of which one is right, an explanation and a
// book page: what the explanation window shows in full.
bool plainly_explained(const qd::QuestionRecord& question) {
    int answers = 0;
    int right = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        answers += question.answers[slot].empty() ? 0 : 1;
        right += question.correct[slot] == 1 ? 1 : 0;
    }
    return answers >= 3 && right == 1 && !question.explanation.empty() && !question.ref_tag.empty() &&
           !qd::is_exercise_marker(question.diagram_files[1]);
}

// The letter of the first answer of the question that is wrong, as the grader records a choice.
std::string a_wrong_choice(const qd::QuestionRecord& question) {
    for (int slot = 1; slot <= 6; ++slot)
        if (!question.answers[slot].empty() && question.correct[slot] != 1) return {' ', static_cast<char>('A' + slot - 1)};
    return {};
}

void type_commands(QWidget& console, const QStringList& commands) {
    auto* line = console.findChild<QLineEdit*>("command_line");
    if (line == nullptr) return;
    QTest::keyClick(line, Qt::Key_Return);
    for (const QString& command : commands) {
        QTest::keyClicks(line, command);
        QTest::keyClick(line, Qt::Key_Return);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: help_shots PROGRAM_FOLDER IMAGE_FOLDER\n");
        return 2;
    }
    const std::string program_folder = QDir(argv[1]).absolutePath().toStdString();
    const QString image_folder = QDir(argv[2]).absolutePath();
    QDir().mkpath(image_folder);

    // A fresh working and settings folder, so the pictures show a first run.
    QTemporaryDir work;
    if (!work.isValid()) return 1;
    qputenv("QUIZDECK_CONFIG_DIR", QDir(work.path()).filePath("config").toUtf8());
    QDir::setCurrent(work.path());
    const std::filesystem::path work_folder = work.path().toStdString();

    qd::SystemClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store;
    qd::UserSettings settings(store);
    AnsweringDialogs dialogs;
    QuietShell shell;
    qd::QtScreen screen;
    qd::WindowRegistry windows;
    NoEnd process_end;
    qd::ProgramState state;
    CountingBrowsers browsers;
    qd::ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end, &browsers};
    qd::QtProgramStarter starter;
    FixedRandom random;
    qd::DesktopTopWindows top_windows;
    // The program's own windows; nothing is printed while the pictures are taken.
    qd::DesktopPdfReader desktop_reader(starter, qd::DesktopFolders::from_environment(), "");
    const qd::WindowPlatform platform{
        starter, random, clock, top_windows, browsers, desktop_reader, [](qd::Browser&) { return true; }};
    qd::define_program_windows(services, platform, qd::StartUpInputs{program_folder, ""});

    auto widget_of = [&windows](const char* name) -> QWidget* {
        auto* window = dynamic_cast<qd::WidgetWindow*>(&windows.load(name));
        return window != nullptr ? window->widget() : nullptr;
    };

    bool all_saved = true;
    auto shot = [&](const QString& name, const std::function<QWidget*()>& prepare, int settle_ms = 400,
                    const std::function<bool()>& drawn = {}) {
        QWidget* window = prepare();
        if (window == nullptr) std::fprintf(stderr, "FAILED %s: the window could not be prepared\n", qPrintable(name));
        all_saved = window != nullptr && save_shot(*window, image_folder, name, settle_ms, drawn) && all_saved;
        if (window != nullptr) window->hide();
    };

    // The start window's load is the program's start-up: it loads the first exam.
    shot("start", [&] { return widget_of(qd::kStartWindow); });

    // The main menu's four tabs as a first run shows them; on the categories
    // tab the last three chapters are moved to the list of those left out.
    const struct {
        const char* picture;
        int tab;
    } menu_tabs[] = {{"main-menu-general", 0}, {"main-menu-advanced", 1}, {"main-menu-categories", 2}, {"main-menu-drillscreen", 3}};
    for (const auto& tab : menu_tabs) {
        shot(tab.picture, [&]() -> QWidget* {
            QWidget* menu = widget_of(qd::kMainMenu);
            auto* tabs = menu ? menu->findChild<QTabWidget*>("SSTab1") : nullptr;
            if (tabs == nullptr) return nullptr;
            tabs->setCurrentIndex(tab.tab);
            auto* ask = menu->findChild<QListWidget*>("lst_cats_to_ask");
            auto* remove = menu->findChild<QPushButton*>("cmd_remove_cat");
            if (tab.tab == 2 && ask != nullptr && remove != nullptr && ask->count() > 3) {
                menu->show();  // on screen first: coming on screen offers every category again
                ask->clearSelection();
                for (int row = ask->count() - 3; row < ask->count(); ++row) ask->item(row)->setSelected(true);
                remove->click();
            }
            return menu;
        });
    }

    // A quiz started from the main menu's start button, at its first question
    // once its page has been drawn.
    const int drawn_before_quiz = browsers.pages_drawn;
    shot(
        "quiz",
        [&]() -> QWidget* {
            QWidget* menu = widget_of(qd::kMainMenu);
            auto* start = menu ? menu->findChild<QPushButton*>("Command1") : nullptr;
            if (start == nullptr) return nullptr;
            start->click();
            QWidget* quiz = widget_of(qd::kQuizWindow);
            if (quiz != nullptr) quiz->resize(1000, 700);
            return quiz;
        },
        500, [&] { return browsers.pages_drawn > drawn_before_quiz; });
    windows.unload(qd::kQuizWindow);

    shot("results", [&] {
        finish_a_quiz(state);
        return widget_of(qd::kResultsWindow);
    });

    const QStringList lab_commands = set_up_router_lab(state, work_folder);
    qd::gridlab::ConsoleWindow console(qd::gridlab::DeviceModel::router, work_folder);
    shot("router-console", [&] {
        console.resize(760, 470);
        console.show();
        type_commands(console, lab_commands);
        if (auto* show_me = console.findChild<QPushButton*>("show_me"); show_me && show_me->isEnabled()) show_me->click();
        return &console;
    });

    qd::ExhibitWindow exhibit(screen);
    shot("exhibit", [&]() -> QWidget* {
        // The text exhibits belong to the scenario questions of the full exam.
        qd::ProgramState full;
        qd::load_questions(qd::banks::pv_flash_combo, full.table, full.bank);
        const auto* question = first_question(full, [](const qd::QuestionRecord& q) { return !q.exhibit_files[1].empty(); });
        if (question == nullptr) return nullptr;
        qd::show_exhibit(exhibit, state.paths.data_folder, question->exhibit_files[1]);
        return &exhibit;
    });

    qd::BookViewerWindow book([](const std::string&, int) {});
    shot(
        "book",
        [&]() -> QWidget* {
            const auto* question = first_question(
                state, [](const qd::QuestionRecord& q) { return qd::review_page_index(q.ref_tag).value_or(0) > 0; });
            if (question == nullptr) return nullptr;
            book.resize(900, 760);
            book.show_page(state.paths.book_pdf_path, *qd::review_page_index(question->ref_tag));
            return &book;
        },
        1500);

    // The flash cards with a card turned over that has an explanation on its back.
    shot("flash-cards", [&]() -> QWidget* {
        QWidget* cards = widget_of(qd::kFlashCardWindow);
        auto* main_button = cards ? cards->findChild<QPushButton*>("cmd_main") : nullptr;
        auto* card = cards ? cards->findChild<QPlainTextEdit*>("text1") : nullptr;
        if (main_button == nullptr || card == nullptr) return nullptr;
        // Turn cards until one with choices and an explanation on its back, or the
        // fortieth, is turned over.
        for (int turns = 1;; ++turns) {
            main_button->click();  // the back of the card
            const QString back = card->toPlainText();
            const auto answers_line = back.indexOf("Correct answer(s):");
            const bool explained = answers_line >= 0 && back.contains(".) ") &&
                                   !back.mid(back.indexOf('\n', answers_line) + 1).trimmed().isEmpty();
            if (explained || turns == 40) break;
            main_button->click();  // the next card's front
        }
        return cards;
    });
    windows.unload(qd::kFlashCardWindow);

    // The drill screen as the screen saver starts it, at the second its right
    // answers light up (twelve seconds in, with the delivered pauses).
    state.drill_screen_start = 1;
    shot("drill-screen", [&]() -> QWidget* {
        auto* drill = dynamic_cast<qd::FlashCardWindow*>(widget_of(qd::kFlashCardWindow));
        if (drill == nullptr) return nullptr;
        drill->set_fade_duration_ms(0);
        for (int second = 0; second < 12; ++second) drill->FadeTimer_Timer();
        return drill;
    });

    // The explanation of a scenario question of the full exam answered wrong.
    // The window's print-only path builds it without its modal loop; the
    // picture waits until its page has been drawn.
    const int drawn_before_explanation = browsers.pages_drawn;
    shot(
        "explanation",
        [&]() -> QWidget* {
            qd::load_questions(qd::banks::pv_flash_combo, state.table, state.bank);
            const int missed = first_question_index(state, plainly_explained);
            if (missed == 0) return nullptr;
            state.table.at(missed).result = qd::result_code::wrong;
            state.quiz.current_index = static_cast<std::int16_t>(missed);
            state.quiz.chosen_letters.at(static_cast<std::size_t>(missed)) = a_wrong_choice(state.table.at(missed));
            auto& answer = windows.get<qd::ExplanationHandle>(qd::kExplanationWindow);
            answer.show_answer(true);
            if (answer.current() != nullptr) answer.current()->resize(820, 620);
            return answer.current();
        },
        500, [&] { return browsers.pages_drawn > drawn_before_explanation; });
    windows.unload(qd::kExplanationWindow);

    // The update utility at its list of available updates, fetched from a
    // folder that the maker's publish step filled from this program folder.
    const std::filesystem::path updates = work_folder / "updates";
    qd::ServedFolderTransfer update_server(updates / "server");
    std::unique_ptr<qd::FrmAvailableWindow> update_wizard;
    shot("updates", [&]() -> QWidget* {
        try {
            std::filesystem::create_directories(updates / "program");
            std::filesystem::copy_file(std::filesystem::path(program_folder) / "updates.ini", updates / "program" / "updates.ini");
            qd::publish_sample_updates(program_folder, updates / "server", updates / "products");
        } catch (const std::exception& error) {
            std::fprintf(stderr, "FAILED updates: %s\n", error.what());
            return nullptr;
        }
        // The utility ends its process after a failure report; so does this maker then.
        auto end_of_utility = [](int status) {
            std::fprintf(stderr, "FAILED updates: the update utility ended with status %d\n", status);
            std::fflush(stderr);
            std::_Exit(1);
        };
        update_wizard = std::make_unique<qd::FrmAvailableWindow>(qd::WizardServices{
            update_server, dialogs, shell, starter, top_windows, end_of_utility, (updates / "program").string() + "/", {}});
        auto* next = update_wizard->findChild<QPushButton*>("cmd_startnext");
        if (next == nullptr) return nullptr;
        next->click();
        return update_wizard.get();
    });

    return all_saved ? 0 : 1;
}
