// Reading and comparing the two catalogues of a large product line: a local
// and a remote "updates.ini" of 1,000 products each, the remote one with every
// other product newer. Prints the best of several runs in milliseconds.
//
// usage: catalogue_bench [--runs N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "updater/catalogue/read_updates_ini.h"

namespace {

namespace fs = std::filesystem;

constexpr int products = 1000;

class AbortingReport final : public qd::UpdateFailureReport {
public:
    void show_error_message(const std::string& text) override { fail(text); }
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override { fail(text); }

private:
    [[noreturn]] static void fail(const std::string& text) {
        std::fprintf(stderr, "catalogue_bench: the catalogue was refused: %s\n", text.c_str());
        std::exit(1);
    }
};

void write_catalogue(const fs::path& file, bool remote) {
    std::ofstream out(file, std::ios::binary);
    out << "[general]\r\nnumberofproducts=" << products << "\r\nurl=http://127.0.0.1/\r\n";
    for (int i = 1; i <= products; ++i) {
        const bool newer = remote && i % 2 == 0;
        out << "[product" << i << "]\r\nname=product_" << i << "\r\nversion=" << (newer ? "2.5" : "2") << "\r\ndate=2026-12-"
            << (i % 28 + 1) << "\r\nsize=" << i % 30 << "\r\npath=part" << i % 7 << "\\\r\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 20;
    if (argc == 3 && std::string_view(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    else if (argc != 1) {
        std::fputs("usage: catalogue_bench [--runs N]\n", stderr);
        return 2;
    }
    const fs::path folder = fs::temp_directory_path() / ("catalogue_bench." + std::to_string(::getpid()));
    fs::create_directories(folder);
    write_catalogue(folder / "updates.ini", false);
    write_catalogue(folder / "updates.temp.ini", true);

    AbortingReport failures;
    double best = 1e30;
    std::size_t offered = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        qd::CatalogueLists lists = qd::Read_Updates_Ini(folder, failures);
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        offered = lists.offered.size();
    }
    fs::remove_all(folder);
    std::printf("read and compare %d + %d products (%zu offered): %.2f ms, best of %d\n", products, products, offered, best, runs);
    return 0;
}
