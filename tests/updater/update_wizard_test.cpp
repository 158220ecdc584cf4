// The update wizard offscreen, against a real web server on 127.0.0.1: the
// pages in order, the proxy form, ticking rows, a download of two products
// with its progress, and a run whose second product arrives damaged.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <random>

#include "gui_test.h"
#include "platform/curl/curl_transfer.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "update_world.h"
#include "updater/wizard/frm_available_window.h"

namespace {

namespace fs = std::filesystem;
using qd::testing::read_file;
using qd::testing::write_file;

constexpr const char* kTitle = "Palvera Press Updates";

// Thrown where the real program ends its process.
struct ProcessEnded {
    int status;
};

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 64);
    return bytes;
}

struct WizardWorld {
    WizardWorld() {
        world.publish("core", {{"core.bin", core_bytes}});
        world.publish("sims", {{"lab1.txt", sims_bytes}}, "sims");
    }

    template <typename T>
    T* find(const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found) ADD_FAILURE() << "no control " << name;
        return found;
    }

    bool recorded(const std::string& name) const {
        const qd::IniContents local = world.local_catalogue().read();
        for (int i = 1; i <= local.get_int("general", "numberofproducts", 0); ++i)
            if (local.get_string("product" + std::to_string(i), "name", "", 256) == name) return true;
        return false;
    }

    QApplication& application = qd::testing::gui_application();  // before any widget
    const std::string core_bytes = random_bytes(400'000, 1);
    const std::string sims_bytes = random_bytes(200'000, 2);
    qd::testing::UpdateWorld world;
    qd::CurlTransfer transfer;
    qd::testing::ScriptedDialogs dialogs;
    qd::testing::RecordingShell shell;
    qd::testing::RecordingStarter starter;
    qd::testing::FakeTopWindows top_windows;
    qd::FrmAvailableWindow window{
        {transfer, dialogs, shell, starter, top_windows, [](int status) { throw ProcessEnded{status}; }, world.program_folder(), {}}};
};

void click_cell(QTableWidget* grid, int row, int column) {
    QApplication::processEvents();  // the grid has its size once the pending layout has run
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, column)).center());
}

// The visible, actionable controls as a screen reader meets them: role and name.
std::vector<std::string> actions_of(QWidget& window) {
    std::vector<std::string> actions;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (!child || child->state().invisible || child->state().disabled) continue;
            const QAccessible::Role role = child->role();
            if (role == QAccessible::PushButton || role == QAccessible::ComboBox || role == QAccessible::EditableText ||
                role == QAccessible::RadioButton || role == QAccessible::Table) {
                EXPECT_TRUE(child->state().focusable) << child->text(QAccessible::Name).toStdString();
                actions.push_back(std::to_string(role) + " " + child->text(QAccessible::Name).toStdString());
            } else {
                walk(child);
            }
        }
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    return actions;
}

std::string role(QAccessible::Role value, const char* name) { return std::to_string(value) + " " + name; }

TEST(UpdateWizard, pagesInOrderTickingAndADownloadOfTwoProducts) {
    WizardWorld w;
    w.window.show();
    EXPECT_EQ(w.window.windowTitle().toStdString(), kTitle);

    // Internet options: the proxy fields follow the mode, and keep their texts.
    auto* proxy = w.find<QComboBox>("cmb_proxy");
    ASSERT_EQ(proxy->count(), 4);
    EXPECT_EQ(proxy->currentText(), "None");
    auto* user = w.find<QLineEdit>("txt_username");
    auto* password = w.find<QLineEdit>("txt_password");
    auto* address = w.find<QLineEdit>("txt_proxyip");
    EXPECT_FALSE(address->isEnabled());
    proxy->setCurrentIndex(3);
    EXPECT_TRUE(address->isEnabled() && user->isEnabled() && password->isEnabled());
    EXPECT_EQ(password->palette().color(QPalette::Base), QColor(Qt::white));
    user->setText("ann");
    proxy->setCurrentIndex(2);
    EXPECT_TRUE(user->isEnabled());
    EXPECT_FALSE(password->isEnabled());
    proxy->setCurrentIndex(0);
    EXPECT_FALSE(address->isEnabled() || user->isEnabled() || password->isEnabled());
    EXPECT_NE(user->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(user->text(), "ann");
    EXPECT_EQ(actions_of(w.window),
              (std::vector<std::string>{role(QAccessible::ComboBox, "None"), role(QAccessible::PushButton, "Next >>"),
                                        role(QAccessible::PushButton, "Exit")}));
    for (const char* hidden : {"fra_connecting", "fra_dlspeed", "fra_download"})
        EXPECT_FALSE(w.find<QGroupBox>(hidden)->isVisible()) << hidden;
    EXPECT_FALSE(w.find<QPushButton>("cmd_downloadNext")->isVisible());

    // Enter takes the default button: the catalogue is fetched and the grid filled.
    proxy->setFocus();
    QTest::keyClick(proxy, Qt::Key_Return);
    auto* grid = w.find<QTableWidget>("MSFlexGrid1");
    ASSERT_TRUE(grid->isVisible());
    EXPECT_FALSE(w.find<QGroupBox>("fra_start")->isVisible());
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 1)->text(), "core");
    EXPECT_EQ(grid->item(1, 2)->text(), "2");
    EXPECT_TRUE(w.find<QLabel>("lbl_selectupdates")->text().startsWith("The Palvera Press Updates utility has found"));
    EXPECT_TRUE(w.find<QRadioButton>("opt_56k")->isChecked());
    EXPECT_EQ(actions_of(w.window),
              (std::vector<std::string>{role(QAccessible::Table, "Available updates"), role(QAccessible::RadioButton, "56K"),
                                        role(QAccessible::RadioButton, "Cable/DSL"), role(QAccessible::RadioButton, "T1/LAN"),
                                        role(QAccessible::PushButton, "Next >>"), role(QAccessible::PushButton, "Exit")}));

    // The tick box is drawn once, centred in its cell: the margin beside it is plain background.
    const QRect cell = grid->visualRect(grid->model()->index(1, 0));
    const QImage shot = grid->viewport()->grab(cell).toImage();
    const int margin = (cell.width() - w.find<QLabel>("picChecked")->pixmap().deviceIndependentSize().toSize().width()) / 2;
    for (int y = 1; y < shot.height() - 1; ++y)
        for (int x = 1; x < margin - 1; ++x) ASSERT_EQ(shot.pixel(x, y), shot.pixel(1, 1)) << x << "," << y;

    auto* total = w.find<QLabel>("lbl_totdlsizebytes");
    auto* time = w.find<QLabel>("lbl_totdltime");
    auto* unit = w.find<QLabel>("lbl_SecOrMin");
    const int core_size = w.window.run().lists.offered[0].size;
    const int sims_size = w.window.run().lists.offered[1].size;
    EXPECT_EQ(total->text().toInt(), core_size + sims_size);
    const QString all_time = time->text();
    const QString all_unit = unit->text();

    // Unticking and ticking a row restores the total and the estimate exactly.
    click_cell(grid, 0, 0);
    EXPECT_EQ(total->text().toInt(), sims_size);
    EXPECT_FALSE(w.window.run().lists.offered[0].selected);
    EXPECT_NE(time->text() + unit->text(), all_time + all_unit);
    click_cell(grid, 0, 1);  // a click beside the tick box changes nothing
    EXPECT_EQ(total->text().toInt(), sims_size);
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    QTest::keyClick(grid, Qt::Key_Space);  // the keyboard ticks the row
    EXPECT_EQ(total->text().toInt(), core_size + sims_size);
    EXPECT_EQ(time->text(), all_time);
    EXPECT_EQ(unit->text(), all_unit);
    EXPECT_TRUE(w.window.run().lists.offered[0].selected);

    // Download status: progress moves, both products arrive and are recorded.
    std::vector<int> bar_values;
    QObject::connect(w.find<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged,
                     [&](int value) { bar_values.push_back(value); });
    w.dialogs.expect_message("Files have been updated", kTitle);
    QTest::mouseClick(w.find<QPushButton>("cmd_availableNext"), Qt::LeftButton);
    EXPECT_TRUE(w.find<QGroupBox>("fra_download")->isVisible());
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(read_file(w.world.program() / "core.bin"), w.core_bytes);
    EXPECT_EQ(read_file(w.world.program() / "sims" / "lab1.txt"), w.sims_bytes);
    EXPECT_TRUE(w.recorded("core"));
    EXPECT_TRUE(w.recorded("sims"));
    EXPECT_TRUE(std::any_of(bar_values.begin(), bar_values.end(), [](int v) { return v > 0 && v < 100; }));
    EXPECT_EQ(bar_values.back(), 100);
    EXPECT_EQ(w.find<QLabel>("lbl_PercentValue")->text(), "100%");
    auto* finish = w.find<QPushButton>("cmd_finish");
    EXPECT_TRUE(finish->isVisible() && finish->isEnabled() && finish->isDefault());
}

// A product the catalogue gives an unusable folder is shown as not
// installable, with the reason, and never ticked; the others install.
TEST(UpdateWizard, anUnsafeProductIsRefusedAloneAndTheOthersInstall) {
    WizardWorld w;
    w.world.publish("labs", {{"lab9.txt", "lab nine"}}, "labs");
    qd::IniFile(w.world.served() / "updates.ini").write_string("product2", "path", "sims|2\\");
    w.window.show();
    QTest::keyClick(w.find<QComboBox>("cmb_proxy"), Qt::Key_Return);
    auto* grid = w.find<QTableWidget>("MSFlexGrid1");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(1, 1)->text().toStdString(),
              "sims (not installable: its folder \"sims|2\\\" holds a character no file name may hold)");
    EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(w.window.run().lists.offered[1].selected);
    click_cell(grid, 1, 0);
    EXPECT_FALSE(w.window.run().lists.offered[1].selected) << "a refused row is never ticked";
    const auto& offered = w.window.run().lists.offered;
    EXPECT_EQ(w.find<QLabel>("lbl_totdlsizebytes")->text().toInt(), offered[0].size + offered[2].size);

    w.dialogs.expect_message("Files have been updated", kTitle);
    QTest::mouseClick(w.find<QPushButton>("cmd_availableNext"), Qt::LeftButton);
    EXPECT_TRUE(w.recorded("core"));
    EXPECT_TRUE(w.recorded("labs"));
    EXPECT_FALSE(w.recorded("sims"));
    EXPECT_EQ(read_file(w.world.program() / "labs" / "lab9.txt"), "lab nine");
    EXPECT_EQ(w.world.server.log().find("sims.cmp"), std::string::npos);
}

// The second product's file on the server was cut short when it was put
// there: it arrives whole, but is not the file the catalogue names.
TEST(UpdateWizard, damagedSecondProductLeavesTheFirstInstalled) {
    WizardWorld w;
    const std::string sims_file = read_file(w.world.served() / "sims.cmp");
    write_file(w.world.served() / "sims.cmp", sims_file.substr(0, sims_file.size() / 2));
    w.window.show();
    w.window.cmd_startnext_Click();
    w.dialogs.expect_message(
        "An error has occurred before updates could be installed:\nError Downloading Updates\n"
        "sims.cmp is not the file the update list names (its SHA-256 differs).\n"
        "Would you like to manually download the updates?",
        kTitle, qd::DialogAnswer::no);
    w.dialogs.expect_message(
        "Palvera Press Updates has not completed updating your files.\nPlease run Updates again "
        "or download the manual updates from\nhttps://manual.example/updates.htm",
        kTitle);
    try {
        w.window.cmd_availableNext_Click();
        ADD_FAILURE() << "the failure did not end the program";
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(ended.status, qd::kEndedByFailure);
    }
    EXPECT_EQ(read_file(w.world.program() / "core.bin"), w.core_bytes);
    EXPECT_TRUE(w.recorded("core"));
    EXPECT_FALSE(fs::exists(w.world.program() / "sims" / "lab1.txt"));
    EXPECT_FALSE(w.recorded("sims"));
    EXPECT_TRUE(w.shell.opened.empty());
}

TEST(UpdateWizard, failureReportOffersTheManualDownloadPage) {
    WizardWorld w;
    w.world.server.set_fault("updates.ini", "missing");
    w.dialogs.expect_message(
        "An error has occurred before updates could be installed:\nCould not retrieve update "
        "list\nThe server answered with status 404.\nWould you like to manually download the updates?",
        kTitle, qd::DialogAnswer::yes);
    EXPECT_THROW(w.window.cmd_startnext_Click(), ProcessEnded);
    ASSERT_EQ(w.shell.opened.size(), 1u);
    EXPECT_EQ(w.shell.opened[0].first, "https://manual.example/updates.htm");
    EXPECT_TRUE(w.find<QPushButton>("cmd_finish")->isEnabled());
}

TEST(UpdateWizard, noUpdatesLeavesOnlyExit) {
    WizardWorld w;
    w.world.local_catalogue().write_string("general", "numberofproducts", "2");
    for (const char* section : {"product1", "product2"}) w.world.local_catalogue().write_string(section, "version", "9");
    w.world.local_catalogue().write_string("product1", "name", "core");
    w.world.local_catalogue().write_string("product2", "name", "sims");
    w.dialogs.expect_message("There are currently no updates available", kTitle);
    w.window.show();
    w.window.cmd_startnext_Click();
    EXPECT_EQ(w.find<QLabel>("lbl_selectupdates")->text(),
              "There are currently no updates to select.  Click Exit to close the program.");
    EXPECT_FALSE(w.find<QPushButton>("cmd_availableNext")->isEnabled());
    EXPECT_TRUE(w.find<QPushButton>("cmd_finish")->isDefault());
}

}  // namespace
