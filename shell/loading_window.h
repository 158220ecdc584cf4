#pragma once
// The small "Please Wait, Loading" notice shown while the program starts.
#include <QWidget>

#include "platform/screen.h"

namespace qd {

class LoadingWindow : public QWidget {
public:
    explicit LoadingWindow(const Screen& screen);
};

}  // namespace qd
