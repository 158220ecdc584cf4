#pragma once
// The progress window: how one student stands in one exam, from the study
// record. Three charts, each with a table of the same figures beside it for
// screen readers and for copying: the score of each finished quiz over time
// with the pass mark, each chapter's share right of its latest answers, and
// how the exam's questions stand with the average time per question.
// "Export CSV" writes the student's record of the exam.
#include <QWidget>
#include <string>

#include "record/progress_figures.h"
#include "state/program_services.h"

class QPushButton;
class QTableWidget;
class QTabWidget;

namespace qd {

inline constexpr const char* kProgressCaption = "Progress...";

class ProgressWindow : public QWidget {
public:
    // `student` is the name as stored; the exam is the one loaded.
    ProgressWindow(ProgramServices services, std::string student);

    const ProgressFigures& figures() const { return figures_; }
    // "progress.NUMBER.NAME.csv" in the working folder.
    std::string export_file() const;
    void export_csv();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_empty();
    void build_charts();
    QWidget* scores_page();
    QWidget* chapters_page();
    QWidget* questions_page();

    ProgramServices services_;
    std::string student_;
    ProgressFigures figures_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Opens the progress window of the student in the loaded exam; it deletes
// itself when closed.
ProgressWindow* show_progress(ProgramServices services, const std::string& student);

}  // namespace qd
