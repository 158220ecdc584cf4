#include <QCoreApplication>

#include "platform/qt/qt_services.h"

namespace qd {

void QtEventPump::process_pending() { QCoreApplication::processEvents(); }

}  // namespace qd
