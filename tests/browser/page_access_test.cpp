// What the program adds to every page for readers, mice and small windows,
// checked in the real engine on pages written as the program writes them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QWebEngineView>
#include <QWidget>

#include "gui_test.h"
#include "platform/colour_scheme.h"
#include "platform/webengine/webengine_browser.h"
#include "temp_folder.h"

namespace qd {
namespace {

class PageAccessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    void SetUp() override {
        browser_ = factory_.create();
        browser_->widget()->resize(600, 400);
        browser_->widget()->show();
        browser_->on_page_painted([this] { ++painted_; });
        browser_->on_page_signal([this](const std::string& name) { signals_.push_back(name); });
        QImage(1200, 300, QImage::Format_RGB32).save((folder_ / "wide.png").c_str());
        QImage(1200 * 2, 300 * 2, QImage::Format_RGB32).save((folder_ / "wide@2x.png").c_str());
        QImage(80, 40, QImage::Format_RGB32).save((folder_ / "small.png").c_str());
        QImage(120, 30, QImage::Format_RGB32).save((folder_ / "Question_active.gif").c_str());
    }

    void write(const std::string& html) {
        const int before = painted_;
        ASSERT_TRUE(browser_->write_document(html, folder_.path().string()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return painted_ > before; }, 10000));
    }

    QVariant evaluate(const QString& script) {
        auto* view = qobject_cast<QWebEngineView*>(browser_->widget());
        std::optional<QVariant> answer;
        view->page()->runJavaScript(script, [&](const QVariant& value) { answer = value; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 5000)) << script.toStdString();
        return answer.value_or(QVariant());
    }

    void click(const std::string& selector) {
        const auto centre = probe_of(*browser_).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QTest::mouseClick(browser_->widget()->focusProxy(), Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    testing::TempFolder folder_;
    WebEngineBrowserFactory factory_;
    std::unique_ptr<Browser> browser_;
    std::vector<std::string> signals_;
    int painted_ = 0;
};

// The answers as the question page writes them: the input, then the letter
// and the text up to the line break.
const char* const kAnswers =
    "<body><form name=frm>1.) Which one?<p>"
    "\r\n<input  type=radio accesskey=\"a\"  name=\"radio1\" value=V1>A.\tThe <b>first</b> answer</option><br>"
    "\r\n<input  type=radio accesskey=\"b\"  name=\"radio1\" value=V2>B.\tThe second answer</option><br>"
    "<input type=checkbox accesskey=\"c\" name=ans1 value=1>C.\tA box</option><br>\r\n"
    "<input type=text name=txt_fill size=40 value=\"\"></form></body></html>";

TEST_F(PageAccessTest, answersAreNamedByTheirText_andAClickOnTheTextSelectsThem) {
    write(kAnswers);
    EXPECT_EQ(evaluate("Array.prototype.map.call(document.querySelectorAll('input'), function (i) {"
                       " return i.labels.length ? i.labels[0].textContent : ''; }).join('|')")
                  .toString()
                  .toStdString(),
              "A.\tThe first answer|B.\tThe second answer|C.\tA box|");
    // The page's text is as written: only elements were added around it.
    EXPECT_EQ(probe_of(*browser_).visible_text().find("The first answer"), probe_of(*browser_).visible_text().find("A.") + 3);

    click("input[value=V2] + label");
    click("input[name=ans1] + label");
    const FormSnapshot form = browser_->read_form();
    ASSERT_EQ(form.size(), 4u);
    EXPECT_FALSE(form[0].checked);
    EXPECT_TRUE(form[1].checked);
    EXPECT_TRUE(form[2].checked);
}

TEST_F(PageAccessTest, diagramsShrinkToThePageNeverGrow_areNamed_andAClickAsksForTheFullSize) {
    write(
        "<body><table width=100%><tr><td><img  align=top src=\"Question_active.gif\"></td></tr></table>"
        "<hr>Diagram  1<br><img src=\"wide.png\"><p><hr>Diagram  2<br><img src=\"small.png\"><p></BODY></body></html>");
    const double page_width = evaluate("document.body.clientWidth").toDouble();
    EXPECT_LE(evaluate("document.images[1].getBoundingClientRect().width").toDouble(), page_width);
    EXPECT_GT(evaluate("document.images[1].getBoundingClientRect().width").toDouble(), page_width - 40);
    EXPECT_EQ(evaluate("document.images[2].getBoundingClientRect().width").toDouble(), 80.0);
    EXPECT_EQ(
        evaluate("Array.prototype.map.call(document.images, function (i) { return i.alt; }).join('|')").toString().toStdString(),
        "Question tab|Diagram 1|Diagram 2");
    // The sharper rendering is offered for screens of twice the density.
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate("document.images[1].srcset").toString().contains("wide@2x.png 2x"); }, 5000));
    EXPECT_EQ(evaluate("document.images[2].srcset").toString().toStdString(), "");

    click("img[alt='Diagram 2']");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !signals_.empty(); }, 5000));
    EXPECT_EQ(signals_[0], "picture Diagram 2\nfile://" + (folder_ / "small.png").string());
}

// The style block the pages carry writes its size with a blank before the unit.
TEST_F(PageAccessTest, styleLengthsWithABlankBeforeTheUnitTakeEffect) {
    for (int points : {8, 20}) {
        SCOPED_TRACE(points);
        write("\r\n<style>\r\nBODY{font-size: " + std::to_string(points) + " pt}\r\nTABLE{font-size: " + std::to_string(points) +
              " pt}\r\nBODY{font-family:Arial}\r\n</style>\r\n<body><table><tr><td id=cell>Text</td></tr></table></body></html>");
        EXPECT_NEAR(evaluate("parseFloat(getComputedStyle(document.getElementById('cell')).fontSize)").toDouble(),
                    points * 96.0 / 72.0, 0.01);
    }
}

TEST_F(PageAccessTest, underADarkPaletteThePageIsDrawnInTheDarkSchemesColours) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    const Rgb window = dark_scheme().window;
    dark.setColor(QPalette::Window, QColor(window.red, window.green, window.blue));
    QApplication::setPalette(dark);
    write("<body bgcolor=\"#FFFFFF\" text=\"#000000\"><p id=text>Words</p></body></html>");
    const Rgb base = dark_scheme().base;
    const Rgb text = dark_scheme().text;
    EXPECT_EQ(evaluate("getComputedStyle(document.body).backgroundColor").toString().toStdString(),
              "rgb(" + std::to_string(base.red) + ", " + std::to_string(base.green) + ", " + std::to_string(base.blue) + ")");
    EXPECT_EQ(evaluate("getComputedStyle(document.getElementById('text')).color").toString().toStdString(),
              "rgb(" + std::to_string(text.red) + ", " + std::to_string(text.green) + ", " + std::to_string(text.blue) + ")");

    QApplication::setPalette(before);
    write("<body bgcolor=\"#FFFFFF\" text=\"#000000\"><p id=text>Words</p></body></html>");
    EXPECT_EQ(evaluate("getComputedStyle(document.body).backgroundColor").toString().toStdString(), "rgb(255, 255, 255)");
}

}  // namespace
}  // namespace qd
