// The he3 command line: results, exit status, the codec's error texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace {

using qd::testing::read_file;
using qd::testing::write_file;

class He3Tool : public ::testing::Test {
protected:
    // Exit status of he3 with the arguments; its output goes to out.txt and err.txt.
    int he3(const std::string& arguments) {
        std::string command = std::string(HE3_TOOL_PATH) + " " + arguments + " >out.txt 2>err.txt";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    qd::testing::TempFolder folder;
};

TEST_F(He3Tool, encodesDecodesAndDescribes) {
    write_file("in.pck", std::string(4000, 'a') + std::string(1000, 'b'));
    ASSERT_EQ(he3("encode in.pck in.cmp"), 0);
    ASSERT_EQ(he3("decode in.cmp back.pck"), 0);
    EXPECT_EQ(read_file("back.pck"), read_file("in.pck"));
    ASSERT_EQ(he3("info in.cmp"), 0);
    std::string info = read_file("out.txt");
    EXPECT_NE(info.find("form: compressed"), std::string::npos) << info;
    EXPECT_NE(info.find("length: 5000"), std::string::npos) << info;
    EXPECT_NE(info.find("symbols: 2"), std::string::npos) << info;
    EXPECT_NE(info.find("longest code: 1 bits"), std::string::npos) << info;
}

TEST_F(He3Tool, failuresPrintTheCodecTextAndWriteNothing) {
    write_file("broken.cmp", "HE3\r broken");
    struct Case {
        const char* arguments;
        const char* text;
    };
    for (const Case& c : {Case{"decode broken.cmp out.pck", "Error Decoding File"}, Case{"info broken.cmp", "Error Decoding File"},
                          Case{"encode absent.pck out.pck", "Source file does not exist"},
                          Case{"decode absent.cmp out.pck", "Source file does not exist"}}) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(he3(c.arguments), 1);
        EXPECT_EQ(read_file("err.txt"), std::string(c.text) + "\n");
        EXPECT_FALSE(std::filesystem::exists("out.pck"));
    }
    EXPECT_EQ(he3("unpack x"), 2);
}

}  // namespace
