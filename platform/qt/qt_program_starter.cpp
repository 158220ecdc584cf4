#include <QProcess>
#include <QStringList>

#include "platform/qt/qt_services.h"

namespace qd {

bool QtProgramStarter::start(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& working_folder) {
    QStringList list;
    for (const auto& argument : arguments) list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list, QString::fromStdString(working_folder));
}

}  // namespace qd
