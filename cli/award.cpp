// shirl-cli award: where a logbook stands for the USA Counties award.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "app/service/award_command.h"
#include "app/service/report_view.h"
#include "award/award_list.h"
#include "award/county_spelling.h"
#include "cli/commands.h"
#include "cli/file_reasons.h"
#include "cli/options.h"
#include "cli/platform_io.h"
#include "data/bands.h"
#include "data/modes.h"

namespace shirl::cli {
namespace {

const std::string kAwardHelp =
    "Usage: shirl-cli award [OPTIONS] LOGBOOK\n"
    "\n"
    "Tallies the USA Counties award (3077 counties: Alaska's four judicial\n"
    "districts, no independent cities) from LOGBOOK (ADIF, or a Cabrillo log)\n"
    "and prints the report: counties worked and confirmed, per state and per\n"
    "band, the values that named no award county (with the nearest name), and\n"
    "the QSOs in independent cities, Carson City and DC with the counties each\n"
    "may be claimed for. Only QSOs with stations in the USA count (DXCC 291, 6\n"
    "or 110, else the callsign). A county is read from CNTY in any spelling\n"
    "(a bare name with the record's STATE) and from USACA_COUNTIES. LOGBOOK is\n"
    "only read.\n"
    "\n"
    "  --confirmed SOURCES  the confirmations that count, comma-separated: card\n"
    "                       (QSL_RCVD), lotw (LOTW_QSL_RCVD), eqsl\n"
    "                       (EQSL_QSL_RCVD); Y or V received (default: all)\n"
    "  --band BAND          only QSOs on this band (20m, 2m, ...)\n"
    "  --mode MODE          only QSOs of this mode family: CW, PHONE, DATA,\n"
    "                       IMAGE, or a mode of the family (SSB, FT8, ...)\n"
    "  --claim PLACE=COUNTY credit the QSOs of a place in no county to one county\n"
    "                       around it (--claim \"VA,Norfolk city=NC,Currituck\")\n"
    "  --needed FILE        write the counties not yet worked (CSV)\n"
    "  --needed-confirmed FILE\n"
    "                       write the counties not yet confirmed (CSV)\n"
    "  --csv FILE           write every county with its first worked and first\n"
    "                       confirmed QSO (CSV)\n"
    "  --map FILE           write the map of the counties needed, worked and\n"
    "                       confirmed (SVG)\n"
    "\n"
    "Example:\n"
    "  shirl-cli award --needed needed.csv --map counties.svg log.adi\n"
    "\n"
    "Exit status: 0 when the report was printed, 1 when a file could not be\n"
    "read or written, 2 on a usage error.\n";

std::optional<unsigned> SourcesOf(const std::string& text) {
    unsigned sources = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string word = text.substr(at, comma - at);
        if (word == "card") sources |= kConfirmCard;
        else if (word == "lotw") sources |= kConfirmLotw;
        else if (word == "eqsl") sources |= kConfirmEqsl;
        else return std::nullopt;
        at = comma + 1;
    }
    return sources;
}

// The claim "PLACE=COUNTY" as (place's county id, award county), or an error.
std::optional<std::string> AddClaim(const std::string& text, AwardOptions& options) {
    const std::size_t eq = text.find('=');
    const SpelledCounty place = ResolveCountySpelling(text.substr(0, eq), "", 0);
    const UsacaClaimable* claimable = place.countyId >= 0 ? ClaimablePlace(place.countyId) : nullptr;
    if (claimable == nullptr) return "--claim: '" + text.substr(0, eq) + "' is no independent city, Carson City or DC";
    const SpelledCounty county = ResolveCountySpelling(text.substr(eq + 1), "", 0);
    for (const int id : claimable->counties)
        if (id == county.countyId) {
            options.claims[place.countyId] = AwardIndexOfCounty(id);
            return std::nullopt;
        }
    std::string around;
    for (const int id : claimable->counties) around += " " + AwardCntyValue(AwardIndexOfCounty(id));
    return "--claim: " + std::string(claimable->place) + " may be claimed for" + around;
}

} // namespace

int AwardCommand(const Args& args) {
    const ParseResult parsed = ParseCommandLine(
        "award", args,
        {Option::Map, Option::CsvFile, Option::Needed, Option::Confirmed, Option::Band, Option::Mode, Option::Claim},
        kAwardHelp);
    if (!parsed.line) return parsed.status;
    const CommandLine& line = *parsed.line;
    if (line.operands.empty()) return CommandUsageError("award", "missing LOGBOOK");
    if (line.operands.size() > 1) return CommandUsageError("award", "takes only LOGBOOK");
    AwardRequest request;
    request.logbookName = line.operands[0];
    if (line.confirmed) {
        const auto sources = SourcesOf(*line.confirmed);
        if (!sources) return CommandUsageError("award", "--confirmed takes card, lotw and eqsl, comma-separated");
        request.options.sources = *sources;
    }
    if (line.band) {
        std::string band;
        for (const char c : *line.band) band += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        bool known = false;
        for (const BandEntry& entry : BandTable()) known = known || entry.band == band;
        if (!known) return CommandUsageError("award", "unknown band '" + *line.band + "'");
        request.options.band = band;
    }
    if (line.mode) {
        std::string upper;
        for (const char c : *line.mode) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
        const bool family = upper == "CW" || upper == "PHONE" || upper == "DATA" || upper == "IMAGE";
        const std::string_view of = family ? std::string_view(upper) : ModeFamilyOf(upper);
        if (of.empty()) return CommandUsageError("award", "unknown mode '" + *line.mode + "'");
        request.options.modeFamily = std::string(of);
    }
    for (const std::string& claim : line.claims)
        if (const auto error = AddClaim(claim, request.options)) return CommandUsageError("award", *error);
    request.neededName = line.needed.value_or("");
    request.neededConfirmed = line.neededConfirmed;
    request.csvName = line.csvFile.value_or("");
    request.mapName = line.map.value_or("");
    const AwardOutcome outcome = RunAwardCommand(request);
    if (!outcome.lines.empty()) WriteLines(stdout, outcome.lines);
    std::fflush(stdout);
    if (outcome.fault) {
        WriteLine(stderr, CommandLineText(*outcome.fault));
        return 1;
    }
    return 0;
}

} // namespace shirl::cli
