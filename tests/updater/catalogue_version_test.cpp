#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "updater/catalogue/catalogue_version.h"

namespace {

using qd::catalogue_version_text;
using qd::parse_catalogue_version;

TEST(CatalogueVersionTest, parse_acceptsDecimalNumbersOnly) {
    struct Case {
        std::string text;
        std::optional<float> expected;
    };
    const std::vector<Case> cases = {
        {"1.5", 1.5f},
        {" 2 ", 2.0f},
        {"1.10", 1.1f},
        {"+3", 3.0f},
        {"-1", -1.0f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"1e1", 10.0f},
        {"0", 0.0f},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1,5", std::nullopt},
        {"1.5x", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e39", std::nullopt},
        {"e5", std::nullopt},
        {"1e", std::nullopt},
        {"<no verson>", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(parse_catalogue_version(c.text), c.expected);
    }
}

TEST(CatalogueVersionTest, text_isTheShortestThatReadsBack) {
    struct Case {
        float version;
        std::string expected;
    };
    const std::vector<Case> cases = {{1.5f, "1.5"}, {2.0f, "2"}, {1.1f, "1.1"}, {0.1f, "0.1"}, {10.25f, "10.25"}, {0.0f, "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(catalogue_version_text(c.version), c.expected);
        EXPECT_EQ(parse_catalogue_version(catalogue_version_text(c.version)), c.version);
    }
}

}  // namespace
