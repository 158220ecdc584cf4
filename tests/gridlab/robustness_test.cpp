// Whatever arrives on standard input, the console answers and leaves a
// result file: no crash, no hang.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "gridlab/batch_run.h"
#include "gridlab/console_session.h"
#include "temp_folder.h"

namespace qd::gridlab {
namespace {

std::string run(DeviceModel model, const std::string& input, const std::filesystem::path& folder) {
    std::istringstream in(input);
    std::ostringstream out, errors;
    EXPECT_EQ(run_batch(model, in, out, errors, folder), 0) << errors.str();
    return out.str();
}

TEST(MalformedInput, isAnsweredAndTheResultFileIsStillWritten) {
    std::string every_byte;
    for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
    using namespace std::string_literals;  // the NUL byte stays inside the input
    const std::string control_characters = "enable\nconf\x01 t\x7f\nhost\x1bname\x00R1\n\0"s;
    const struct {
        const char* name;
        std::string input;
    } cases[] = {
        {"a line of a million bytes", "enable\nconfigure terminal\nhostname " + std::string(1'000'000, 'a') + "\n"},
        {"a million bytes without a line end", std::string(1'000'000, 'x')},
        {"control characters", control_characters},
        {"every byte value, repeated", every_byte + every_byte + "\n" + every_byte},
        {"help and completion marks everywhere", "?\n??\nenable ?\nconf t\n?\nint ?\nint fa0/0 ?\nno ?\nno\n"},
        {"banner left open", "enable\nconf t\nbanner motd #never closed\n" + std::string(5000, 'y') + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempFolder folder;
        for (DeviceModel model : {DeviceModel::router, DeviceModel::access_switch}) {
            std::filesystem::remove(folder / "out.ini");  // each model must write its own
            run(model, c.input, folder.path());
            EXPECT_TRUE(testing::read_file(folder / "out.ini").starts_with("[general]\r\nhostname="));
        }
    }
}

TEST(MalformedInput, tenThousandMixedCommandsRunThrough) {
    const std::vector<std::string> words{
        "enable",   "conf",     "t",        "int",           "fa0/1",  "s0/0.5", "vlan", "10",      "no",   "shutdown",
        "ip",       "address",  "10.1.1.1", "255.255.255.0", "router", "ospf",   "1",    "network", "exit", "end",
        "show",     "run",      "?",        "access-list",   "permit", "any",    "line", "vty",     "0",    "4",
        "password", "\xff\xfe", "name",     "description",   "do",     "sh"};
    std::mt19937 random(15);
    std::string input;
    for (int i = 0; i < 10'000; ++i) {
        const int length = 1 + static_cast<int>(random() % 6);
        for (int w = 0; w < length; ++w) input += words[random() % words.size()] + (w + 1 < length ? " " : "\n");
    }
    testing::TempFolder folder;
    for (DeviceModel model : {DeviceModel::router, DeviceModel::access_switch}) {
        std::filesystem::remove(folder / "out.ini");
        const std::string output = run(model, input, folder.path());
        EXPECT_FALSE(output.empty());
        EXPECT_TRUE(testing::read_file(folder / "out.ini").starts_with("[general]\r\n"));
    }
}

TEST(MalformedInput, anUnwritableFolderIsReportedAndTheOldResultStays) {
    testing::TempFolder folder;
    testing::write_file(folder / "out.ini", "[general]\r\nhostname=Old\r\n");
    std::istringstream in("enable\n");
    std::ostringstream out, errors;
    EXPECT_EQ(run_batch(DeviceModel::router, in, out, errors, folder / "missing-folder"), 1);
    EXPECT_NE(errors.str().find("out.ini could not be written"), std::string::npos);
    EXPECT_EQ(testing::read_file(folder / "out.ini"), "[general]\r\nhostname=Old\r\n");
}

}  // namespace
}  // namespace qd::gridlab
