#pragma once
// The start window: artwork with click areas for start, help and exit, the
// guarantee, licence and feedback links. Its load is the program's start-up.
#include <QColor>
#include <QWidget>
#include <memory>
#include <vector>

#include "common/widget_window.h"
#include "shell/start_up.h"
#include "state/program_services.h"

class QLabel;
class QPushButton;

namespace qd {

class ClickArea;
class LoadingWindow;

inline const QColor kStartWindowColour(255, 204, 0);

class WelcomeWindow : public QWidget, public StartWindowView {
public:
    WelcomeWindow(ProgramServices services, const std::string& artwork_file);
    ~WelcomeWindow() override;

    // StartWindowView
    void show_loading_notice() override;
    void close_loading_notice() override;
    void set_start_window_visible(bool visible) override;
    void set_busy_pointer(bool busy) override;
    void set_description_caption(const std::string& text) override;
    void set_release_caption(const std::string& text) override;
    void apply_appearance() override;
    void set_title_caption(const std::string& text) override;
    void set_label6_caption(const std::string& text) override;
    void show_feedback_link() override;
    void set_feedback_caption(const std::string& text) override;
    void center_on_screen() override;

    // The actions of the click areas and buttons.
    void start_action();
    void help_action();
    void exit_action();
    void eula_action();
    void guarantee_action();
    void feedback_action();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int px_x(int twips) const { return twips / services_.screen.twips_per_pixel_x(); }
    int px_y(int twips) const { return twips / services_.screen.twips_per_pixel_y(); }
    void place(QWidget* widget, int left, int top, int width, int height);
    ClickArea* add_click_area(const char* name, const QString& accessible_name, int left, int top, int width, int height,
                              void (WelcomeWindow::*action)());
    ClickArea* add_link(const char* name, const QString& caption, int left, int top, int width, int height,
                        void (WelcomeWindow::*action)());
    QLabel* add_label(const char* name, const QString& caption, int left, int top, int width, int height);
    QPushButton* add_button(const char* name, const QString& caption, void (WelcomeWindow::*action)());
    void load_artwork(const std::string& artwork_file);

    ProgramServices services_;
    std::unique_ptr<LoadingWindow> loading_;
    QLabel* artwork_ = nullptr;
    ClickArea* start_area_ = nullptr;
    ClickArea* help_area_ = nullptr;
    ClickArea* exit_area_ = nullptr;
    ClickArea* feedback_link_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* description_ = nullptr;
    QLabel* release_ = nullptr;
    QPushButton* start_real_ = nullptr;
    std::vector<QWidget*> hidden_by_load_;
};

// The start window in the window registry: it brings up the main menu, and
// closing it closes the program.
class WelcomeHandle : public WidgetWindow, public StartWindowOperations {
public:
    WelcomeHandle(WelcomeWindow* window, ProgramServices services, StartUpInputs inputs);
    void start_quiz_click_sub() override;
    // The start window's load is the start-up sequence.
    void run_load() override;
    void unload_handling() override;

private:
    WelcomeWindow* window_;
    ProgramServices services_;
    StartUpInputs inputs_;
};

// Creates the start window; the registry then runs its load, the start-up sequence.
std::unique_ptr<ManagedWindow> create_start_window(ProgramServices services, const StartUpInputs& inputs);

}  // namespace qd
