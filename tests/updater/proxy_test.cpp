// The catalogue fetched through real proxies started on loopback ports: an
// HTTP proxy with basic authentication (tinyproxy), SOCKS5 with user name and
// password (microsocks) and SOCKS4 (dante). Each shows in its own log that
// the request went through it, and refused credentials end in the failure
// report.
#include <gtest/gtest.h>

#include "child_process.h"
#include "platform/curl/curl_transfer.h"
#include "update_doubles.h"
#include "update_world.h"
#include "updater/engine/get_updates_ini.h"
#include "updater/engine/set_inet_variables.h"

namespace {

using namespace std::chrono_literals;
using qd::testing::ChildProcess;
using qd::testing::read_file;
using qd::testing::reported_by;
using qd::testing::write_file;

class Proxies : public ::testing::Test {
protected:
    Proxies() { world.publish("core", {{"core.txt", "core"}}); }

    // The catalogue fetch through the proxy on `port`: nothing, or the failure reported.
    std::optional<std::string> fetch(int mode, const std::string& user, const std::string& password) {
        qd::CurlTransfer transfer;
        qd::SetInetVariables(transfer, {mode, "127.0.0.1", port.text(), user, password});
        qd::testing::ThrowingFailureReport failures;
        return reported_by([&] {
            qd::GetUpdatesINI(
                world.program(), transfer, {}, [] {}, failures);
        });
    }

    bool fetched() const { return read_file(world.program() / "updates.temp.ini") == read_file(world.served() / "updates.ini"); }

    // The request the proxy must have made for the catalogue.
    std::string catalogue_target() const { return "127.0.0.1:" + std::to_string(world.server.port()); }

    qd::testing::UpdateWorld world;
    const qd::testing::ReservedPort port;
    const std::filesystem::path folder = world.temp.path();
};

TEST_F(Proxies, normalIsAnHttpProxyWithBasicAuthentication) {
    const auto log = folder / "tinyproxy.log";
    write_file(folder / "tinyproxy.conf", "Port " + port.text() + "\nListen 127.0.0.1\nTimeout 30\nLogFile \"" + log.string() +
                                              "\"\nLogLevel Info\nBasicAuth ann secret\nAllow 127.0.0.1\n");
    ChildProcess proxy({"tinyproxy", "-d", "-c", (folder / "tinyproxy.conf").string()});
    ASSERT_TRUE(qd::testing::wait_for_port(port.number(), 10s));

    EXPECT_EQ(fetch(1, "ann", "secret"), std::nullopt);
    EXPECT_TRUE(fetched());
    EXPECT_NE(read_file(log).find("GET http://" + catalogue_target() + "/updates.ini"), std::string::npos);
    EXPECT_NE(world.server.log().find("(tinyproxy/"), std::string::npos) << world.server.log();

    std::optional<std::string> refused = fetch(1, "ann", "wrong");
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->starts_with("Could not retrieve update list\nThe server answered with status 40")) << *refused;
}

TEST_F(Proxies, socks5SendsUserNameAndPassword) {
    ChildProcess proxy({"microsocks", "-i", "127.0.0.1", "-p", port.text(), "-u", "ann", "-P", "secret"});
    ASSERT_TRUE(qd::testing::wait_for_port(port.number(), 10s));

    EXPECT_EQ(fetch(3, "ann", "secret"), std::nullopt);
    EXPECT_TRUE(fetched());
    // microsocks names every connection it makes for a client.
    std::optional<std::string> line;
    do line = proxy.read_line(5s);
    while (line && line->find("connected to") == std::string::npos);
    ASSERT_TRUE(line);
    EXPECT_NE(line->find("connected to " + catalogue_target()), std::string::npos) << *line;

    std::optional<std::string> refused = fetch(3, "ann", "wrong");
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->starts_with("Could not retrieve update list\nThe transfer failed: ")) << *refused;
}

TEST_F(Proxies, socks4SendsTheUserId) {
    const auto log = folder / "danted.log";
    write_file(folder / "danted.conf", "logoutput: " + log.string() + "\ninternal: 127.0.0.1 port = " + port.text() +
                                           "\nexternal: 127.0.0.1\nclientmethod: none\nsocksmethod: none\n"
                                           "user.privileged: root\nuser.unprivileged: nobody\n"
                                           "client pass {\n from: 127.0.0.0/8 to: 0.0.0.0/0\n log: connect error\n}\n"
                                           "socks pass {\n from: 127.0.0.0/8 to: 0.0.0.0/0\n command: connect\n"
                                           " log: connect error\n}\n");
    ChildProcess proxy({"danted", "-f", (folder / "danted.conf").string(), "-N", "1"});
    ASSERT_TRUE(qd::testing::wait_for_port(port.number(), 10s));

    EXPECT_EQ(fetch(2, "ann", "ignored"), std::nullopt);
    EXPECT_TRUE(fetched());
    // dante logs each relayed connection with the address it connected to.
    const std::string relayed = read_file(log);
    EXPECT_NE(relayed.find("tcp/connect [: "), std::string::npos) << relayed;
    EXPECT_NE(relayed.find(" 127.0.0.1." + std::to_string(world.server.port())), std::string::npos) << relayed;

    // SOCKS4 carries no password; a proxy that is not there is the failure to show.
    proxy.stop();
    std::optional<std::string> refused = fetch(2, "ann", "");
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->starts_with("Could not retrieve update list\nThe transfer failed: ")) << *refused;
}

}  // namespace
