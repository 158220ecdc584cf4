#include "platform/qt/desktop_pdf_reader.h"

#include <QFileInfo>
#include <QProcess>

#include "platform/text_file.h"

namespace qd {

PdfOpenOutcome DesktopPdfReader::open_at_page(const std::string& document, int page_index) {
    QFileInfo file(QString::fromStdString(document));
    if (!file.isFile()) return {PdfOpenResult::missing, 0};
    auto entry = default_application(folders_, "application/pdf");
    if (!entry) return {PdfOpenResult::no_reader, 0};
    const std::string exec = desktop_entry_exec(read_text_file(*entry));
    auto words = split_exec(exec);
    if (words.empty()) return {PdfOpenResult::no_reader, 0};
    auto command = reader_command(exec, file.absoluteFilePath().toStdString(), page_index + 1,
                                  page_option_for(exec, help_text(words.front())));
    const std::vector<std::string> arguments(command.begin() + 1, command.end());
    if (!starter_.start(command.front(), arguments, working_folder_)) return {PdfOpenResult::no_answer, 0};
    return {PdfOpenResult::shown, 0};
}

const std::string& DesktopPdfReader::help_text(const std::string& program) {
    if (auto known = help_texts_.find(program); known != help_texts_.end()) return known->second;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(program), {"--help"});
    std::string help;
    if (process.waitForStarted(2000)) {
        if (!process.waitForFinished(3000)) process.kill();
        process.waitForFinished(1000);
        help = process.readAll().toStdString();
    }
    return help_texts_.emplace(program, help).first->second;
}

}  // namespace qd
