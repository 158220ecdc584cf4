#pragma once
// The quiz window `quest`: asks the quiz's questions one at a time in its
// browser, grades them on Next and Back, shows the live score and the time
// left, and hands the finished quiz to the results window.
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "common/guarded_steps.h"
#include "common/widget_window.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/pdf_reader_link.h"
#include "platform/program_starter.h"
#include "platform/random.h"
#include "platform/top_windows.h"
#include "state/program_services.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace qd {

class ChapterReviewer;
class NavigatorWindow;
struct Grade;
class ScoreGauge;

// What the quiz window needs beyond the program's services.
struct QuizWindowServices {
    ProgramStarter& starter;
    Random& random;
    TopWindows& top_windows;        // to close a router console left open for a graded lab
    PdfReaderLink& desktop_reader;  // the book viewer's "Open in my PDF reader"
    const Clock& clock;             // the time left of a timed quiz
    std::string working_folder;     // exchange and result files of the exercises; "" for the current folder
};

class QuizWindow : public QWidget {
public:
    QuizWindow(ProgramServices services, QuizWindowServices quiz_services);
    ~QuizWindow() override;

    void form_load();
    void form_activate();
    void show_quest();
    void end_the_test();
    void check_answer();
    void calculate_score();
    void set_wow_question_html(const std::string& body);
    void launch_exercise();
    void launch_dnd();
    void launch_MSsim();
    void launch_MSsim2();
    void HTML_Click(const std::string& which);
    void timer1_timer();

    void set_answer_check_enabled(bool enabled);

    // Next and Back as the buttons do them.
    void next_click();
    void back_click();

    // The exhibit button with its index: the exhibit file in the exhibit window.
    void exhibitbutton_Click(int index);
    // "Review Chapter ": the book at the page the question cites.
    void Command1_Click();
    // "Flag for review" on or off for the question on screen.
    void flag_question(bool flagged);
    // The navigator: open it on the question on screen; jump to a position
    // as Back does (the answer on screen is captured and graded first).
    void open_navigator();
    void jump_to(int position);
    // "&End and Grade This Quiz": with questions unanswered, asks first.
    void end_and_grade();
    NavigatorWindow* navigator() const { return navigator_; }

    Browser& browser() { return *browser_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build_controls();
    void build_menus();
    QAction* add_entry(QMenu* menu, const char* name, const QString& caption, std::function<void()> action, bool checkable = false);

    void go_next();
    void go_back();
    // Grades the question on screen, as Next and Back do, and shows the one at the position.
    void leave_for(int position);
    void focus_next_for_return();
    void capture_answer_from_page();
    void count_category_questions();
    void prepare_exercise_for_question();
    void start_exercise(InputKind input_kind, GuardLabels labels);
    void show_time_expired();
    std::string quiz_letter() const;
    void choose_font_name(int entry);
    void choose_font_size(int entry);
    void redraw_question();
    void show_page(const GuardedProcedure& step);
    // Flips an option and stores it, with a leading blank (" 1") unless told otherwise.
    void toggle_option(QAction* entry, const SettingKey& key, std::int16_t& working_value, bool blank_led = true);
    void tick_font_menus();
    void show_flag();
    void refresh_navigator();
    // The study record: the quiz's start, each graded answer, the quiz in progress, its end.
    void record_start();
    void record_answer(const Grade& grade);
    void record_progress();
    void record_end();

    ProgramServices services_;
    QuizWindowServices quiz_services_;
    std::unique_ptr<Browser> browser_;
    std::unique_ptr<ChapterReviewer> reviewer_;  // made on the first Review Chapter click
    std::string page_head_;
    std::string mail_type_;
    bool quiz_over_ = false;
    bool moving_ = false;                               // Next or Back is at work
    bool recording_ = false;                            // the study record knows this quiz
    std::chrono::system_clock::time_point shown_at_{};  // when the question on screen was shown
    bool asking_to_end_ = false;                        // the question of "End and Grade" is up
    int ticks_since_kept_ = 0;                          // timer ticks since the quiz in progress was kept

    QPushButton* cmd_buttons_[4] = {};
    QPushButton* exhibit_button_ = nullptr;
    QPushButton* review_button_ = nullptr;
    QCheckBox* flag_box_ = nullptr;
    QAction* flag_entry_ = nullptr;
    QPushButton* navigator_button_ = nullptr;
    NavigatorWindow* navigator_ = nullptr;  // made on first use
    QLabel* question_number_ = nullptr;
    QLabel* qid_ = nullptr;
    QLabel* score_ = nullptr;
    QLabel* percent_right_ = nullptr;
    QLabel* score_caption_ = nullptr;
    ScoreGauge* gauge_ = nullptr;
    QLabel* time_left_caption_ = nullptr;
    QLabel* time_left_ = nullptr;
    QWidget* time_separator_ = nullptr;
    QLabel* whatdoin_ = nullptr;
    QTimer* timer1_ = nullptr;
    QAction* font_entries_[3] = {};
    QAction* size_entries_[7] = {};
    QAction* show_wrong_ = nullptr;
    QAction* show_right_ = nullptr;
    QAction* show_count_ = nullptr;
    QAction* back_entry_ = nullptr;
    QAction* embed_entry_ = nullptr;
    QAction* answer_top_ = nullptr;
    QAction* answer_bottom_ = nullptr;
    QAction* mail_program_ = nullptr;
    QAction* web_mail_ = nullptr;
};

// The quiz window in the window registry.
class QuizHandle : public WidgetWindow, public QuizWindowOperations {
public:
    QuizHandle(QuizWindow* window, const Screen& screen, WindowRegistry& windows);
    void run_load() override;
    void unload_handling() override;
    void show_quest() override;
    void end_the_test() override;
    void set_answer_check_enabled(bool enabled) override;

private:
    QPointer<QuizWindow> window_;
    WindowRegistry& windows_;
};

std::unique_ptr<ManagedWindow> create_quiz_window(ProgramServices services, QuizWindowServices quiz_services);

}  // namespace qd
