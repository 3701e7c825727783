#pragma once
// Windows refuses an ordinary path of 260 characters or more; the same path
// with the `\\?\` prefix (`\\?\UNC\` for a network share) reaches up to
// 32,767. The prefix works on every Windows version since 2000, needs no
// setting, and takes a full path only: the caller makes the name full first.
#include <string>
#include <string_view>

namespace shirl {

// Longest full path given to Windows without the prefix (folders stop at 248).
constexpr std::size_t kLongPathFrom = 248;

// The full path `full` (drive or share form, backslashes, no "." or ".."
// left) in the form Windows accepts at any length: unchanged when shorter
// than kLongPathFrom, already prefixed, or a device name (`\\.\`).
std::u16string LongPathForm(std::u16string_view full);

} // namespace shirl
