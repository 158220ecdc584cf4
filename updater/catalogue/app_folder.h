#pragma once
// The program folder is the folder of the update utility's executable; it is
// always handled with a trailing separator.
#include <string>

namespace qd {

// The folder with "/" added when it does not already end in one.
std::string AppFolder(std::string folder);

// The folder of the running executable, with its trailing "/".
std::string running_program_folder();

}  // namespace qd
