#pragma once
// One QSO line of a Cabrillo log split into its parts. The exchange's
// width is taken from the line itself: the sent and the received exchange
// have the same number of words, and a transmitter id (one digit) may end
// the line.
#include <array>
#include <cstddef>
#include <string_view>

namespace shirl {

// Most words a QSO line may have after its tag.
inline constexpr std::size_t kMaxQsoWords = 48;

struct CabrilloQso {
    std::string_view frequency; // kHz, or a band designator ("144", "2.3G")
    std::string_view mode;      // CW, PH, FM, RY, DG, ...
    std::string_view date;      // yyyy-mm-dd
    std::string_view time;      // hhmm
    std::string_view sentCall;
    std::string_view receivedCall;
    std::string_view transmitter; // "0", "1", or empty
    std::array<std::string_view, kMaxQsoWords> words{};
    std::size_t exchangeWords = 0; // the words of each exchange
    std::size_t sentFirst = 0;     // index in `words` of the sent exchange's first word
    std::size_t receivedFirst = 0; // and of the received exchange's

    std::string_view SentWord(std::size_t i) const { return words[sentFirst + i]; }
    std::string_view ReceivedWord(std::size_t i) const { return words[receivedFirst + i]; }
};

// Splits the text after "QSO:" into `qso` (views into `text`). Returns
// empty on success, else what is wrong with the line ("the sent and
// received exchanges differ in length").
std::string_view ParseQsoLine(std::string_view text, CabrilloQso& qso);

// Whether `word` can be a callsign: letters, digits and '/', with at least
// one letter and one digit.
bool LooksLikeCallsign(std::string_view word);

} // namespace shirl
