#pragma once
// The award tallied from a logbook's QSOs: each award county worked and
// confirmed with its first QSO of each, the counties worked per band, the
// values that counted nothing and the QSOs in places that may be claimed
// for a county around them.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "award/award_qso.h"
#include "award/county_spelling.h"

namespace shirl {

// The confirmations that count (a bit each).
enum ConfirmSource : unsigned { kConfirmCard = 1, kConfirmLotw = 2, kConfirmEqsl = 4, kConfirmAll = 7 };

struct AwardOptions {
    unsigned sources = kConfirmAll;
    std::string band;         // lower case, "": every band
    std::string modeFamily;   // CW, PHONE, DATA or IMAGE, "": every mode
    std::map<int, int> claims; // claimable place's county id -> the award county claimed for it
};

// A QSO as the report and the CSV name it.
struct QsoMark {
    std::string call, date, time, band, mode;
    bool Empty() const { return call.empty() && date.empty(); }
};

struct CountyCredit {
    QsoMark worked;    // the first QSO (by date and time), empty: not worked
    QsoMark confirmed; // the first confirmed QSO, empty: not confirmed
};

struct UncountedValue {
    std::int64_t qsos = 0;
    std::string nearest; // the closest award name, or ""
};

struct ClaimableQsos {
    std::int64_t qsos = 0;
    std::int64_t confirmed = 0;
};

class AwardTally {
public:
    explicit AwardTally(AwardOptions options);

    // Counts one record of the logbook.
    void Add(const AwardQso& qso);

    const AwardOptions& Options() const { return m_options; }
    // By award county number.
    const std::vector<CountyCredit>& Counties() const { return m_counties; }
    // Counties worked per band (lower case), of the QSOs the filters keep.
    const std::map<std::string, std::vector<bool>>& WorkedByBand() const { return m_byBand; }
    // Values that named no award county (as written, comment and blanks
    // around it aside; a bare name with its STATE: "Middlesex (STATE MA)").
    const std::map<std::string, UncountedValue>& Uncounted() const { return m_uncounted; }
    // QSOs in claimable places, by the place's gazetteer id.
    const std::map<int, ClaimableQsos>& Claimable() const { return m_claimable; }
    std::int64_t UsQsos() const { return m_usQsos; }       // QSOs with US stations the filters keep
    std::int64_t OtherQsos() const { return m_otherQsos; } // QSOs with stations elsewhere
    std::int64_t FilteredOut() const { return m_filteredOut; }

private:
    const SpelledCounty& Resolve(std::string_view value, std::string_view state, int date);
    void Credit(std::string_view value, std::string_view state, const AwardQso& qso, bool confirmed,
                const std::string& band);
    void CreditIndex(int index, const AwardQso& qso, bool confirmed, const std::string& band);

    AwardOptions m_options;
    std::vector<CountyCredit> m_counties;
    std::map<std::string, std::vector<bool>> m_byBand;
    std::map<std::string, UncountedValue> m_uncounted;
    std::map<int, ClaimableQsos> m_claimable;
    std::unordered_map<std::string, SpelledCounty> m_memo;
    SpelledCounty m_dated;
    std::string m_key;
    std::int64_t m_usQsos = 0, m_otherQsos = 0, m_filteredOut = 0;
};

// Whether a QSL_RCVD-style value confirms: Y or V in any letter case.
bool IsReceivedConfirmation(std::string_view value);

} // namespace shirl
