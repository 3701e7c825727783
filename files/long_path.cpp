#include "files/long_path.h"

namespace shirl {
namespace {

// `prefix` followed by `rest`. Built with append rather than operator+,
// which GCC 12 misreads as an overflow of the short-string buffer
// (-Wstringop-overflow) once the name is known to be long.
std::u16string Prefixed(std::u16string_view prefix, std::u16string_view rest) {
    std::u16string joined;
    joined.reserve(prefix.size() + rest.size());
    joined.append(prefix).append(rest);
    return joined;
}

} // namespace

std::u16string LongPathForm(std::u16string_view full) {
    if (full.size() < kLongPathFrom) return std::u16string(full);
    const auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
    const bool drive = full.size() >= 3 && full[1] == u':' && separator(full[2]) &&
                       ((full[0] >= u'A' && full[0] <= u'Z') || (full[0] >= u'a' && full[0] <= u'z'));
    if (drive) return Prefixed(u"\\\\?\\", full);
    const bool doubled = full.size() >= 3 && separator(full[0]) && separator(full[1]);
    if (!doubled || full[2] == u'?' || full[2] == u'.') return std::u16string(full);
    // \\server\share\... becomes \\?\UNC\server\share\...
    return Prefixed(u"\\\\?\\UNC\\", full.substr(2));
}

} // namespace shirl
