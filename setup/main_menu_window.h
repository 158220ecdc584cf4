#pragma once
// The main menu `pick_a_quiz` ("Start the QUIZ"): exam choice, name and
// options on four tabs, the category picker, the drill-screen settings and a
// menu bar. Every quiz starts here; the logic lives in the plain C++ files of
// this folder, this class only shows it.
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "common/widget_window.h"
#include "common/window_operations.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "setup/menu_choices.h"
#include "setup/quiz_builder.h"
#include "state/program_services.h"

class QCheckBox;
class QMenu;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

namespace qd {

inline constexpr const char* kMainMenuTitle = "Start the QUIZ";

class MainMenuWindow : public QMainWindow {
public:
    MainMenuWindow(ProgramServices services, Random& random, const Clock& clock);

    // The window's load and its public operations.
    void form_load();
    void start_the_quiz_from_command1();
    // Takes up the quiz the study record kept in progress; see quiz_resume.h.
    std::optional<ResumeRefusal> resume_quiz(std::int64_t id, const std::string& progress);
    void add_the_cats();
    void remove_the_cats();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct BoxSpec {
        QCheckBox** member;
        const char* name;
        const char* caption;
        const char* tip;
    };
    QGroupBox* box_group(QWidget* page, const char* name, const char* caption, std::initializer_list<BoxSpec> boxes);
    QWidget* build_general_tab();
    QWidget* build_advanced_tab();
    QWidget* build_categories_tab();
    QWidget* build_drill_tab();
    void build_menu_bar();
    void build_colour_menu(QMenu& file);

    // The boxes as the settings commands and the builder see them, and back.
    MenuChoices read_choices() const;
    void apply_choices(const MenuChoices& boxes);

    void activate();
    void warm_up_browser();
    void exam_option_click(int option);
    void timed_quiz_click(bool ticked);
    void fill_category_lists();
    void move_all(QListWidget& from, QListWidget& to);
    void save_settings();
    void practice_mode();
    void test_mode();
    void flash_cards();
    void exit_program();
    void contents();
    void view_history();
    void reset_history();
    void weak_areas_quiz();
    void progress();
    void start_category_quiz();
    void save_drill_configuration();
    void set_as_screen_saver();
    void set_busy_pointer(bool busy);
    // A quiz of the student left open is put aside, if they agree, before a new one.
    bool may_start_new_quiz();
    int px_x(int twips) const { return twips / services_.screen.twips_per_pixel_x(); }
    int px_y(int twips) const { return twips / services_.screen.twips_per_pixel_y(); }

    ProgramServices services_;
    Random& random_;
    QuizWorld quiz_world_;

    QTabWidget* tabs_ = nullptr;
    std::array<QRadioButton*, 7> which_quiz_{};  // 1 to 6
    QPushButton* start_button_ = nullptr;
    QPushButton* weak_button_ = nullptr;
    std::array<QRadioButton*, 3> weak_lengths_{};  // 10, 25 and 50 questions
    QLabel* howmany_ = nullptr;
    QLabel* howmanyq_ = nullptr;
    QLineEdit* name_box_ = nullptr;
    QCheckBox* askwrong_ = nullptr;
    QCheckBox* timeron_ = nullptr;
    QLineEdit* timeamount_ = nullptr;
    QLabel* timeamountlabel_ = nullptr;
    QScrollBar* time_spinner_ = nullptr;
    QCheckBox* answer_when_wrong_ = nullptr;
    QCheckBox* answer_when_right_ = nullptr;
    QCheckBox* random_questions_ = nullptr;
    QCheckBox* random_answers_ = nullptr;
    QCheckBox* show_answer_count_ = nullptr;
    QCheckBox* scoregraph_ = nullptr;
    QCheckBox* backb_ = nullptr;
    QCheckBox* embed_ = nullptr;
    QCheckBox* radio_ = nullptr;
    QListWidget* ask_list_ = nullptr;
    QListWidget* skip_list_ = nullptr;
    QLabel* category_note_ = nullptr;
    QCheckBox* drill_random_ = nullptr;
    QSpinBox* answer_delay_ = nullptr;
    QSpinBox* highlight_delay_ = nullptr;
    bool browser_warmed_ = false;
};

// The main menu in the window registry; its load runs once it is registered,
// so a retake it starts can open the quiz window, which asks for it again.
class MainMenuHandle : public WidgetWindow, public MainMenuOperations {
public:
    MainMenuHandle(MainMenuWindow* window, const Screen& screen) : WidgetWindow(window, screen), window_(window) {}
    void run_load() override;
    std::optional<ResumeRefusal> resume_quiz(std::int64_t id, const std::string& progress) override {
        return window_->resume_quiz(id, progress);
    }
    MainMenuWindow& window() const { return *window_; }

private:
    MainMenuWindow* window_;
};

std::unique_ptr<ManagedWindow> create_main_menu(ProgramServices services, Random& random, const Clock& clock);

}  // namespace qd
