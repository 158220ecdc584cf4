#include "flashcards/flash_card_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWindow>

#include "common/guarded_steps.h"
#include "platform/text_forms.h"

namespace qd {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kHighlight(0, 204, 0);

// The fade-in colour path: black to red, red to yellow, yellow to white, one
// step per colour value (768 steps).
QColor fade_in_colour(int step) {
    if (step < 256) return QColor(step, 0, 0);
    if (step < 512) return QColor(255, step - 256, 0);
    return QColor(255, 255, std::min(255, step - 512));
}

// Held to the range of the main menu's boxes (at least 1 second, at most
// 32767), so a hand-edited value cannot overflow the card's cycle.
int stored_delay(const UserSettings& settings, const SettingKey& key) {
    return static_cast<int>(whole_number_in_range(settings.get(key), kShortestDelay, kLongestDelay));
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

FlashCardWindow::FlashCardWindow(ProgramServices services, Random& random, TopWindows& top_windows)
    : services_(services), random_(random), top_windows_(top_windows) {
    setObjectName(kFlashCardWindow);
    build_flash_card_controls();
    build_drill_controls();
}

FlashCardWindow::~FlashCardWindow() {
    // The cursor is hidden only by the drill screen; it always comes back.
    if (cursor_hidden_) QApplication::restoreOverrideCursor();
}

void FlashCardWindow::build_flash_card_controls() {
    setWindowTitle("Flash Cards");
    resize(640, 440);
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("text1");
    text1_->setReadOnly(true);
    text1_->setAccessibleName("Flash card");
    text1_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont card_font = text1_->font();
    card_font.setPointSize(12);
    text1_->setFont(card_font);
    text1_->installEventFilter(this);

    cmd_main_ = new QPushButton("Show Answer", this);
    cmd_main_->setObjectName("cmd_main");
    cmd_main_->setDefault(true);
    command3_ = new QPushButton("Exit", this);
    command3_->setObjectName("Command3");
    cmd_next_ = new QPushButton("Next", this);
    cmd_next_->setObjectName("cmd_next");
    cmd_next_->hide();
    connect(cmd_main_, &QPushButton::clicked, this, [this] { cmd_main_Click(); });
    connect(command3_, &QPushButton::clicked, this, [this] { Command3_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_main_);
    buttons->addWidget(command3_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1_, 1);
    layout->addLayout(buttons);
    setTabOrder(cmd_main_, command3_);
}

void FlashCardWindow::build_drill_controls() {
    frame1_ = new QWidget(this);
    frame1_->setObjectName("Frame1");
    frame1_->setAutoFillBackground(true);
    QPalette black = frame1_->palette();
    black.setColor(QPalette::Window, kBlack);
    frame1_->setPalette(black);
    frame1_->setMouseTracking(true);
    frame1_->installEventFilter(this);
    frame1_->hide();

    const auto add_label = [this](const QString& name) {
        auto* label = new QLabel(frame1_);
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        set_answer_background(label, kBlack);
        set_answer_text_colour(label, kBlack);
        return label;
    };
    lbl_questnum_ = add_label("lblQuestnum");
    lbl_questnum_->setWordWrap(false);
    lbl_question_ = add_label("lblQuestion");
    for (int slot = 1; slot <= 6; ++slot) lbl_answer_[slot] = add_label(QString("lblAnswer_%1").arg(slot));

    picture1_ = new QLabel("NAVRA  Drill Screen", frame1_);
    picture1_->setObjectName("Picture1");
    picture1_->setFocusPolicy(Qt::StrongFocus);
    picture1_->setStyleSheet("color: rgb(255, 204, 0); font-weight: bold; font-size: 14pt;");
    picture1_->adjustSize();
    picture1_->installEventFilter(this);

    fade_timer_ = new QTimer(this);
    fade_timer_->setInterval(1000);
    connect(fade_timer_, &QTimer::timeout, this, [this] { FadeTimer_Timer(); });
    scroll_logo_ = new QTimer(this);
    scroll_logo_->setInterval(20);
    connect(scroll_logo_, &QTimer::timeout, this, [this] { scrolllogo_Timer(); });
    fade_ = new QVariantAnimation(this);
}

int FlashCardWindow::px_x(int twips) const { return twips / std::max(1, services_.screen.twips_per_pixel_x()); }
int FlashCardWindow::px_y(int twips) const { return twips / std::max(1, services_.screen.twips_per_pixel_y()); }
int FlashCardWindow::twips_x(int pixels) const { return pixels * services_.screen.twips_per_pixel_x(); }

QuestionRecord& FlashCardWindow::card_record() { return services_.state.table.at(current_card_); }

void FlashCardWindow::form_load() {
    GuardedProcedure load(services_.log, guard::flash_cards_load);
    drill_mode_ = services_.state.drill_screen_start == 1;
    if (drill_mode_) {
        load.step([&] { start_drill_screen(); });
        return;
    }
    load.step([&] {
        const WindowPosition at = centered_position(services_.screen, twips_x(frameGeometry().width()),
                                                    frameGeometry().height() * services_.screen.twips_per_pixel_y());
        move(px_x(at.left), px_y(at.top));
    });
    load.step([&] {
        card_order_ = build_card_order(services_.state.bank.question_count, random_);
        position_ = 1;
    });
    load.step([&] { show_quest(); });
}

// ---- flash cards ----

void FlashCardWindow::show_quest() {
    if (position_ > services_.state.bank.question_count) {
        silent_step([&] {
            services_.dialogs.message("All flash cards completed", "Flash Cards Completed", DialogButtons::ok, DialogIcon::none);
        });
        silent_step([&] { services_.windows.show(kMainMenu); });
        silent_step([&] { services_.windows.unload(kFlashCardWindow); });
        return;
    }
    question_showing_ = true;
    cmd_main_->setText("Show Answer");
    silent_step([&] { current_card_ = card_order_.at(position_); });
    silent_step([&] { text1_->setPlainText(qt(card_front(current_card_, card_record()))); });
    cmd_main_->setFocus();
}

void FlashCardWindow::show_answer() {
    question_showing_ = false;
    cmd_main_->setText("Show Next Question");
    silent_step(
        [&] { text1_->setPlainText(qt(card_back(text1_->toPlainText().replace("\n", "\r\n").toStdString(), card_record()))); });
    ++position_;
    cmd_main_->setFocus();
}

void FlashCardWindow::cmd_main_Click() {
    if (question_showing_) show_answer();
    else show_quest();
}

void FlashCardWindow::Command3_Click() {
    silent_step([&] { services_.windows.show(kStartWindow); });
    silent_step([&] { return_to_main_menu(services_.windows); });
    silent_step([&] { services_.windows.unload(kFlashCardWindow); });
}

// ---- drill screen ----

void FlashCardWindow::start_drill_screen() {
    setWindowTitle("Drill Screen");
    text1_->hide();
    cmd_main_->hide();
    command3_->hide();
    frame1_->show();
    QPalette black = palette();
    black.setColor(QPalette::Window, kBlack);
    setPalette(black);
    setAutoFillBackground(true);

    const int width_px = px_x(services_.screen.width_twips());
    const int height_px = px_y(services_.screen.height_twips());
    screen_class_ = drill_screen_class(width_px, height_px);
    DrillTimings timings;
    timings.answer_delay = stored_delay(services_.settings, setting::answer_speed);
    timings.highlight_delay = stored_delay(services_.settings, setting::highlight_speed);
    cycle_ = std::make_unique<DrillCycle>(timings);
    const bool random_order = lenient_number(services_.settings.get(setting::random_drill_questions)) != 0;
    fade_timer_->start();
    scroll_logo_->start();
    deck_ = std::make_unique<DrillDeck>(services_.state.bank.question_count, random_order, random_);
    current_card_ = deck_->current_card();
    show_drill_question();
    if (!cursor_hidden_) {
        QApplication::setOverrideCursor(Qt::BlankCursor);
        cursor_hidden_ = true;
    }
    // Started as a screen-saver module, the show runs inside the window the
    // screen saver gives it; otherwise it covers the screen itself.
    const QByteArray host = qgetenv("XSCREENSAVER_WINDOW");
    bool embedded = false;
    if (!host.isEmpty()) {
        bool ok = false;
        const WId host_id = host.trimmed().toULongLong(&ok, 0);
        if (QWindow* foreign = ok ? QWindow::fromWinId(host_id) : nullptr) {
            winId();
            windowHandle()->setParent(foreign);
            setGeometry(QRect(QPoint(0, 0), foreign->geometry().size()));
            embedded = true;
        }
    }
    if (!embedded) {
        // The whole screen, above the desktop's panels and without a frame.
        setWindowFlag(Qt::FramelessWindowHint);
        setGeometry(0, 0, width_px, height_px);
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    lay_out_drill_screen();
}

void FlashCardWindow::lay_out_drill_screen() {
    const int screen_width = services_.screen.width_twips();
    frame1_->setGeometry(rect());
    lbl_questnum_->move(px_x(300), px_y(175));
    place_question();
    const int margin = static_cast<int>(round_half_even(screen_width / 11.0));
    for (int slot = 1; slot <= 6; ++slot)
        lbl_answer_[slot]->setGeometry(px_x(margin), lbl_answer_[slot]->y(), px_x(screen_width - 2 * margin),
                                       lbl_answer_[slot]->height());
    picture1_->move(width() - picture1_->width() - px_x(30), height() - picture1_->height() - px_y(30));
    logo_left_twips_ = twips_x(picture1_->x());
    lay_out_answers();
}

// The question starts 30 twips right of its number, whose width grows with
// the card's number and font, so it is placed anew for every card.
void FlashCardWindow::place_question() {
    lbl_questnum_->adjustSize();
    const int question_left = twips_x(lbl_questnum_->geometry().right() + 1) + 30;
    lbl_question_->move(px_x(question_left), px_y(175));
    lbl_question_->resize(px_x(services_.screen.width_twips() - 1700), lbl_question_->height());
    clip_question_width();
}

void FlashCardWindow::clip_question_width() {
    const int screen_width = services_.screen.width_twips();
    const int left = twips_x(lbl_question_->x());
    const int width = twips_x(lbl_question_->width());
    if (left + width > screen_width) lbl_question_->resize(px_x(screen_width - (left + 100)), lbl_question_->height());
    lbl_question_->resize(lbl_question_->width(), lbl_question_->heightForWidth(lbl_question_->width()));
}

void FlashCardWindow::show_drill_question() {
    QuestionRecord& record = card_record();
    if (auto size = drill_font_size(screen_class_, record.question_text.size())) {
        for (QLabel* label : {lbl_questnum_, lbl_question_}) {
            QFont font = label->font();
            font.setPointSize(*size);
            label->setFont(font);
        }
    }
    lbl_questnum_->setText(qt(blank_led_number(current_card_) + ". "));
    record.question_text = flash_card_text(record.question_text);
    lbl_question_->setText(qt(record.question_text));
    place_question();
}

void FlashCardWindow::show_drill_answers() {
    const QuestionRecord& record = card_record();
    std::size_t longest = 0;
    for (int slot = 1; slot <= 6 && !record.answers[slot].empty(); ++slot) {
        const std::string caption = std::string(1, static_cast<char>('A' + slot - 1)) + ".  " +
                                    flash_card_text(record.answers[slot]);
        lbl_answer_[slot]->setText(qt(caption));
        if (record.answers[slot].size() > 50) longest = std::max(longest, record.answers[slot].size());
    }
    if (auto size = drill_font_size(screen_class_, longest)) {
        for (int slot = 1; slot <= 6; ++slot) {
            QFont font = lbl_answer_[slot]->font();
            font.setPointSize(*size);
            lbl_answer_[slot]->setFont(font);
        }
    }
    lay_out_answers();
}

void FlashCardWindow::lay_out_answers() {
    int top = twips_x(lbl_question_->y() + lbl_question_->height()) + 500;
    for (int slot = 1; slot <= 6; ++slot) {
        QLabel* label = lbl_answer_[slot];
        label->resize(label->width(), label->heightForWidth(label->width()));
        label->move(label->x(), px_y(top));
        top += twips_x(label->height()) + 300;
    }
}

void FlashCardWindow::FadeTimer_Timer() {
    if (!cycle_) return;
    const DrillCycle::Tick tick = cycle_->advance();
    if (tick.next_card) {
        silent_step([&] {
            deck_->next();
            current_card_ = deck_->current_card();
            show_drill_question();
            lay_out_answers();
        });
    }
    switch (tick.step) {
        case DrillStep::fade_in: fade_in(); break;
        case DrillStep::show_answers:
            silent_step([&] {
                for (int slot = 1; slot <= 6 && !card_record().answers[slot].empty(); ++slot)
                    set_answer_text_colour(lbl_answer_[slot], kWhite);
                show_drill_answers();
            });
            break;
        case DrillStep::highlight: highlight_right_answers(); break;
        case DrillStep::fade_out: fade_out(); break;
        default: break;
    }
}

void FlashCardWindow::set_question_colour(const QColor& colour) {
    set_answer_text_colour(lbl_question_, colour);
    set_answer_text_colour(lbl_questnum_, colour);
}

void FlashCardWindow::set_answer_text_colour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void FlashCardWindow::set_answer_background(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

void FlashCardWindow::fade_in() {
    // One colour step per frame would take 768 frames; the same colour path
    // is walked over a short fixed time so the fade is seen as a fade.
    fade_->stop();
    fade_->disconnect(this);
    set_answer_text_colour(lbl_question_, kBlack);
    connect(fade_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& step) { set_question_colour(fade_in_colour(step.toInt())); });
    if (fade_duration_ms_ <= 0) {
        set_question_colour(fade_in_colour(767));
        return;
    }
    fade_->setStartValue(0);
    fade_->setEndValue(767);
    fade_->setDuration(fade_duration_ms_);
    fade_->start();
}

void FlashCardWindow::highlight_right_answers() {
    const QuestionRecord& record = card_record();
    for (int slot = 1; slot <= 6; ++slot)
        if (record.correct[slot] == 1) set_answer_background(lbl_answer_[slot], kHighlight);
}

void FlashCardWindow::fade_out() {
    fade_->stop();
    fade_->disconnect(this);
    const auto grey = [this](int level) {
        const QColor colour(level, level, level);
        set_question_colour(colour);
        for (int slot = 1; slot <= 6; ++slot) set_answer_text_colour(lbl_answer_[slot], colour);
    };
    for (int slot = 1; slot <= 6; ++slot) set_answer_background(lbl_answer_[slot], kBlack);
    connect(fade_, &QVariantAnimation::valueChanged, this, [grey](const QVariant& level) { grey(level.toInt()); });
    if (fade_duration_ms_ <= 0) {
        grey(0);
        return;
    }
    fade_->setStartValue(255);
    fade_->setEndValue(0);
    fade_->setDuration(fade_duration_ms_);
    fade_->start();
}

void FlashCardWindow::scrolllogo_Timer() {
    picture1_->setFocus();
    // The logo's place is kept in twips: 5 twips a tick is less than a pixel.
    logo_left_twips_ -= 5;
    if (logo_left_twips_ <= -twips_x(picture1_->width())) logo_left_twips_ = twips_x(width());
    picture1_->move(px_x(logo_left_twips_), picture1_->y());
}

void FlashCardWindow::end_drill_screen() {
    if (ending_) return;
    ending_ = true;
    fade_timer_->stop();
    scroll_logo_->stop();
    silent_step([&] { close_windows_titled(top_windows_, kDrillScreenTitle); });
    if (cursor_hidden_) {
        QApplication::restoreOverrideCursor();
        cursor_hidden_ = false;
    }
    quit_program(services_.windows, services_.process_end);
}

bool FlashCardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && event->type() == QEvent::FocusIn) {
        // The keyboard always drives the main button; the card is read only.
        QTimer::singleShot(0, cmd_main_, [this] { cmd_main_->setFocus(); });
    }
    if (drill_mode_ && event->type() == QEvent::KeyPress) {
        end_drill_screen();
        return true;
    }
    if (drill_mode_ && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (mouse_.ends_show(at.x(), at.y())) end_drill_screen();
    }
    return QWidget::eventFilter(watched, event);
}

void FlashCardWindow::keyPressEvent(QKeyEvent* event) {
    if (drill_mode_) {
        end_drill_screen();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Command3_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FlashCardWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (drill_mode_) silent_step([&] { lay_out_drill_screen(); });
}

void FlashCardWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the drill screen, or goes back to the main menu, as
    // Exit does: the program never runs on without a window.
    event->ignore();
    if (drill_mode_) end_drill_screen();
    else Command3_Click();
}

void FlashCardHandle::run_load() { window_->form_load(); }

std::unique_ptr<ManagedWindow> create_flash_card_window(ProgramServices services, Random& random, TopWindows& top_windows) {
    return std::make_unique<FlashCardHandle>(new FlashCardWindow(services, random, top_windows), services.screen);
}

}  // namespace qd
