#pragma once
// The window `Security` in its two modes: flash cards (question, then on
// request its answers and explanation) and the full-screen drill screen.
// Which mode it runs is decided once, when it loads, by the drill-screen
// start flag of the start-up.
#include <QColor>
#include <QWidget>
#include <array>
#include <memory>

#include "common/widget_window.h"
#include "flashcards/card_deck.h"
#include "flashcards/drill_screen_rules.h"
#include "platform/random.h"
#include "platform/top_windows.h"
#include "state/program_services.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QVariantAnimation;

namespace qd {

inline constexpr const char* kDrillScreenTitle = "velqor_drill_screen";

class FlashCardWindow : public QWidget {
public:
    FlashCardWindow(ProgramServices services, Random& random, TopWindows& top_windows);
    ~FlashCardWindow() override;

    // The window's load: flash cards or the drill screen.
    void form_load();
    bool drill_mode() const { return drill_mode_; }

    // Flash cards.
    void show_quest();
    void show_answer();
    void cmd_main_Click();
    void Command3_Click();

    // Drill screen: one second of the cycle, and the end of the show.
    void FadeTimer_Timer();
    void scrolllogo_Timer();
    void end_drill_screen();
    // How long a fade takes on screen; 0 shows its end state at once.
    void set_fade_duration_ms(int milliseconds) { fade_duration_ms_ = milliseconds; }
    const DrillCycle* drill_cycle() const { return cycle_.get(); }
    int current_card() const { return current_card_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_flash_card_controls();
    void build_drill_controls();
    void start_drill_screen();
    void lay_out_drill_screen();
    void show_drill_question();
    void show_drill_answers();
    void lay_out_answers();
    void highlight_right_answers();
    void fade_in();
    void fade_out();
    void set_question_colour(const QColor& colour);
    void set_answer_text_colour(QLabel* label, const QColor& colour);
    void set_answer_background(QLabel* label, const QColor& colour);
    void place_question();
    void clip_question_width();
    int px_x(int twips) const;
    int px_y(int twips) const;
    int twips_x(int pixels) const;
    QuestionRecord& card_record();

    ProgramServices services_;
    Random& random_;
    TopWindows& top_windows_;
    bool drill_mode_ = false;

    // Flash cards.
    QPlainTextEdit* text1_ = nullptr;
    QPushButton* cmd_main_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* cmd_next_ = nullptr;
    CardOrder card_order_{};
    int position_ = 1;
    int current_card_ = 0;
    bool question_showing_ = false;

    // Drill screen.
    QWidget* frame1_ = nullptr;
    QLabel* lbl_questnum_ = nullptr;
    QLabel* lbl_question_ = nullptr;
    std::array<QLabel*, 7> lbl_answer_{};  // slots 1 to 6
    QLabel* picture1_ = nullptr;
    QTimer* fade_timer_ = nullptr;
    QTimer* scroll_logo_ = nullptr;
    QVariantAnimation* fade_ = nullptr;
    int fade_duration_ms_ = 500;
    std::unique_ptr<DrillCycle> cycle_;
    std::unique_ptr<DrillDeck> deck_;
    MouseMoveWatch mouse_;
    int screen_class_ = 0;
    int logo_left_twips_ = 0;
    bool cursor_hidden_ = false;
    bool ending_ = false;
};

// The flash-card window in the window registry; its load runs after it is registered.
class FlashCardHandle : public WidgetWindow {
public:
    FlashCardHandle(FlashCardWindow* window, const Screen& screen) : WidgetWindow(window, screen), window_(window) {}
    void run_load() override;
    FlashCardWindow* window() const { return window_; }

private:
    FlashCardWindow* window_;
};

std::unique_ptr<ManagedWindow> create_flash_card_window(ProgramServices services, Random& random, TopWindows& top_windows);

}  // namespace qd
