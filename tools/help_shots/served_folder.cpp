#include "tools/help_shots/served_folder.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#include "tools/publish/publish_update.h"

namespace qd {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> file_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One answer, complete on its first step: the head, then the whole body.
class WholeFileRequest final : public Request {
public:
    explicit WholeFileRequest(std::optional<std::string> body) : found_(body.has_value()), body_(std::move(body).value_or("")) {}

    RequestState advance(std::chrono::milliseconds) override {
        RequestState state;
        state.head_complete = true;
        state.ended = true;
        state.status = found_ ? 200 : 404;
        state.content_length = static_cast<std::int64_t>(length_);
        return state;
    }
    std::string take_body() override { return std::exchange(body_, {}); }

private:
    bool found_;
    std::string body_;
    std::size_t length_ = body_.size();
};

void copy_into(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace

std::unique_ptr<Request> ServedFolderTransfer::get(const std::string& url) {
    const std::string name = url.substr(url.find_last_of('/') + 1);
    return std::make_unique<WholeFileRequest>(name.empty() ? std::nullopt : file_bytes(folder_ / name));
}

void publish_sample_updates(const fs::path& program_folder, const fs::path& served, const fs::path& work) {
    fs::create_directories(served);
    const fs::path exam = work / "navra_exam";
    copy_into(program_folder / "pv_navra", exam / "pv_navra");
    publish_update({exam, served, "navra_exam", "5.57", "", "12/17/2026"});

    const fs::path book = work / "navra_book";
    copy_into(program_folder / "ZI_ZE.pdf", book / "ZI_ZE.pdf");
    publish_update({book, served, "navra_book", "1.1", "", "12/17/2026"});
}

}  // namespace qd
