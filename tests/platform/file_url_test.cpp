#include <gtest/gtest.h>

#include "platform/file_url.h"

namespace qd {
namespace {

TEST(FileUrl, encodesWhatAnAddressWouldReadAsSomethingElse) {
    const struct {
        const char* path;
        const char* address;
    } cases[] = {
        {"/opt/quizdeck/EULA.txt", "file:///opt/quizdeck/EULA.txt"},
        {"/home/kim/C# notes/EULA.txt", "file:///home/kim/C%23%20notes/EULA.txt"},
        {"/home/kim/100% sure?/blank.htm", "file:///home/kim/100%25%20sure%3F/blank.htm"},
        {"/home/zo\xC3\xAB/ZI_ZE.pdf", "file:///home/zo%C3%AB/ZI_ZE.pdf"},
        {"/a/(b)+c,d;e=f@g:h~i!j$k&l'm*n/", "file:///a/(b)+c,d;e=f@g:h~i!j$k&l'm*n/"},
    };
    for (const auto& c : cases) EXPECT_EQ(file_url(c.path), c.address) << c.path;
}

}  // namespace
}  // namespace qd
