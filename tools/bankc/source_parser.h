#pragma once
#include <string>
#include <vector>

#include "source_question.h"

namespace bankc {

// Reads one question file; every line it cannot accept becomes a diagnostic.
SourceFile parse_source_file(const std::string& text, const std::string& display_path, std::vector<Diagnostic>& diagnostics);

// "FIRST-LAST" with 1 <= FIRST <= LAST, as chapter headers give their pages.
bool parse_page_range(const std::string& value, int& first, int& last);

}  // namespace bankc
