// Operators write a station on a county line as it was heard: the counties
// joined by "/" in one exchange. Such a value is split only when every part
// is a county; anything else stays one value, reported as it is today.
#include "convert/county_line_value.h"

namespace shirl {
namespace {

// A county line joins a few counties; a value of more parts is none.
constexpr std::size_t kMostParts = 8;

bool IsCounty(std::string_view text, const CountyQuestion& question) {
    return AnswerCountyValue(text, question).kind == CountyAnswer::Kind::County;
}

} // namespace

std::vector<CountyLinePart> CountyLineParts(std::string_view value, const CountyQuestion& question) {
    if (value.find('/') == std::string_view::npos || value.find(',') != std::string_view::npos) return {};
    std::vector<std::string_view> texts;
    for (std::size_t start = 0; texts.size() <= kMostParts;) {
        const std::size_t slash = value.find('/', start);
        texts.push_back(value.substr(start, slash - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    if (texts.size() > kMostParts || IsCounty(value, question)) return {};
    std::vector<CountyLinePart> parts;
    for (const std::string_view text : texts) {
        CountyAnswer answer = AnswerCountyValue(text, question);
        if (answer.kind != CountyAnswer::Kind::County) return {};
        parts.push_back({text, std::move(answer)});
    }
    return parts;
}

} // namespace shirl
