#include "files/long_path.h"

namespace shirl {

std::u16string LongPathForm(std::u16string_view full) {
    if (full.size() < kLongPathFrom) return std::u16string(full);
    const auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
    const bool drive = full.size() >= 3 && full[1] == u':' && separator(full[2]) &&
                       ((full[0] >= u'A' && full[0] <= u'Z') || (full[0] >= u'a' && full[0] <= u'z'));
    if (drive) return u"\\\\?\\" + std::u16string(full);
    const bool doubled = full.size() >= 3 && separator(full[0]) && separator(full[1]);
    if (!doubled || full[2] == u'?' || full[2] == u'.') return std::u16string(full);
    // \\server\share\... becomes \\?\UNC\server\share\...
    return u"\\\\?\\UNC\\" + std::u16string(full.substr(2));
}

} // namespace shirl
