#pragma once
// Windows only: the form of a UTF-8 name that the wide ("W") API takes.
#ifdef _WIN32
#include <optional>
#include <string>

namespace shirl {

// `name` as UTF-16 for the W functions: as given when short, made full and
// given the `\\?\` prefix when 248 characters or longer; nullopt for a name
// that is not valid UTF-8, is empty or holds a NUL (no file has such a name).
std::optional<std::wstring> SystemName(const std::string& name);

} // namespace shirl
#endif
