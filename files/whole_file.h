#pragma once
// Small files read or written whole (an abbreviation list, a saved report),
// by UTF-8 name.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace shirl {

struct WholeFile {
    std::optional<std::string> bytes;  // nullopt: not read (see tooLarge)
    bool tooLarge = false;             // refused: longer than the limit
};

// The bytes of the file `name`, at most `limit` of them; a file that cannot
// be opened or read whole gives no bytes.
WholeFile ReadWholeFile(const std::string& name, std::size_t limit);

// Writes `bytes` as the whole file `name` through a temporary file, so that
// a failed write leaves an existing file as it was; false on any failure.
bool WriteWholeFile(const std::string& name, std::string_view bytes);

// The value of the environment variable `variable` as UTF-8 (the wide
// environment on Windows); nullopt when it is unset or empty.
std::optional<std::string> EnvironmentValue(const char* variable);

} // namespace shirl
