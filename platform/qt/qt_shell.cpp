#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <cctype>

#include "platform/qt/qt_services.h"

namespace qd {

bool has_url_scheme(const std::string& address) {
    auto colon = address.find(':');
    if (colon == std::string::npos || colon < 2) return false;  // "C:" style or none
    for (std::size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(address[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return std::isalpha(static_cast<unsigned char>(address[0])) != 0;
}

void QtShell::open(const std::string& document, ShowMode) {
    // The desktop decides how the opened program's window appears.
    const QString text = QString::fromStdString(document);
    const QUrl url = has_url_scheme(document) ? QUrl(text) : QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
    QDesktopServices::openUrl(url);
}

}  // namespace qd
