#include "runner/exhibit_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/text_file.h"

namespace qd {

namespace {
// Exhibits are router outputs of a few kilobytes; a page of this size is already far more.
constexpr std::size_t kLargestExhibit = 256 * 1024;
}  // namespace

ExhibitWindow::ExhibitWindow(const Screen& screen) {
    setObjectName("Exhibit");
    setWindowTitle("Exhibit");
    auto* layout = new QVBoxLayout(this);
    text1_ = new QPlainTextEdit;
    text1_->setObjectName("text1");
    text1_->setAccessibleName("Exhibit");
    text1_->setReadOnly(true);
    text1_->setTabChangesFocus(true);
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(9.75);
    text1_->setFont(fixed);
    layout->addWidget(text1_, 1);
    close_ = new QPushButton("&Close");
    close_->setObjectName("Command1");
    close_->setAccessibleName("Close");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
    // The button stays centred under the text as the window grows and shrinks.
    layout->addWidget(close_, 0, Qt::AlignHCenter);
    setMinimumSize(kMinimumWidthTwips / screen.twips_per_pixel_x(), kMinimumHeightTwips / screen.twips_per_pixel_y());
    resize(minimumSize());
}

bool ExhibitWindow::load_exhibit(const std::string& path) {
    // Only a plain file is read, and only its beginning: a FIFO in its place
    // or a file of many megabytes would hold the window.
    const auto bytes = read_regular_file(path, kLargestExhibit);
    if (!bytes) {
        text1_->setPlainText("The exhibit " + QString::fromStdString(path) + " is missing or cannot be read.");
        return false;
    }
    QString text = QString::fromUtf8(bytes->bytes.data(), static_cast<qsizetype>(bytes->bytes.size()));
    text.replace("\r\n", "\n");
    if (bytes->cut)
        text += "\n\n(The exhibit is longer than " + QString::number(kLargestExhibit / 1024) + " KB; the rest is not shown.)";
    text1_->setPlainText(text);
    return true;
}

QString ExhibitWindow::text() const { return text1_->toPlainText(); }

void ExhibitWindow::place_beside(const QRect& quiz_frame) {
    const QScreen* screen = QGuiApplication::screenAt(quiz_frame.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    // Wide enough for the longest line plus the scroll bar, as far as the screen allows.
    int longest = 0;
    for (const QString& line : text().split('\n')) longest = std::max(longest, text1_->fontMetrics().horizontalAdvance(line));
    const int chrome = width() - text1_->viewport()->width() + 8;
    int width = std::clamp(longest + chrome, minimumWidth(), std::max(minimumWidth(), room.width()));
    int height = std::clamp(quiz_frame.height(), minimumHeight(), std::max(minimumHeight(), room.height()));
    resize(width, height);
    int right_room = room.right() - quiz_frame.right(), left_room = quiz_frame.left() - room.left();
    int x = right_room >= width  ? quiz_frame.right() + 1
            : left_room >= width ? quiz_frame.left() - width
                                 : room.right() - width + 1;
    move(std::max(room.left(), x), std::clamp(quiz_frame.top(), room.top(), std::max(room.top(), room.bottom() - height + 1)));
}

void ExhibitWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
    else QWidget::keyPressEvent(event);
}

void ExhibitHandle::show_exhibit_beside(const std::string& data_folder, const std::string& file_name, const WindowBox& quiz_frame) {
    if (file_name.empty()) return;
    const bool opening = !window_->isVisible();
    show_exhibit(*window_, data_folder, file_name);
    if (opening) window_->place_beside(QRect(quiz_frame.left, quiz_frame.top, quiz_frame.width, quiz_frame.height));
}

std::unique_ptr<ManagedWindow> create_exhibit_window(const Screen& screen) {
    return std::make_unique<ExhibitHandle>(new ExhibitWindow(screen), screen);
}

void show_exhibit(ExhibitWindow& window, const std::string& data_folder, const std::string& file_name) {
    if (file_name.empty()) return;
    window.load_exhibit(data_folder + file_name);
    window.show();
    window.raise();
    window.update();
}

}  // namespace qd
