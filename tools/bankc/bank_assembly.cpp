#include "bank_assembly.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/text_file.h"
#include "platform/text_forms.h"
#include "question_checks.h"
#include "source_parser.h"

namespace bankc {
namespace fs = std::filesystem;
namespace {

// Two texts that differ only in letter case or spacing are the same question.
std::string comparable_text(const std::string& text) {
    std::string out;
    bool blank = false;
    for (char c : qd::to_lower_ascii(text)) {
        bool is_blank = c == ' ' || c == '\t';
        if (is_blank) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

class Assembler {
public:
    Assembler(const fs::path& sources, const fs::path& data) : sources_(sources), data_(data) {}

    Content run() {
        std::string manifest_text = qd::read_text_file(sources_ / "banks.txt");
        if (manifest_text.empty()) report("banks.txt", 0, "banks.txt is missing or empty");
        content_.manifests = parse_manifest(manifest_text, "banks.txt", content_.diagnostics);
        content_.simulator_keys = parse_simulator_keys(qd::read_text_file(sources_ / "simulator_keys.txt"));
        for (const auto& manifest : content_.manifests) {
            AssembledBank bank = manifest.parts.empty() ? assemble_part(manifest) : assemble_full(manifest);
            check_duplicates(bank);
            content_.banks.push_back(std::move(bank));
        }
        return std::move(content_);
    }

private:
    void report(const std::string& file, int line, std::string message) {
        content_.diagnostics.push_back({file, line, std::move(message)});
    }

    const SourceFile* load_file(const std::string& relative) {
        if (auto found = content_.files.find(relative); found != content_.files.end()) return &found->second;
        std::error_code error;
        if (!fs::is_regular_file(sources_ / relative, error)) {
            if (missing_.insert(relative).second) report("banks.txt", 0, "\"" + relative + "\" does not exist");
            return nullptr;
        }
        SourceFile file = parse_source_file(qd::read_text_file(sources_ / relative), relative, content_.diagnostics);
        return &content_.files.emplace(relative, std::move(file)).first->second;
    }

    // Every .qb file of a folder, in name order.
    std::vector<std::string> folder_files(const std::string& folder) {
        std::vector<std::string> names;
        // A folder without files yet (git keeps no empty folders) is an empty part.
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(sources_ / folder, error))
            if (entry.is_regular_file() && entry.path().extension() == ".qb")
                names.push_back(folder + "/" + entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The chapter files of a part exam, in chapter order.
    std::vector<const SourceFile*> chapters_of(const BankManifest& part) {
        std::vector<const SourceFile*> chapters;
        for (const auto& name : folder_files(part.chapters_folder)) {
            if (name == part.simulator_file) continue;
            const SourceFile* file = load_file(name);
            if (!file) continue;
            if (!file->has_header) {
                report(name, 1, "a chapter file needs the chapter, title and pages header");
                continue;
            }
            chapters.push_back(file);
        }
        std::stable_sort(chapters.begin(), chapters.end(), [](auto* a, auto* b) { return a->chapter < b->chapter; });
        for (std::size_t i = 1; i < chapters.size(); ++i)
            if (chapters[i]->chapter == chapters[i - 1]->chapter)
                report(chapters[i]->path, 1,
                       "chapter " + std::to_string(chapters[i]->chapter) + " is also " + chapters[i - 1]->path);
        return chapters;
    }

    CheckContext context(QuestionRole role, const SourceFile* chapter) const {
        CheckContext c;
        c.role = role;
        c.simulator_keys = &content_.simulator_keys;
        c.data_folder = data_;
        if (chapter) {
            c.first_page = chapter->first_page;
            c.last_page = chapter->last_page;
        }
        return c;
    }

    // Questions are checked once, where their file is first used.
    void check_once(const SourceFile& file, QuestionRole role, const SourceFile* chapter) {
        if (!checked_.insert(file.path).second) return;
        for (const auto& q : file.questions) check_question(q, context(role, chapter), content_.diagnostics);
    }

    void add_simulators(AssembledBank& bank, const BankManifest& part, int category) {
        if (part.simulator_file.empty()) {
            report("banks.txt", part.line, "bank " + part.module + " names no simulator file");
            return;
        }
        const SourceFile* sims = load_file(part.simulator_file);
        if (!sims) return;
        if (sims->has_header) report(sims->path, 1, "a simulator file has no chapter header");
        check_once(*sims, QuestionRole::simulator, nullptr);
        for (const auto& q : sims->questions) bank.questions.push_back({&q, category});
    }

    AssembledBank assemble_part(const BankManifest& manifest) {
        AssembledBank bank;
        bank.manifest = &manifest;
        for (const SourceFile* chapter : chapters_of(manifest)) {
            bank.category_names.push_back(std::to_string(chapter->chapter) + " - " + chapter->title);
            check_once(*chapter, QuestionRole::chapter, chapter);
            for (const auto& q : chapter->questions) bank.questions.push_back({&q, static_cast<int>(bank.category_names.size())});
        }
        bank.category_names.push_back(manifest.simulator_category);
        add_simulators(bank, manifest, static_cast<int>(bank.category_names.size()));
        return bank;
    }

    const BankManifest* find_part(const std::string& module) const {
        for (const auto& m : content_.manifests)
            if (m.module == module && m.parts.empty()) return &m;
        return nullptr;
    }

    AssembledBank assemble_full(const BankManifest& manifest) {
        AssembledBank bank;
        bank.manifest = &manifest;
        struct Placed {
            const BankManifest* part;
            const SourceFile* chapter;
            int category;
        };
        std::vector<Placed> placed;
        std::vector<const BankManifest*> parts;
        for (const auto& reference : manifest.parts) {
            const BankManifest* part = find_part(reference.module);
            if (!part) {
                report("banks.txt", manifest.line, "part \"" + reference.module + "\" is not a part-exam bank listed before it");
                continue;
            }
            parts.push_back(part);
            for (const SourceFile* chapter : chapters_of(*part)) {
                bank.category_names.push_back(reference.prefix + " " + std::to_string(chapter->chapter) + "-" + chapter->title);
                placed.push_back({part, chapter, static_cast<int>(bank.category_names.size())});
            }
        }
        const int simulator_category = static_cast<int>(bank.category_names.size()) + 1;
        bank.category_names.push_back(manifest.simulator_category);
        // Each part contributes its chapter questions, then its simulator questions.
        for (const BankManifest* part : parts) {
            for (const auto& p : placed)
                if (p.part == part)
                    for (const auto& q : p.chapter->questions) bank.questions.push_back({&q, p.category});
            add_simulators(bank, *part, simulator_category);
        }
        if (manifest.scenarios_folder.empty()) return bank;
        for (const auto& name : folder_files(manifest.scenarios_folder)) {
            const SourceFile* file = load_file(name);
            if (!file) continue;
            for (const auto& q : file->questions) {
                const Placed* target = nullptr;
                std::istringstream words(q.chapter);
                std::string folder;
                int number = 0;
                words >> folder >> number;
                for (const auto& p : placed)
                    if (p.part->chapters_folder == folder && p.chapter->chapter == number) target = &p;
                if (!target) {
                    report(name, q.chapter_line ? q.chapter_line : q.line,
                           q.chapter.empty() ? "a scenario question needs \"chapter: PART N\""
                                             : "category \"" + q.chapter + "\" is not a chapter of this bank");
                    check_question(q, context(QuestionRole::scenario, nullptr), content_.diagnostics);
                    continue;
                }
                check_question(q, context(QuestionRole::scenario, target->chapter), content_.diagnostics);
                bank.questions.push_back({&q, target->category});
            }
        }
        return bank;
    }

    void check_duplicates(const AssembledBank& bank) {
        std::map<std::string, const SourceQuestion*> seen;
        for (const auto& q : bank.questions) {
            auto [it, fresh] = seen.emplace(comparable_text(q.source->text), q.source);
            if (!fresh && it->second != q.source && reported_duplicates_.insert(q.source).second)
                report(q.source->file, q.source->line,
                       "duplicated question: the same text is at " + it->second->file + ":" + std::to_string(it->second->line));
        }
    }

    fs::path sources_;
    fs::path data_;
    Content content_;
    std::set<std::string> checked_;
    std::set<std::string> missing_;
    std::set<const SourceQuestion*> reported_duplicates_;
};

}  // namespace

std::set<std::string> parse_simulator_keys(const std::string& text) {
    std::set<std::string> keys;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::string_view trimmed = qd::trim_blanks(line);
        if (!trimmed.empty() && trimmed.back() == '\r') trimmed.remove_suffix(1);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        keys.insert(std::string(qd::trim_blanks(trimmed.substr(0, trimmed.find('|')))));
    }
    return keys;
}

Content load_content(const fs::path& sources, const fs::path& data_folder) { return Assembler(sources, data_folder).run(); }

}  // namespace bankc
