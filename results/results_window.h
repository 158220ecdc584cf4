#pragma once
// The results window `finalscore`: the score of the quiz just finished, the
// score of each category and the quiz's questions, with the ways on: a
// question's explanation, the history report, a retake of the wrong answers
// and the main menu. Its load also fills the retake's missed list and writes
// "testing.log"; its save_history appends the quiz to the history report.
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/widget_window.h"
#include "platform/clock.h"
#include "platform/pdf_reader_link.h"
#include "results/history_report.h"
#include "results/results_summary.h"
#include "state/program_services.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qd {

class BookViewerWindow;
class ChapterReviewer;
class ReviewWindow;

class ResultsWindow : public QWidget {
public:
    // `desktop_reader` takes the study guide when the student asks for their
    // own PDF reader; without one the review's study-guide links do nothing.
    explicit ResultsWindow(ProgramServices services, PdfReaderLink* desktop_reader = nullptr);
    ~ResultsWindow() override;

    // The load, step by step; a failing step is logged and the next one runs.
    void load(ManagedWindow& handle);
    void calc_list();
    std::optional<std::string> save_history(const Clock& clock);

    // The actions of the list and the buttons.
    void show_details();
    void view_test_details();
    void retake_quiz();
    void quit_to_menu();
    // "Review Answers": every question of the quiz on one page.
    void review_answers();
    ReviewWindow* review_window() const { return review_; }
    BookViewerWindow* book_viewer() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListFilter selected_filter() const;
    void list_categories();
    std::string student_name() const;
    void open_book_at(int position);

    ProgramServices services_;
    QLabel* right_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* percent_ = nullptr;
    QWidget* total_score_ = nullptr;
    QWidget* right_score_ = nullptr;
    QLabel* message_ = nullptr;
    QListWidget* categories_ = nullptr;
    std::vector<QRadioButton*> filters_;
    QListWidget* questions_ = nullptr;
    QPushButton* retake_ = nullptr;
    int calc_list_wrong_count_ = 0;               // decides only whether the retake is offered
    std::vector<CategoryScore> category_scores_;  // collected by the load for the history report
    PdfReaderLink* desktop_reader_ = nullptr;
    ReviewWindow* review_ = nullptr;             // made on the first review; a window of its own that goes with this one
    std::unique_ptr<ChapterReviewer> reviewer_;  // made on the first study-guide link
};

class ResultsHandle : public WidgetWindow, public ResultsWindowOperations {
public:
    ResultsHandle(ResultsWindow* window, ProgramServices services, const Clock& clock);
    void run_load() override;
    std::optional<std::string> save_history() override;

private:
    ResultsWindow* window_;
    const Clock& clock_;
};

std::unique_ptr<ManagedWindow> create_results_window(ProgramServices services, const Clock& clock,
                                                     PdfReaderLink* desktop_reader = nullptr);

}  // namespace qd
