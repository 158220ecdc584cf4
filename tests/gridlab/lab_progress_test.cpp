// The console's work on a lab is never lost: out.ini follows every command
// that changes the configuration, a console started again for the same task
// continues, and a console whose task has gone writes nothing more.
#include <gtest/gtest.h>

#include "gridlab/console_session.h"
#include "gridlab/lab_progress.h"
#include "gridlab/result_file.h"
#include "temp_folder.h"

namespace qd::gridlab {
namespace {

class LabProgressTest : public ::testing::Test {
protected:
    // Types the lines as the console window does: each goes in, then is kept.
    void type(ConsoleSession& session, LabProgress& progress, const std::vector<std::string>& lines) {
        for (const auto& line : lines) {
            session.enter(line);
            EXPECT_EQ(progress.record(line, session.config()), std::nullopt) << line;
        }
    }
    std::string out_ini() { return testing::read_file(folder / "out.ini"); }
    // What the quiz does when it shows a lab: a new task, no result.
    void show_lab(const std::string& task) {
        testing::write_file(folder / "sim.txt", task + "\r\n");
        std::filesystem::remove(folder / "out.ini");
    }

    testing::TempFolder folder;
};

TEST_F(LabProgressTest, outIniFollowsEveryChangeAndAConsoleStartedAgainContinues) {
    show_lab("Name the router Branch1.");
    ConsoleSession first(DeviceModel::router);
    LabProgress progress(DeviceModel::router, folder.path());
    EXPECT_TRUE(progress.earlier_lines().empty());
    ASSERT_EQ(progress.save(first.config()), std::nullopt);
    EXPECT_EQ(out_ini(), result_file_text(first.config())) << "a console that was opened leaves its starting configuration";

    type(first, progress, {"enable", "conf t", "hostname Branch1"});
    EXPECT_EQ(out_ini(), result_file_text(first.config())) << "written before the console closes";
    type(first, progress, {"int fa0/0", "ip address 10.0.0.1 255.0.0.0"});
    first.end_configuration();
    EXPECT_EQ(progress.record("\x1a", first.config()), std::nullopt);
    type(first, progress, {"disable", "exit"});
    const std::string left = out_ini();

    // Started again for the same task: the earlier lines rebuild the configuration.
    LabProgress again(DeviceModel::router, folder.path());
    ConsoleSession second(DeviceModel::router);
    for (const auto& line : again.earlier_lines()) line == "\x1a" ? void(second.end_configuration()) : void(second.enter(line));
    second.return_to_console();
    EXPECT_EQ(second.prompt(), "Branch1>");
    EXPECT_EQ(result_file_text(second.config()), left);
    ASSERT_EQ(again.save(second.config()), std::nullopt);
    EXPECT_EQ(out_ini(), left) << "closing it again does not bring back the factory configuration";
    type(second, again, {"enable", "conf t", "hostname Branch2"});
    EXPECT_NE(out_ini().find("hostname=Branch2\r\n"), std::string::npos);
    EXPECT_EQ(LabProgress(DeviceModel::router, folder.path()).earlier_lines().size(), 11u);
}

TEST_F(LabProgressTest, aNewTaskStartsAfreshAndTheOldConsoleWritesNothingMore) {
    show_lab("Name the router Branch1.");
    ConsoleSession old_session(DeviceModel::router);
    LabProgress old_progress(DeviceModel::router, folder.path());
    type(old_session, old_progress, {"enable", "conf t", "hostname Branch1"});

    const struct {
        const char* what;
        std::function<void()> change;
    } next_tasks[] = {
        {"the next lab", [&] { show_lab("Name the switch SW1."); }},
        {"the same lab shown again", [&] { show_lab("Name the router Branch1."); }},
    };
    for (const auto& next : next_tasks) {
        SCOPED_TRACE(next.what);
        next.change();
        EXPECT_FALSE(old_progress.task_current());
        old_session.enter("hostname Stale");
        EXPECT_NE(old_progress.record("hostname Stale", old_session.config()), std::nullopt);
        EXPECT_FALSE(std::filesystem::exists(folder / "out.ini")) << "a stale console must not leave a result for the new task";
        EXPECT_TRUE(LabProgress(DeviceModel::router, folder.path()).earlier_lines().empty());
    }
    // The same task on the other model is another task.
    LabProgress router(DeviceModel::router, folder.path());
    ASSERT_EQ(router.save(old_session.config()), std::nullopt);
    EXPECT_TRUE(LabProgress(DeviceModel::access_switch, folder.path()).earlier_lines().empty());
}

}  // namespace
}  // namespace qd::gridlab
