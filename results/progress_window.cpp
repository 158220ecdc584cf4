#include "results/progress_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "common/guarded_steps.h"
#include "common/program_title.h"
#include "platform/text_forms.h"
#include "results/student_file_name.h"

namespace qd {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

std::string shown_name(const std::string& student) { return std::string(trim_blanks(student)); }

// A read-only table whose selection Ctrl+C copies as tab-separated lines.
QTableWidget* figure_table(QWidget* parent, const char* name, const QString& accessible_name, const QStringList& headers,
                           const std::vector<QStringList>& rows) {
    auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(accessible_name);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);  // Tab leaves the table for the next control
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            table->setItem(static_cast<int>(row), column, new QTableWidgetItem(rows[row][column]));
    table->resizeColumnsToContents();
    auto* copy = new QShortcut(QKeySequence::Copy, table, nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(copy, &QShortcut::activated, table, [table] {
        QStringList lines;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (!table->selectionModel()->isRowSelected(row, QModelIndex())) continue;
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column) cells << table->item(row, column)->text();
            lines << cells.join('\t');
        }
        QApplication::clipboard()->setText(lines.join('\n'));
    });
    return table;
}

QChartView* chart_view(QWidget* parent, const char* name, const QString& title, QChart* chart) {
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setAccessibleName(title + " chart");
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 260);
    view->setFocusPolicy(Qt::NoFocus);  // its figures are read in the table beside it
    return view;
}

QWidget* page_of(QWidget* chart, QWidget* table) {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(chart, 1);
    layout->addWidget(table, 1);
    return page;
}

QString date_text(std::int64_t when) { return QLocale().toString(QDateTime::fromSecsSinceEpoch(when), QLocale::ShortFormat); }

QString seconds_text(double seconds) { return QLocale().toString(seconds, 'f', 1) + " s"; }

}  // namespace

ProgressWindow::ProgressWindow(ProgramServices services, std::string student) : services_(services), student_(std::move(student)) {
    setObjectName("progress");
    setAttribute(Qt::WA_DeleteOnClose);
    const BankState& bank = services_.state.bank;
    setWindowTitle(qs("Progress of " + shown_name(student_) + " - " + bank.exam_title));
    silent_step([&] {
        std::vector<ExamQuestion> questions;
        const int last = std::min<int>(bank.question_count, QuestionTable::kLastIndex);
        for (int i = 1; i <= last; ++i) {
            const QuestionRecord& question = services_.state.table.at(i);
            questions.push_back({question.question_id, question.category == 0 ? 1 : question.category});
        }
        const std::vector<std::string> names(bank.category_names.begin(), bank.category_names.end());
        std::vector<PastAnswer> answers;
        std::vector<PastQuiz> quizzes;
        if (services_.recorder) {
            answers = services_.recorder->past_answers(student_, bank.product_number);
            quizzes = services_.recorder->past_quizzes(student_, bank.product_number);
        }
        figures_ = progress_figures(questions, names, answers, quizzes);
    });

    export_ = new QPushButton("&Export CSV", this);
    export_->setObjectName("cmd_export_csv");
    export_->setToolTip("Writes your study record of this exam to a file a spreadsheet opens.");
    connect(export_, &QPushButton::clicked, this, [this] { export_csv(); });
    close_ = new QPushButton("&Close", this);
    close_->setObjectName("cmd_close");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {export_, close_}) button->setAutoDefault(true);

    auto* layout = new QVBoxLayout(this);
    if (figures_.nothing_recorded()) build_empty();
    else build_charts();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(export_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    export_->setEnabled(!figures_.nothing_recorded());
    if (figures_.nothing_recorded()) resize(600, 200);
    else resize(1100, 560);
}

void ProgressWindow::build_empty() {
    auto* note = new QLabel(qs("Nothing is recorded yet for " + shown_name(student_) + " in the " + services_.state.bank.exam_title +
                               ". Take a quiz from the main menu: every answer you give is kept in your study record, and "
                               "your scores, chapters and questions show here."),
                            this);
    note->setObjectName("lbl_nothing_recorded");
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    static_cast<QVBoxLayout*>(layout())->addWidget(note, 1);
}

void ProgressWindow::build_charts() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("progress_tabs");
    tabs_->addTab(scores_page(), "&Scores");
    tabs_->addTab(chapters_page(), "C&hapters");
    tabs_->addTab(questions_page(), "&Questions");
    static_cast<QVBoxLayout*>(layout())->addWidget(tabs_, 1);
}

QWidget* ProgressWindow::scores_page() {
    auto* chart = new QChart;
    auto* scores = new QLineSeries;
    scores->setName("Score");
    scores->setPointsVisible(true);
    std::vector<QStringList> rows;
    for (const ScorePoint& point : figures_.scores) {
        scores->append(static_cast<qreal>(point.when) * 1000.0, point.percent);
        rows.push_back({date_text(point.when), QString::number(point.right_count), QString::number(point.length),
                        QString::number(point.percent) + "%"});
    }
    auto* pass = new QLineSeries;
    pass->setName(QString("Pass mark %1%").arg(kPassMarkPercent));
    const std::int64_t first = figures_.scores.empty() ? 0 : figures_.scores.front().when;
    const std::int64_t last = figures_.scores.empty() ? 0 : figures_.scores.back().when;
    // A single quiz still gets a line of some length to draw the mark over.
    pass->append(static_cast<qreal>(first - 3600) * 1000.0, kPassMarkPercent);
    pass->append(static_cast<qreal>(last + 3600) * 1000.0, kPassMarkPercent);
    pass->setPen(QPen(Qt::darkRed, 2, Qt::DashLine));
    chart->addSeries(scores);
    chart->addSeries(pass);
    auto* time = new QDateTimeAxis;
    time->setFormat(QLocale().dateFormat(QLocale::ShortFormat));
    auto* percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat("%d%%");
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    for (QLineSeries* series : {scores, pass}) {
        series->attachAxis(time);
        series->attachAxis(percent);
    }
    return page_of(chart_view(this, "chart_scores", "Score of each quiz", chart),
                   figure_table(this, "table_scores", "Score of each quiz", {"Date", "Right", "Questions", "Score"}, rows));
}

QWidget* ProgressWindow::chapters_page() {
    auto* chart = new QChart;
    auto* share = new QBarSet(QString("Right of the latest %1 answers").arg(kChapterWindow));
    QStringList names;
    std::vector<QStringList> rows;
    for (const ChapterFigure& chapter : figures_.chapters) {
        const QString name = chapter.name.empty() ? QString("Chapter %1").arg(chapter.category) : qs(chapter.name);
        // The chart draws its first bar at the bottom: the first chapter goes last.
        names.prepend(name);
        share->insert(0, chapter.percent());
        rows.push_back({name, QString("%1 of %2").arg(chapter.recent_right).arg(chapter.recent_answered),
                        QString::number(chapter.percent()) + "%",
                        QString("%1 of %2").arg(chapter.questions_seen).arg(chapter.questions)});
    }
    auto* series = new QHorizontalBarSeries;
    series->append(share);
    chart->addSeries(series);
    auto* chapters = new QBarCategoryAxis;
    chapters->append(names);
    auto* percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat("%d%%");
    chart->addAxis(chapters, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignBottom);
    series->attachAxis(chapters);
    series->attachAxis(percent);
    return page_of(chart_view(this, "chart_chapters", "Share right per chapter", chart),
                   figure_table(this, "table_chapters", "Share right per chapter",
                                {"Chapter", "Right of latest answers", "Share right", "Questions seen"}, rows));
}

QWidget* ProgressWindow::questions_page() {
    auto* chart = new QChart;
    auto* counts = new QBarSet("Questions");
    *counts << figures_.never_seen << figures_.missed_last_time << figures_.right_last_three;
    auto* series = new QBarSeries;
    series->append(counts);
    chart->addSeries(series);
    auto* kinds = new QBarCategoryAxis;
    kinds->append({"Never seen", "Missed last time", "Right the last three times"});
    auto* number = new QValueAxis;
    number->setLabelFormat("%d");
    number->setRange(0, std::max({figures_.never_seen, figures_.missed_last_time, figures_.right_last_three, 1}));
    number->applyNiceNumbers();
    chart->addAxis(kinds, Qt::AlignBottom);
    chart->addAxis(number, Qt::AlignLeft);
    series->attachAxis(kinds);
    series->attachAxis(number);
    chart->legend()->hide();
    const std::vector<QStringList> rows = {
        {"Never seen", QString::number(figures_.never_seen)},
        {"Missed last time", QString::number(figures_.missed_last_time)},
        {"Right the last three times", QString::number(figures_.right_last_three)},
        {"Average time per question", seconds_text(figures_.average_seconds)},
        {"Answers recorded", QString::number(figures_.answers)},
    };
    return page_of(chart_view(this, "chart_questions", "Questions of the exam", chart),
                   figure_table(this, "table_questions", "Questions of the exam", {"Questions", "Count"}, rows));
}

std::string ProgressWindow::export_file() const {
    return student_file_name("progress." + services_.state.bank.product_number + ".", shown_name(student_), ".csv");
}

void ProgressWindow::export_csv() {
    if (!services_.recorder) return;
    const std::string file = export_file();
    const std::optional<std::string> failure = services_.recorder->export_csv(student_, services_.state.bank.product_number, file);
    if (failure)
        services_.dialogs.message("Your study record could not be written to " + file + ": " + *failure, kProgramTitle,
                                  DialogButtons::ok, DialogIcon::warning);
    else
        services_.dialogs.message("Your study record of this exam was written to " + file + " in the folder of your files.",
                                  kProgramTitle, DialogButtons::ok, DialogIcon::information);
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

ProgressWindow* show_progress(ProgramServices services, const std::string& student) {
    auto* window = new ProgressWindow(services, student);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace qd
