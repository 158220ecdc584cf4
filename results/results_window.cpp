#include "results/results_window.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/chapter_reviewer.h"
#include "common/guarded_steps.h"
#include "common/program_title.h"
#include "platform/qt/accessible_button.h"
#include "results/progress_window.h"
#include "results/quiz_positions.h"
#include "results/results_file.h"
#include "results/review_page.h"
#include "results/review_window.h"
#include "results/testing_log.h"

namespace qd {

namespace {

constexpr const char* kTestingLog = "testing.log";
constexpr const char* kWorkCopy = "temp.hist";
constexpr int kBarWidth = 360;
constexpr int kBarHeight = 22;

QString text_of(const std::string& text) { return QString::fromStdString(text); }

QLabel* value_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The category list's font: fixed pitch, so the percentages line up.
QFont fixed_pitch_font() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

// The mark of a question the student flagged for review: a small flag, so
// the mark is a shape and not a colour alone.
QIcon flag_icon(const QColor& colour) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    painter.drawLine(QPointF(3.5, 1), QPointF(3.5, 15));
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 5.5), QPointF(4, 9)}));
    return QIcon(picture);
}

}  // namespace

ResultsWindow::ResultsWindow(ProgramServices services, PdfReaderLink* desktop_reader)
    : services_(services), desktop_reader_(desktop_reader) {
    setObjectName("finalscore");
    setMinimumSize(560, 560);

    auto* scores = new QGridLayout;
    right_ = value_label(this, "rig");
    total_ = value_label(this, "tot");
    percent_ = value_label(this, "per");
    const std::pair<const char*, QLabel*> rows[] = {
        {"Total Right:", right_}, {"Total Questions:", total_}, {"Your Score:", percent_}};
    for (int row = 0; row < 3; ++row) {
        auto* caption = new QLabel(rows[row].first, this);
        caption->setBuddy(rows[row].second);
        scores->addWidget(caption, row, 0);
        scores->addWidget(rows[row].second, row, 1);
    }
    scores->setColumnStretch(2, 1);

    total_score_ = new QWidget(this);
    total_score_->setObjectName("total_score");
    total_score_->setFixedSize(kBarWidth, kBarHeight);
    total_score_->setStyleSheet("background: #c00000;");
    total_score_->setAttribute(Qt::WA_StyledBackground);
    right_score_ = new QWidget(total_score_);
    right_score_->setObjectName("right_score");
    right_score_->setGeometry(0, 0, 0, kBarHeight);
    right_score_->setStyleSheet("background: #000080;");
    right_score_->setAttribute(Qt::WA_StyledBackground);

    message_ = value_label(this, "Label4");

    categories_ = new QListWidget(this);
    categories_->setObjectName("list_cat");
    categories_->setAccessibleName("Category scores");
    categories_->setFont(fixed_pitch_font());

    auto* filter_row = new QHBoxLayout;
    auto* filter_group = new QButtonGroup(this);
    for (const char* caption : {"Show &Missed Questions", "Show &All Questions", "Show &Correct Questions"}) {
        auto* option = new QRadioButton(caption, this);
        option->setObjectName(QString("whichq_%1").arg(filters_.size()));
        option->setAccessibleName(QString(caption).remove('&'));
        filter_group->addButton(option);
        filter_row->addWidget(option);
        filters_.push_back(option);
    }
    filters_[static_cast<int>(ListFilter::all)]->setChecked(true);
    for (QRadioButton* option : filters_)
        connect(option, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) silent_step([&] { calc_list(); });
        });

    questions_ = new QListWidget(this);
    questions_->setObjectName("List1");
    questions_->setAccessibleName("Questions of the quiz");
    questions_->installEventFilter(this);
    questions_->viewport()->installEventFilter(this);
    auto* hint = new QLabel("Double-click a line above to view question details.", this);

    auto* review = make_button(this, "cmd_review", "&Review Answers");
    connect(review, &QPushButton::clicked, this, [this] { silent_step([&] { review_answers(); }); });
    auto* details = make_button(this, "Command2", "View or Print Test Details");
    retake_ = make_button(this, "cmd_retake", "Retake Quiz Using Incorrect Answers");
    auto* progress = make_button(this, "cmd_progress", kProgressCaption);
    connect(progress, &QPushButton::clicked, this,
            [this] { silent_step([&] { show_progress(services_, services_.settings.working.student_name); }); });
    auto* quit = make_button(this, "Command1", "&Quit to Menu");
    connect(details, &QPushButton::clicked, this, [this] { silent_step([&] { view_test_details(); }); });
    connect(retake_, &QPushButton::clicked, this, [this] { silent_step([&] { retake_quiz(); }); });
    connect(quit, &QPushButton::clicked, this, [this] { silent_step([&] { quit_to_menu(); }); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {review, details, retake_, progress, quit}) buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scores);
    layout->addWidget(total_score_);
    layout->addWidget(message_);
    layout->addWidget(categories_, 1);
    layout->addLayout(filter_row);
    layout->addWidget(questions_, 2);
    layout->addWidget(hint);
    layout->addLayout(buttons);

    set_tab_order({categories_, filters_[0], filters_[1], filters_[2], questions_, review, details, retake_, progress, quit});
}

void ResultsWindow::load(ManagedWindow& handle) {
    ProgramState& state = services_.state;
    const GuardedProcedure procedure(services_.log, guard::results_load);
    procedure.step([&] { services_.settings.working.timed_state = timed_code::over; });
    procedure.step([&] {
        services_.log.report_planted_link(guard::results_load.handler, guard::results_load.source, kTestingLog);
        if (!write_testing_log(kTestingLog, testing_log_opening(state.bank, state.quiz, state.table), false))
            throw Failure(FailureCode::file_access_error, "cannot write testing.log");
    });
    procedure.step([&] { retake_->show(); });
    procedure.step([&] { setWindowTitle(text_of("Practice Test Results for: " + state.bank.exam_title)); });
    procedure.step([&] {
        // The quiz window may be the caller (its end of quiz, its timer): it is
        // unloaded once that call has returned, never from under it, and only
        // if no new quiz (a retake) has opened its window meanwhile.
        WindowRegistry& windows = services_.windows;
        const std::uint64_t caller = windows.load_number(kQuizWindow);
        QTimer::singleShot(0, this, [&windows, caller] { silent_step([&] { windows.unload_if_same(kQuizWindow, caller); }); });
        adjustSize();
        center_form(handle, services_.screen);
    });
    const ScoreLabels labels = score_labels(state.quiz);
    procedure.step([&] {
        right_->setText(text_of(labels.right));
        total_->setText(text_of(labels.total));
        if (!labels.percent) throw Failure(FailureCode::unexpected, "Division by zero: the quiz has no questions");
        percent_->setText(text_of(labels.percent_text));
    });
    procedure.step([&] {
        if (!labels.percent) throw Failure(FailureCode::unexpected, "Division by zero: the quiz has no questions");
        const int width = std::clamp(*labels.percent, 0, 100) * total_score_->width() / 100;
        right_score_->setFixedWidth(width);
    });
    procedure.step([&] { message_->setText(text_of(labels.message)); });
    procedure.step([&] { calc_list(); });
    procedure.step([&] {
        if (calc_list_wrong_count_ == 0) retake_->hide();
    });
    procedure.step([&] { list_categories(); });
    procedure.step([&] { fill_missed_list(state.quiz, state.table, state.retake); });
    procedure.step([&] {
        if (!write_testing_log(kTestingLog, testing_log_closing(state.retake, state.quiz, state.table), true))
            throw Failure(FailureCode::file_access_error, "cannot write testing.log");
    });
}

void ResultsWindow::list_categories() {
    const ProgramState& state = services_.state;
    category_scores_.clear();
    if (!state.bank.categories_enabled) {
        categories_->hide();
        return;
    }
    categories_->show();
    categories_->clear();
    const CategoryListing listing = category_listing(state.bank, state.quiz);
    // A category of which nothing was asked is listed as 0% and logged, as its division fails.
    for (int category : listing.nothing_asked)
        services_.log.append(guard::results_load.handler, guard::results_load.source, static_cast<int>(FailureCode::unexpected),
                             "Division by zero: no question of category " + std::to_string(category) + " was asked");
    for (const std::string& line : listing.lines) categories_->addItem(text_of(line));
    category_scores_ = listing.scores;
}

ListFilter ResultsWindow::selected_filter() const {
    for (std::size_t i = 0; i < filters_.size(); ++i)
        if (filters_[i]->isChecked()) return static_cast<ListFilter>(i);
    return ListFilter::all;
}

void ResultsWindow::calc_list() {
    const QuestionList list = qd::calc_list(selected_filter(), services_.state.quiz, services_.state.table);
    questions_->clear();
    const QIcon flag = flag_icon(palette().color(QPalette::Text));
    for (std::size_t line = 0; line < list.lines.size(); ++line) {
        auto* item = new QListWidgetItem(text_of(list.lines[line]), questions_);
        if (!list.flagged[line]) continue;
        item->setIcon(flag);
        item->setData(Qt::AccessibleTextRole, item->text() + ", flagged for review");
        item->setToolTip("Flagged for review");
    }
    if (questions_->count() > 0) questions_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    calc_list_wrong_count_ = list.wrong_count;
}

std::string ResultsWindow::student_name() const {
    const std::string& working = services_.settings.working.student_name;
    return working.empty() ? services_.settings.get(setting::student_name) : working;
}

std::optional<std::string> ResultsWindow::save_history(const Clock& clock) {
    const ProgramState& state = services_.state;
    const std::string name = student_name();
    const HistoryEntry entry{state.quiz.right_count, state.quiz.quiz_length, clock.weekday_name(), clock.general_date_time(),
                             category_scores_};
    // The old report is kept whole when the new one cannot be written; the
    // reason is logged and handed back for the student's message.
    const std::string report = history_report_name(state.bank.product_number, name);
    for (const std::string& file : {report, std::string(kWorkCopy)})
        services_.log.report_planted_link("finalscore save_history()", guard::results_load.source, file);
    auto why = qd::save_history(report, kWorkCopy, history_header_line(name, state.bank.exam_title), history_entry_line(entry));
    if (!why) return std::nullopt;
    services_.log.append("finalscore save_history()", guard::results_load.source, static_cast<int>(FailureCode::file_access_error),
                         *why);
    return report + ": " + *why;
}

void ResultsWindow::show_details() {
    QListWidgetItem* selected = questions_->currentItem();
    if (!selected || !selected->isSelected()) {
        services_.dialogs.message("You must select a question", "", DialogButtons::ok, DialogIcon::none);
        return;
    }
    QuizState& quiz = services_.state.quiz;
    const std::optional<int> position = list_line_position(selected->text().toStdString());
    if (!position || !position_in_table(quiz, *position)) return;
    quiz.current_index = static_cast<std::int16_t>(quiz.table_index_at(*position));
    quiz.current_question = services_.state.table.at(quiz.current_index);
    services_.windows.get<ExplanationWindowOperations>(kExplanationWindow).show_answer(false);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::review_answers() {
    const ProgramState& state = services_.state;
    if (!services_.browsers) return;
    if (!review_)
        review_ = new ReviewWindow(this, services_.browsers->create(), services_.shell, services_.dialogs,
                                   [this](int position) { silent_step([&] { open_book_at(position); }); });
    const auto& working = services_.settings.working;
    const ReviewPageSettings page{state.bank.exam_title, working.font_size, working.font_name};
    review_->show_review(review_page_html(state.quiz, state.table, page), state.paths.data_folder);
}

void ResultsWindow::open_book_at(int position) {
    const ProgramState& state = services_.state;
    if (!desktop_reader_ || !position_in_table(state.quiz, position)) return;
    if (!reviewer_) reviewer_ = std::make_unique<ChapterReviewer>(services_.dialogs, *desktop_reader_, kProgramTitle);
    reviewer_->review(state.table.at(state.quiz.table_index_at(position)).ref_tag, state.paths.book_pdf_path);
}

BookViewerWindow* ResultsWindow::book_viewer() const { return reviewer_ ? reviewer_->viewer().window() : nullptr; }

void ResultsWindow::view_test_details() {
    const ProgramState& state = services_.state;
    shell_open(services_.shell, history_report_name(state.bank.product_number, student_name()), ShowMode::maximized);
}

void ResultsWindow::retake_quiz() {
    WindowRegistry& windows = services_.windows;
    services_.state.retake.retake_request = services_.state.setup.quiz_choice;
    // The main menu's load, run hidden, builds and starts the retake.
    silent_step([&] { windows.load(kMainMenu); });
    hide();
    silent_step([&] { windows.unload(kResultsWindow); });
}

void ResultsWindow::quit_to_menu() {
    WindowRegistry& windows = services_.windows;
    silent_step([&] { windows.show(kStartWindow); });
    silent_step([&] { return_to_main_menu(windows); });
    hide();
}

void ResultsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        silent_step([&] { quit_to_menu(); });
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool double_click = watched == questions_->viewport() && event->type() == QEvent::MouseButtonDblClick;
    bool enter = false;
    if (watched == questions_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (!double_click && !enter) return QWidget::eventFilter(watched, event);
    if (double_click) {
        // The double-click's first press has already made its line the current one.
        if (QListWidgetItem* item = questions_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            questions_->setCurrentItem(item);
        else questions_->clearSelection();
    }
    silent_step([&] { show_details(); });
    return true;
}

ResultsHandle::ResultsHandle(ResultsWindow* window, ProgramServices services, const Clock& clock)
    : WidgetWindow(window, services.screen), window_(window), clock_(clock) {}

void ResultsHandle::run_load() { window_->load(*this); }

std::optional<std::string> ResultsHandle::save_history() {
    std::optional<std::string> why;
    silent_step([&] { why = window_->save_history(clock_); });
    return why;
}

std::unique_ptr<ManagedWindow> create_results_window(ProgramServices services, const Clock& clock, PdfReaderLink* desktop_reader) {
    auto* window = new ResultsWindow(services, desktop_reader);
    return std::make_unique<ResultsHandle>(window, services, clock);
}

}  // namespace qd
