#pragma once
// fit_list_width: gives a list box the horizontal extent of its longest entry,
// so it scrolls sideways when an entry is wider than the box.
class QListWidget;

namespace qd {

class Screen;

void fit_list_width(QListWidget& list, const Screen& screen);

}  // namespace qd
