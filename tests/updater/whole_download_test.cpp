// Downloads from a real web server on 127.0.0.1: a download is trusted only
// when it is whole, whatever way the server fails.
#include <gtest/gtest.h>

#include <random>

#include "loopback_server.h"
#include "platform/curl/curl_transfer.h"
#include "temp_folder.h"
#include "updater/engine/whole_download.h"

namespace {

using qd::testing::LoopbackServer;
using qd::testing::TempFolder;

struct Outcome {
    std::string body;
    std::optional<std::int64_t> announced;
    std::optional<std::string> fault;
};

Outcome download(const std::string& url, const qd::DownloadRules& rules) {
    qd::CurlTransfer transfer;
    Outcome outcome;
    qd::DownloadHandlers handlers{.on_head = [&](std::optional<std::int64_t> length) { outcome.announced = length; },
                                  .on_piece = [&](std::string_view piece, std::int64_t) { outcome.body += piece; },
                                  .between_steps = [] {}};
    try {
        qd::download_whole(transfer, url, rules, handlers);
    } catch (const qd::DownloadFault& fault) {
        outcome.fault = fault.reason;
    }
    return outcome;
}

std::string random_bytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

class WholeDownload : public ::testing::Test {
protected:
    WholeDownload() {
        std::filesystem::create_directory(temp / "served");
        qd::testing::write_file(temp / "served" / "data.cmp", data);
    }

    TempFolder temp;
    const std::string data = random_bytes(300'000);
    LoopbackServer server{temp / "served"};
    qd::DownloadRules rules{.length_required = true,
                            .most_bytes = 400'000,
                            .times = {.stall = std::chrono::milliseconds(400), .settle = std::chrono::seconds(2)}};
};

TEST_F(WholeDownload, wholeBodyArrivesByteForByte) {
    Outcome outcome = download(server.url() + "data.cmp", rules);
    ASSERT_FALSE(outcome.fault) << *outcome.fault;
    EXPECT_EQ(outcome.announced, 300'000);
    EXPECT_TRUE(outcome.body == data);
}

TEST_F(WholeDownload, faultyServersAreRefused) {
    struct Case {
        const char* fault;
        const char* reason;
    };
    const Case cases[] = {
        {"truncated", "The connection ended after 150000 bytes of 300000 bytes."},
        {"long", "The server sent more than the 300000 bytes it announced."},
        {"endless", "The server sent more than the 300000 bytes it announced."},
        {"missing", "The server answered with status 404."},
        {"nolength", "The server's answer has no Content-Length."},
        {"stall", "Nothing arrived from the server for 0.4 seconds."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        server.set_fault("data.cmp", c.fault);
        Outcome outcome = download(server.url() + "data.cmp", rules);
        ASSERT_TRUE(outcome.fault);
        EXPECT_EQ(*outcome.fault, c.reason);
    }
}

TEST_F(WholeDownload, largerThanAllowedIsRefusedBeforeTheBody) {
    rules.most_bytes = 299'999;
    Outcome outcome = download(server.url() + "data.cmp", rules);
    ASSERT_TRUE(outcome.fault);
    EXPECT_EQ(*outcome.fault, "The server offers 300000 bytes, more than the 299999 bytes expected.");
    EXPECT_EQ(outcome.body, "");

    // Without a Content-Length the limit still holds for what arrives.
    server.set_fault("data.cmp", "nolength");
    rules.length_required = false;
    outcome = download(server.url() + "data.cmp", rules);
    ASSERT_TRUE(outcome.fault);
    EXPECT_EQ(*outcome.fault, "The server sent more than the 299999 bytes expected.");
}

TEST_F(WholeDownload, noServerIsAFault) {
    const qd::testing::ReservedPort nobody_listens;
    Outcome outcome = download("http://127.0.0.1:" + nobody_listens.text() + "/x.cmp", rules);
    ASSERT_TRUE(outcome.fault);
    EXPECT_TRUE(outcome.fault->starts_with("The transfer failed: ")) << *outcome.fault;
}

}  // namespace
