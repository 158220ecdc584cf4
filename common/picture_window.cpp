#include "common/picture_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace qd {
namespace {

QString local_path(const std::string& address) {
    const QString text = QString::fromStdString(address);
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : text;
}

// The sharper rendering beside the picture ("name@2x.png"), drawn at half its size.
QPixmap best_pixmap(const QString& path, qreal device_ratio) {
    const QFileInfo info(path);
    const QString sharper = info.path() + "/" + info.completeBaseName() + "@2x." + info.suffix();
    if (device_ratio > 1.0 && QFileInfo::exists(sharper)) {
        QPixmap pixmap(sharper);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

}  // namespace

PictureWindow::PictureWindow() {
    setObjectName("picture_window");
    setWindowTitle("Diagram");
    setAttribute(Qt::WA_DeleteOnClose, false);
    picture_ = new QLabel;
    picture_->setObjectName("picture");
    picture_->setAlignment(Qt::AlignCenter);
    scroller_ = new QScrollArea(this);
    scroller_->setObjectName("picture_area");
    scroller_->setAccessibleName("Diagram");
    scroller_->setWidget(picture_);
    scroller_->setWidgetResizable(true);
    scroller_->setFocusPolicy(Qt::StrongFocus);  // the arrow keys scroll the picture
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close_picture");
    close->setAccessibleName("Close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroller_, 1);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setTabOrder(scroller_, close);
}

void PictureWindow::show_picture(const std::string& title, const std::string& address) {
    setWindowTitle(title.empty() ? QString("Diagram") : QString::fromStdString(title));
    scroller_->setAccessibleName(windowTitle());
    const QString path = local_path(address);
    const QPixmap pixmap = best_pixmap(path, devicePixelRatioF() > 1.0 ? devicePixelRatioF() : qApp->devicePixelRatio());
    if (pixmap.isNull()) {
        picture_->setPixmap({});
        picture_->setText("The picture " + path + " cannot be shown.");
    } else {
        picture_->setText({});
        picture_->setPixmap(pixmap);
    }
    picture_->setAccessibleName(windowTitle());
    // As large as the picture, as far as the screen's free area allows.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    const QSize wanted = picture_->sizeHint() + QSize(scroller_->verticalScrollBar()->sizeHint().width() + 24, 72);
    resize(std::min(wanted.width(), room.width() * 9 / 10), std::min(wanted.height(), room.height() * 9 / 10));
    if (!isVisible()) move(room.center() - rect().center());
    show();
    raise();
    activateWindow();
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
    else QWidget::keyPressEvent(event);
}

bool show_picture_from_page(const std::string& page_signal) {
    static const std::string kPrefix = "picture ";
    if (page_signal.rfind(kPrefix, 0) != 0) return false;
    const std::string rest = page_signal.substr(kPrefix.size());
    const auto split = rest.find('\n');
    const std::string title = split == std::string::npos ? std::string() : rest.substr(0, split);
    const std::string address = split == std::string::npos ? rest : rest.substr(split + 1);
    static QPointer<PictureWindow> window;
    if (!window) window = new PictureWindow;
    // Over a modal window (the explanation), the picture belongs to it, or
    // the modal window would keep the student from using it.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner != window->parentWidget()) {
        window->hide();
        window->setParent(owner, Qt::Window);
    }
    window->show_picture(title, address);
    return true;
}

}  // namespace qd
