// Installing one 32 MiB product from a web server on 127.0.0.1 the way the
// update utility does (download, SHA-256 check, decode, unpack, record),
// side by side with the same work done by hand: `curl -o`, `he3 decode` and
// `pck extract` of the same file. Prints the best of several runs of each.
//
// usage: install_bench [--runs N]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "platform/curl/curl_transfer.h"
#include "platform/ini_file.h"
#include "tools/publish/publish_update.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/engine/download_selected_updates.h"
#include "updater/engine/get_updates_ini.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "install_bench: %s\n", what.c_str());
    std::exit(1);
}

class Silent final : public qd::UpdateDisplay, public qd::UpdateFailureReport, public qd::Dialogs, public qd::ProgramStarter {
public:
    void set_bar(int) override {}
    void set_percent_label(const std::string&) override {}
    void process_pending_events() override {}
    void set_current_file(const std::string&) override {}
    void set_rate_text(const std::string&) override {}
    void hide_rate() override {}
    void set_status_caption(const std::string&) override {}
    void start_transfer_clock() override { started_ = Clock::now(); }
    void stop_transfer_clock() override {}
    float elapsed_seconds() const override { return std::chrono::duration<float>(Clock::now() - started_).count(); }
    void show_error_message(const std::string& text) override { die(text); }
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override { die(text); }
    qd::DialogAnswer message(const std::string&, const std::string&, qd::DialogButtons, qd::DialogIcon) override {
        return qd::DialogAnswer::ok;
    }
    std::string input(const std::string&, const std::string&, const std::string&) override { return {}; }
    int choose(const std::string&, const std::string&, const std::vector<std::string>&, int safe_choice) override {
        return safe_choice;
    }
    bool start(const std::string&, const std::vector<std::string>&, const std::string&) override { return true; }

private:
    Clock::time_point started_;
};

// 32 files of 1 MiB: words of a router configuration with runs and some
// binary bytes, so the product compresses about as real content does.
void make_product(const fs::path& folder) {
    std::mt19937 random(11);
    const std::string words[] = {"interface ",
                                 "router ospf 1\n",
                                 " network 10.0.0.0 0.255.255.255 area 0\n",
                                 "vlan ",
                                 "switchport mode access\n",
                                 "  ",
                                 "255.255.255.0\n",
                                 "!\n"};
    for (int i = 0; i < 32; ++i) {
        std::string bytes;
        while (bytes.size() < (1 << 20)) {
            if (random() % 8 == 0) bytes.push_back(static_cast<char>(random()));
            else bytes += words[random() % std::size(words)];
        }
        bytes.resize(1 << 20);
        fs::create_directories(folder / ("part" + std::to_string(i % 4)));
        std::ofstream(folder / ("part" + std::to_string(i % 4)) / ("file" + std::to_string(i) + ".bin"), std::ios::binary) << bytes;
    }
}

struct Server {
    pid_t pid = -1;
    int port = 0;
    ~Server() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

void start_server(Server& server, const fs::path& folder) {
    int ends[2];
    if (::pipe(ends) != 0) die("pipe");
    server.pid = ::fork();
    if (server.pid == 0) {
        ::dup2(ends[1], STDOUT_FILENO);
        ::execlp(QD_PYTHON3, QD_PYTHON3, QUIZDECK_SOURCE_DIR "/tests/updater/loopback_server.py", folder.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(ends[1]);
    char line[32] = {};
    if (::read(ends[0], line, sizeof line - 1) <= 0) die("the loopback server did not start");
    server.port = std::atoi(line);
}

void reset_program_folder(const fs::path& program, const std::string& url) {
    fs::remove_all(program);
    fs::create_directories(program);
    std::ofstream(program / "updates.ini", std::ios::binary) << "[general]\r\nurl=" << url << "\r\nnumberofproducts=0\r\n";
}

double install_with_the_utility(const fs::path& program, const std::string& url) {
    reset_program_folder(program, url);
    Silent silent;
    qd::CurlTransfer transfer;
    qd::clsHuffman codec;
    const auto start = Clock::now();
    qd::UpdateRun run;
    run.program_folder = program.string() + "/";
    run.addresses = qd::GetUpdatesINI(
        program, transfer, {}, [] {}, silent);
    run.lists = qd::Read_Updates_Ini(program, silent);
    for (qd::ProductEntry& entry : run.lists.offered) entry.selected = true;
    qd::EngineServices services{transfer, silent, silent, silent, silent, codec, [] { return true; }, {}};
    qd::DownloadSelectedUpdates(run, services);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!fs::exists(program / "part3" / "file31.bin")) die("the utility did not install the product");
    return seconds;
}

double install_by_hand(const fs::path& work, const std::string& url) {
    fs::remove_all(work);
    fs::create_directories(work / "out");
    const std::string w = work.string();
    const std::string command = "curl -s -f -o " + w + "/p.cmp " + url + "product.cmp && " HE3_PROGRAM " decode " + w + "/p.cmp " +
                                w + "/p.pck && " PCK_PROGRAM " extract " + w + "/p.pck " + w + "/out";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) die("by hand: " + command);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!fs::exists(work / "out" / "part3" / "file31.bin")) die("the tools did not extract the product");
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc == 3 && std::string_view(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    else if (argc != 1) {
        std::fputs("usage: install_bench [--runs N]\n", stderr);
        return 2;
    }
    const fs::path root = fs::temp_directory_path() / ("install_bench." + std::to_string(::getpid()));
    fs::create_directories(root / "served");
    make_product(root / "product");
    qd::PublishResult published = qd::publish_update({root / "product", root / "served", "product", "1", "", "2026-12-10"});
    Server server;
    start_server(server, root / "served");
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port) + "/";

    double utility = 1e30;
    double by_hand = 1e30;
    for (int i = 0; i < runs; ++i) {
        // Alternated, so both meet the same state of the machine.
        utility = std::min(utility, install_with_the_utility(root / "program", url));
        by_hand = std::min(by_hand, install_by_hand(root / "hand", url));
    }
    fs::remove_all(root);
    std::printf("product: 32 MiB in 32 files, %d KB to download\n", published.size_kilobytes);
    std::printf("  update utility (download, SHA-256, decode, unpack, record): %7.1f ms\n", utility * 1e3);
    std::printf("  curl -o + he3 decode + pck extract:                       %7.1f ms\n", by_hand * 1e3);
    std::printf("  ratio: %.2f (best of %d runs each)\n", utility / by_hand, runs);
    return 0;
}
