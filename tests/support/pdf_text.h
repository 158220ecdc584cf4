#pragma once
// The text of a PDF file as a reader shows it (pdftotext), with runs of
// blanks and line ends made one blank: for tests of what a page prints.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace qd::testing {

inline std::string pdf_text(const std::filesystem::path& pdf) {
    const std::filesystem::path text = pdf.string() + ".txt";
    const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::string squeezed;
    for (char c : read_file(text)) {
        const char blank = (c == '\n' || c == '\r' || c == '\f') ? ' ' : c;
        if (!(blank == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += blank;
    }
    return squeezed;
}

}  // namespace qd::testing
