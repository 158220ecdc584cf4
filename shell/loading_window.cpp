#include "shell/loading_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace qd {

LoadingWindow::LoadingWindow(const Screen& screen) : QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName("loading");
    setWindowTitle(QString());
    setFixedSize(3810 / screen.twips_per_pixel_x(), 2205 / screen.twips_per_pixel_y());
    auto* layout = new QVBoxLayout(this);
    for (const char* line : {"Please Wait,", "Loading ......"}) {
        auto* label = new QLabel(QString::fromLatin1(line), this);
        QFont font = label->font();
        font.setPointSize(18);
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
}

}  // namespace qd
