#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QListWidget>
#include <QScrollBar>

#include "common/list_width.h"
#include "gui_test.h"
#include "platform/testing/doubles.h"

namespace qd {
namespace {

TEST(FitListWidth, longEntryMakesTheListScrollSideways) {
    testing::gui_application();
    QWidget parent;
    auto* list = new QListWidget(&parent);
    list->resize(120, 200);
    const QString longest = "18 - A chapter title much longer than the list box is wide";
    list->addItems({"1 - Short", longest, "2 - Also short"});
    testing::FixedScreen screen;
    fit_list_width(*list, screen);

    const int expected = static_cast<int>(QFontMetricsF(parent.font()).horizontalAdvance(longest + " "));
    EXPECT_NEAR(list->item(0)->sizeHint().width(), expected, 1);
    parent.show();
    list->doItemsLayout();
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace qd
