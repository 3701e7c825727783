// Operators write a station on a county line as it was heard: the counties
// joined by "/" in one exchange. Such a value is split only when every part
// is a county; anything else stays one value, reported as it is today.
#include "convert/county_line_value.h"

#include <string>

#include "base/text_util.h"
#include "convert/qso_field.h"
#include "convert/resolve.h"

namespace shirl {
namespace {

// A county line joins a few counties; a value of more parts is none.
constexpr std::size_t kMostParts = 8;

// Whether `text`, upper-cased as a county field's value is, resolves to a
// county. Its messages are dropped: the conversion of the field reports.
bool ResolvesToCounty(std::string_view text, Selection selection, std::optional<std::string_view> callsign,
                      const AbbrevList* list) {
    std::string upper(text);
    for (char& c : upper) c = ToAsciiUpper(c);
    QsoField field{"CNTY", std::string_view(upper), FieldKind::Cnty};
    RunReport unused;
    return ResolveCountyField(field, selection, callsign, false, unused, list) == 1;
}

} // namespace

std::vector<std::string_view> CountyLineParts(std::string_view value, Selection selection,
                                              std::optional<std::string_view> callsign, const AbbrevList* list) {
    if (value.find('/') == std::string_view::npos || value.find(',') != std::string_view::npos) return {};
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; parts.size() <= kMostParts;) {
        const std::size_t slash = value.find('/', start);
        parts.push_back(value.substr(start, slash - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    if (parts.size() > kMostParts || ResolvesToCounty(value, selection, callsign, list)) return {};
    for (const std::string_view part : parts)
        if (!ResolvesToCounty(part, selection, callsign, list)) return {};
    return parts;
}

} // namespace shirl
