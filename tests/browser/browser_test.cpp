#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "gui_test.h"
#include "platform/webengine/webengine_browser.h"
#include "temp_folder.h"

namespace qd {
namespace {

const char* const kPage =
    "<html><body><form name=frm>"
    "<input type=radio name=radio1 value=V1 id=r1>A<br>"
    "<input type=radio name=radio1 value=V2 id=r2>B<br>"
    "<input type=checkbox name=ans1 value=1 id=c1>C<br>"
    "<input type=text name=txt_fill id=t1 value=\"x\">"
    "<a href=\"javascript:; void(' ');\" id=\"Exhibit1\">Exhibit</a>"
    "<script language=vbscript>document.frm.elements(0).focus</script>"
    "</form><img src=\"tab.png\" id=tab></body></html>";

// A browser in a shown window, with a page written and drawn.
class BrowserTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    void SetUp() override {
        browser_ = factory_.create();
        browser_->widget()->resize(600, 400);
        browser_->widget()->show();
        browser_->on_page_painted([this] { ++painted_; });
    }

    void write(const std::string& html) {
        const int before = painted_;
        ASSERT_TRUE(browser_->write_document(html, folder_.path().string()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return painted_ > before; }, 10000));
    }

    void click(const std::string& selector) {
        const auto centre = probe_of(*browser_).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QWidget* target = browser_->widget()->focusProxy() ? browser_->widget()->focusProxy() : browser_->widget();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    static const FormControl* control(const FormSnapshot& form, const std::string& name, const std::string& value) {
        for (const FormControl& c : form)
            if (c.name == name && c.value == value) return &c;
        return nullptr;
    }

    testing::TempFolder folder_;
    WebEngineBrowserFactory factory_;
    std::unique_ptr<Browser> browser_;
    int painted_ = 0;
};

TEST_F(BrowserTest, readForm_holdsEveryChangeMadeJustBefore) {
    write(kPage);
    FormSnapshot form = browser_->read_form();
    ASSERT_EQ(form.size(), 4u);
    EXPECT_FALSE(control(form, "radio1", "V2")->checked);

    click("#r2");
    click("#c1");
    click("#t1");
    QTest::keyClick(browser_->widget()->focusProxy(), Qt::Key_End);
    QTest::keyClicks(browser_->widget()->focusProxy(), "yz");
    form = browser_->read_form();  // at once, as the Next button does
    EXPECT_FALSE(control(form, "radio1", "V1")->checked);
    EXPECT_TRUE(control(form, "radio1", "V2")->checked);
    EXPECT_TRUE(control(form, "ans1", "1")->checked);
    EXPECT_EQ(control(form, "txt_fill", "xyz")->type, "text");
}

TEST_F(BrowserTest, hookedElement_callsBackOnClick_andANewDocumentDropsTheHook) {
    write(kPage);
    EXPECT_TRUE(browser_->has_element("Exhibit1"));
    EXPECT_FALSE(browser_->has_element("Exhibit2"));
    int clicks = 0;
    browser_->hook_click("Exhibit1", [&] { ++clicks; });
    click("#Exhibit1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }, 10000));

    write(kPage);
    click("#Exhibit1");
    click("#r1");  // a later event proves the click was handled and ignored
    ASSERT_TRUE(QTest::qWaitFor([&] { return control(browser_->read_form(), "radio1", "V1")->checked; }, 10000));
    EXPECT_EQ(clicks, 1);
}

TEST_F(BrowserTest, pageScript_runsInEveryDocument_andPrintingMakesAPdf) {
    browser_->set_page_script(
        "document.body.setAttribute('data-seen', document.forms['frm'] ? 'form' : 'none');"
        "document.forms['frm'].elements[1].checked = true;");
    write(kPage);
    EXPECT_TRUE(control(browser_->read_form(), "radio1", "V2")->checked);
    EXPECT_TRUE(probe_of(*browser_).element_center("body[data-seen=form]"));

    const auto pdf = folder_ / "page.pdf";
    ASSERT_TRUE(probe_of(*browser_).print_to_pdf(pdf.string()));
    EXPECT_EQ(testing::read_file(pdf).substr(0, 4), "%PDF");

    // A print dialog the user cancels is no printing failure.
    bool dialog_seen = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000));
        dialog_seen = true;
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    EXPECT_TRUE(browser_->print_with_dialog());
    EXPECT_TRUE(dialog_seen);
}

}  // namespace
}  // namespace qd
