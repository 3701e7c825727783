// The CONTEST_ID values of a log, read with the same ADIF reader as the
// conversion, so that both agree on where each field is.
#include "convert/contest_id_scan.h"

#include <string_view>

#include "adif/reader.h"
#include "base/text_util.h"

namespace shirl {
namespace {

constexpr std::string_view kContestId = "CONTEST_ID";

// Adds one value to `found` unless it is empty or already there.
void Collect(std::string_view raw, std::vector<std::string>& found) {
    std::string value(TrimBlanksAndLineEnds(raw.substr(0, kMaxContestIdLength)));
    if (raw.size() > kMaxContestIdLength) value += "...";
    if (value.empty()) return;
    for (const std::string& known : found)
        if (SameNoCase(known, value)) return;
    if (found.size() >= kMaxContestIds) {
        if (found.back() != "...") found.emplace_back("...");
        return;
    }
    found.push_back(std::move(value));
}

} // namespace

std::vector<std::string> ReadContestIds(ByteSource& input) {
    AdifReader reader(input);
    std::vector<std::string> found;
    for (;;) {
        const AdifReader::Event event = reader.Next();
        if (event == AdifReader::Event::End) break;
        if (event != AdifReader::Event::Field || !EqualsNoCase(reader.Name(), kContestId)) continue;
        if (const auto value = reader.Value()) Collect(*value, found);
    }
    return found;
}

} // namespace shirl
