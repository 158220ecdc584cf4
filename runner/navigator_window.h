#pragma once
// The question navigator beside the quiz window: every position of the quiz
// as a numbered cell that says whether it is the question on screen, answered
// and flagged; a click or Enter on a cell the quiz's rules allow jumps there.
#include <QWidget>
#include <functional>
#include <vector>

#include "runner/quiz_navigation.h"

class QListWidget;

namespace qd {

class NavigatorWindow : public QWidget {
public:
    // The window stays above its quiz window and goes with it.
    NavigatorWindow(QWidget* quiz_window, std::function<void(int position)> jump);

    void show_cells(const std::vector<NavigatorCell>& cells);
    QListWidget* cells() const { return cells_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void jump_from(int row);

    QListWidget* cells_ = nullptr;
    QSize cell_size_;
    std::function<void(int)> jump_;
};

}  // namespace qd
