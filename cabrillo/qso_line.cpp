#include "cabrillo/qso_line.h"

#include <algorithm>

#include "base/text_util.h"

namespace shirl {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// yyyy-mm-dd
bool IsDate(std::string_view w) {
    return w.size() == 10 && w[4] == '-' && w[7] == '-' && IsDigits(w.substr(0, 4)) && IsDigits(w.substr(5, 2)) &&
           IsDigits(w.substr(8, 2));
}

// Splits `text` at blanks into `words`; false when there are too many.
bool SplitWords(std::string_view text, CabrilloQso& qso, std::size_t& count) {
    count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        if (count == kMaxQsoWords) return false;
        qso.words[count++] = text.substr(start, i - start);
    }
    return true;
}

} // namespace

bool LooksLikeCallsign(std::string_view word) {
    bool letter = false;
    bool digit = false;
    for (const char c : word) {
        if (IsAsciiLetter(c)) letter = true;
        else if (IsAsciiDigit(c)) digit = true;
        else if (c != '/') return false;
    }
    return letter && digit;
}

std::string_view ParseQsoLine(std::string_view text, CabrilloQso& qso) {
    std::size_t count = 0;
    if (!SplitWords(text, qso, count)) return "too many words";
    // frequency mode date time call [exchange] call [exchange] [transmitter]
    if (count < 6) return "too few words";
    qso.frequency = qso.words[0];
    qso.mode = qso.words[1];
    qso.date = qso.words[2];
    qso.time = qso.words[3];
    if (!IsDate(qso.date)) return "no date yyyy-mm-dd";
    if (qso.time.size() != 4 || !IsDigits(qso.time)) return "no time hhmm";
    std::size_t rest = count - 4;
    qso.transmitter = {};
    if (rest % 2 == 1) {
        const std::string_view last = qso.words[count - 1];
        if (last.size() != 1 || !IsAsciiDigit(last[0])) return "the sent and received exchanges differ in length";
        qso.transmitter = last;
        --rest;
    }
    qso.exchangeWords = (rest - 2) / 2;
    qso.sentFirst = 5;
    qso.receivedFirst = 6 + qso.exchangeWords;
    qso.sentCall = qso.words[4];
    qso.receivedCall = qso.words[5 + qso.exchangeWords];
    if (!LooksLikeCallsign(qso.sentCall)) return "no sent callsign";
    if (!LooksLikeCallsign(qso.receivedCall)) return "the sent and received exchanges differ in length";
    return {};
}

} // namespace shirl
