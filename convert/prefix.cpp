// Callsign prefix extraction: N0CALL/4 -> N4, VE3/N0CALL -> VE3.
//
// The rules are naturally recursive (each slash hands a part of the callsign
// back to the same rules), but every such step is a tail call: its result is
// the result of the step. So the routine is one loop over a shrinking window
// of the callsign; the stack does not grow with the number of slashes (a
// hostile callsign of a million slashes is harmless), and there are no
// length limits on callsigns or prefixes.
//
// The one step that does not simply narrow the window is the digit suffix
// (N0CALL/4 -> N4CALL): it needs a changed copy of the part before the slash.
// That copy is made in the caller's `prefix` string, which is the routine's
// only working storage; later digit suffixes change it in place. The final
// prefix is always the beginning of the window (plus a '0'), so it is cut out
// of that storage at the end. The callsign itself is never written.
#include "convert/prefix.h"

#include <cstddef>
#include <cstring>
#include <optional>

#include "base/text_util.h"

namespace shirl {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return IsAsciiDigit(c); }

// A suffix that starts with a number above 9 (read as strtol reads it:
// blanks, a sign, digits) is not a call area.
bool LeadingNumberGreaterThanNine(std::string_view text) { return ReadDecimal(text) > 9; }

bool IsPortableSuffix(std::string_view b) {
    return b == "AA" || b == "AE" || b == "AG" || b == "AM" || b == "LH" || b == "MM";
}

bool ContainsDigit(std::string_view text) {
    for (char c : text)
        if (IsDigit(c)) return true;
    return false;
}

struct PlainPrefix {
    std::size_t length; // the prefix is the part's first `length` characters
    bool appendZero;    // ... followed by a '0'
};

// The prefix of a part without a slash: it runs over leading digits, one
// letter, the letters up to the first digit, that digit and what follows up
// to the next letter; a part without a digit after its letters gets a '0'.
// Nothing when the part has no letter after its leading digits.
std::optional<PlainPrefix> PrefixOfPlainPart(std::string_view part) {
    std::size_t pos = 0;
    const std::size_t n = part.size();
    while (pos < n && IsDigit(part[pos])) ++pos; // leading digits
    if (pos == n || !IsLetter(part[pos])) return std::nullopt;
    ++pos;
    while (pos < n && !IsDigit(part[pos])) ++pos; // up to the call-area digit
    if (pos == n) return PlainPrefix{pos, true};
    ++pos;
    while (pos < n && !IsLetter(part[pos])) ++pos; // up to the next letter
    return PlainPrefix{pos, false};
}

} // namespace

int ExtractCallsignPrefix(std::string_view callsign, std::string& prefix) {
    std::string_view part = callsign; // the text the routine is applied to
    bool inPrefix = false;            // `part` lies inside `prefix` (a changed copy)

    // Each slash, from the right, splits the window into A/B and keeps the
    // part that holds the prefix.
    for (std::size_t slash; (slash = part.rfind('/')) != std::string_view::npos;) {
        const std::string_view a = part.substr(0, slash);
        const std::string_view b = part.substr(slash + 1);

        if (a.size() == b.size()) { // no way to tell which part is the callsign
            prefix.clear();
            return 1;
        }

        if (b.size() == 1) { // one character: a letter, or a digit for a new call area
            const char c = b[0];
            if (IsLetter(c)) {
                part = (c == 'F' || c == 'G' || c == 'I') ? b : a;
                continue;
            }
            if (!IsDigit(c)) {
                prefix.clear();
                return 2;
            }
            // Digit d: in a copy W of A, the last digit at index >= 1 becomes d.
            std::size_t i = a.size();
            while (i > 1 && !IsDigit(a[i - 1])) --i;
            if (i > 1) {
                const std::size_t at = i - 1;
                if (!inPrefix) {
                    prefix.assign(a.data(), a.size());
                    inPrefix = true;
                    part = prefix;
                } else {
                    part = a; // already inside `prefix`: change it in place
                }
                prefix[static_cast<std::size_t>(part.data() - prefix.data()) + at] = c;
            } else {
                part = a; // no digit to replace: W is A unchanged
            }
            continue;
        }

        // B is empty or longer: a portable or operating suffix keeps A;
        // otherwise the shorter part is the prefix.
        if (IsPortableSuffix(b) || (b.size() >= 3 && !ContainsDigit(b)) ||
            LeadingNumberGreaterThanNine(b) || (!b.empty() && b[0] == '0')) {
            part = a;
        } else {
            part = a.size() < b.size() ? a : b;
        }
    }

    const std::optional<PlainPrefix> plain = PrefixOfPlainPart(part);
    if (!plain) {
        prefix.clear();
        return 2;
    }
    const std::size_t pos = plain->length;
    const bool appendZero = plain->appendZero;
    if (inPrefix) {
        const std::size_t offset = static_cast<std::size_t>(part.data() - prefix.data());
        if (offset != 0) std::memmove(prefix.data(), prefix.data() + offset, pos);
        prefix.resize(pos);
    } else {
        prefix.assign(part.data(), pos);
    }
    if (appendZero) prefix.push_back('0');
    return 0;
}

} // namespace shirl
