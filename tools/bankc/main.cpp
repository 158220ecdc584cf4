// bankc: checks the question-bank sources and compiles them into C++ tables.
//
//   bankc [--out FILE.cpp] [--stats] [--check FILE.qb]... SOURCES_FOLDER DATA_FOLDER
//
// Without --check every problem is reported; with it (once per file) only the
// problems in the named files, given as paths or relative to the sources folder.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "bank_assembly.h"
#include "bank_writer.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: bankc [--out FILE.cpp] [--stats] [--check FILE.qb]... SOURCES_FOLDER DATA_FOLDER\n";
    return 2;
}

// Writes only when the text changed, so an unchanged bank does not rebuild the program.
bool write_if_changed(const fs::path& file, const std::string& text) {
    std::ifstream old(file, std::ios::binary);
    std::string current((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
    if (old.is_open() && current == text) return true;
    old.close();
    fs::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code error;
    fs::rename(temporary, file, error);
    return !error;
}

std::string relative_to(const fs::path& sources, const std::string& given) {
    std::error_code error;
    fs::path absolute = fs::weakly_canonical(fs::absolute(given), error);
    fs::path root = fs::weakly_canonical(fs::absolute(sources), error);
    fs::path relative = absolute.lexically_relative(root);
    return relative.empty() || relative.native().rfind("..", 0) == 0 ? given : relative.generic_string();
}

}  // namespace

int main(int argc, char** argv) {
    std::string out_file;
    bool stats = false;
    std::set<std::string> check_files;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) out_file = argv[++i];
        else if (arg == "--check" && i + 1 < argc) check_files.insert(argv[++i]);
        else if (arg == "--stats") stats = true;
        else if (arg.rfind("--", 0) == 0) return usage();
        else positional.push_back(arg);
    }
    if (positional.size() != 2) return usage();
    const fs::path sources = positional[0], data = positional[1];

    bankc::Content content = bankc::load_content(sources, data);
    std::set<std::string> wanted;
    for (const auto& file : check_files) wanted.insert(relative_to(sources, file));

    int problems = 0;
    for (const auto& d : content.diagnostics) {
        if (!wanted.empty() && !wanted.count(d.file)) continue;
        std::cerr << (sources / d.file).string() << ":" << d.line << ": " << d.message << "\n";
        ++problems;
    }
    if (stats) std::cout << bankc::write_stats(content.banks);
    if (problems) {
        std::cerr << "bankc: " << problems << " problem" << (problems == 1 ? "" : "s") << "\n";
        return 1;
    }
    if (!out_file.empty() && !write_if_changed(out_file, bankc::write_cpp(content.banks))) {
        std::cerr << "bankc: cannot write " << out_file << "\n";
        return 1;
    }
    return 0;
}
