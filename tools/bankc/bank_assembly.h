#pragma once
// Reads the whole sources folder and assembles the banks it describes.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bank_manifest.h"
#include "source_question.h"

namespace bankc {

struct AssembledQuestion {
    const SourceQuestion* source = nullptr;
    int category = 0;  // 1-based
};

struct AssembledBank {
    const BankManifest* manifest = nullptr;
    std::vector<std::string> category_names;  // category i is category_names[i - 1]
    std::vector<AssembledQuestion> questions;
};

struct Content {
    std::vector<BankManifest> manifests;
    std::map<std::string, SourceFile> files;  // by path relative to the sources folder
    std::set<std::string> simulator_keys;
    std::vector<AssembledBank> banks;
    std::vector<Diagnostic> diagnostics;
};

// Parses banks.txt, every .qb file it names and simulator_keys.txt, checks
// every question and assembles the banks. Problems land in diagnostics.
Content load_content(const std::filesystem::path& sources, const std::filesystem::path& data_folder);

std::set<std::string> parse_simulator_keys(const std::string& text);

}  // namespace bankc
