// The CONTEST_ID values of a log, read with the same ADIF reader as the
// conversion, so that both agree on where each field is.
#include "convert/contest_id_scan.h"

#include <string_view>

#include "adif/reader.h"
#include "base/text_util.h"

namespace shirl {
namespace {

constexpr std::string_view kContestId = "CONTEST_ID";

} // namespace

// Adds one value to `found` unless it is empty or already there.
void CollectContestId(std::string_view raw, std::vector<std::string>& found) {
    // Most logs repeat one value, exactly as it was kept, in every record.
    if (raw.size() <= kMaxContestIdLength)
        for (const std::string& known : found)
            if (std::string_view(known) == raw) return;
    const std::string_view trimmed = TrimBlanksAndLineEnds(raw.substr(0, kMaxContestIdLength));
    const bool cut = raw.size() > kMaxContestIdLength;
    if (!cut) { // most logs repeat one value in every record: it is found without a copy
        if (trimmed.empty()) return;
        for (const std::string& known : found)
            if (SameNoCase(known, trimmed)) return;
    }
    std::string value(trimmed);
    if (cut) value += "...";
    for (const std::string& known : found)
        if (SameNoCase(known, value)) return;
    if (found.size() >= kMaxContestIds) {
        if (found.back() != "...") found.emplace_back("...");
        return;
    }
    found.push_back(std::move(value));
}

std::vector<std::string> ReadContestIds(ByteSource& input, bool* adifLog) {
    AdifReader reader(input);
    AdifEvidence evidence;
    // A contact as the conversion writes one: a call, a mode and a band or frequency.
    bool call = false, mode = false, band = false, contact = false;
    std::vector<std::string> found;
    for (;;) {
        const AdifReader::Event event = reader.Next();
        evidence.See(reader, event);
        if (event == AdifReader::Event::End) break;
        if (event == AdifReader::Event::EndOfRecord) contact = contact || (call && mode && band);
        if (event != AdifReader::Event::Field && event != AdifReader::Event::BadLength)
            call = mode = band = false; // a record ended or became void
        if (event != AdifReader::Event::Field || !reader.Value()) continue;
        const std::string_view name = reader.Name();
        call = call || EqualsNoCase(name, "CALL");
        mode = mode || EqualsNoCase(name, "MODE");
        band = band || EqualsNoCase(name, "BAND") || EqualsNoCase(name, "FREQ") || EqualsNoCase(name, "FREQ_RX");
        if (EqualsNoCase(name, kContestId)) CollectContestId(*reader.Value(), found);
    }
    if (adifLog != nullptr) *adifLog = evidence.IsLog(contact);
    return found;
}

} // namespace shirl
