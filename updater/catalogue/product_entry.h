#pragma once
// One product of a catalogue: a named package of files with its version.
#include <cstdint>
#include <string>

namespace qd {

struct ProductEntry {
    std::string name;         // matches local and remote entries; base name of the product's files
    float version = 0;        // compared as a single-precision number, so 1.10 equals 1.1
    std::int16_t size = 0;    // download size in kilobytes
    std::string date;         // release date, shown as written
    std::string path;         // folder below the program folder; "" is the program folder
    std::string sha256;       // remote entries: the SHA-256 of NAME.cmp when the catalogue gives it, else ""
    bool up_to_date = false;  // remote entries: installed with an equal or higher version
    bool selected = false;    // offered entries: ticked in the update grid
    std::string refused;      // offered entries: why the product cannot be installed; "" when it can
};

}  // namespace qd
