#pragma once
// Hands a PDF document to the desktop's default PDF reader at a page.
#include <map>
#include <string>

#include "platform/pdf_reader_link.h"
#include "platform/pdf_reader_link_desktop.h"
#include "platform/program_starter.h"

namespace qd {

class DesktopPdfReader final : public PdfReaderLink {
public:
    DesktopPdfReader(ProgramStarter& starter, DesktopFolders folders, std::string working_folder)
        : starter_(starter), folders_(std::move(folders)), working_folder_(std::move(working_folder)) {}
    PdfOpenOutcome open_at_page(const std::string& document, int page_index) override;

private:
    // The reader's --help text, asked once per program (and given up after a few seconds).
    const std::string& help_text(const std::string& program);

    ProgramStarter& starter_;
    DesktopFolders folders_;
    std::string working_folder_;
    std::map<std::string, std::string> help_texts_;
};

}  // namespace qd
