// libFuzzer target: the file layer's name conversions on arbitrary bytes,
// read once as UTF-8 and once as UTF-16 units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/long_path.h"
#include "files/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // As UTF-8: a valid name comes back byte for byte; an invalid one comes
    // back as valid UTF-8 with U+FFFD in place of the bad bytes, never shorter
    // in characters than it was in valid ones.
    bool valid = false;
    const std::u16string wide = shirl::Utf16FromUtf8(bytes, &valid);
    if (wide.size() > bytes.size()) std::abort();
    bool backValid = false;
    const std::string back = shirl::Utf8FromUtf16(wide, &backValid);
    if (!backValid) std::abort();  // the UTF-16 made from any bytes is well formed
    if (valid && back != bytes) std::abort();
    if (!valid && back.find("\xEF\xBF\xBD") == std::string::npos) std::abort();
    bool againValid = false;
    if (shirl::Utf16FromUtf8(back, &againValid) != wide || !againValid) std::abort();

    // As UTF-16 units: valid text goes to UTF-8 and back unchanged.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    bool unitsValid = false;
    const std::string utf8 = shirl::Utf8FromUtf16(units, &unitsValid);
    bool utf8Valid = false;
    const std::u16string round = shirl::Utf16FromUtf8(utf8, &utf8Valid);
    if (!utf8Valid) std::abort();
    if (unitsValid && round != units) std::abort();

    // The long form is the path itself or the path behind a prefix.
    const std::u16string longForm = shirl::LongPathForm(units);
    const bool same = longForm == units;
    const bool prefixed = longForm == u"\\\\?\\" + units;
    const bool share = units.size() >= 2 && longForm == u"\\\\?\\UNC\\" + units.substr(2);
    if (!same && !prefixed && !share) std::abort();
    if (!same && units.size() < shirl::kLongPathFrom) std::abort();
    return 0;
}
