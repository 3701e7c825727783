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

namespace shirl {
namespace {

constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// The blanks that strtol skips in the C locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Rule A.3.3: the decimal number with which `text` begins, by the strtol
// rules (leading blanks, optional sign, digits; 0 without digits), compared
// with 9. Saturates instead of overflowing, as strtol does.
bool LeadingNumberGreaterThanNine(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 9) return !negative; // only the comparison with 9 matters
    }
    return false; // 0..9, or negative
}

bool IsPortableSuffix(std::string_view b) {
    return b == "AA" || b == "AE" || b == "AG" || b == "AM" || b == "LH" || b == "MM";
}

bool ContainsDigit(std::string_view text) {
    for (char c : text)
        if (IsDigit(c)) return true;
    return false;
}

} // namespace

int ExtractCallsignPrefix(std::string_view callsign, std::string& prefix) {
    std::string_view part = callsign; // the text the routine is applied to
    bool inPrefix = false;            // `part` lies inside `prefix` (a changed copy)

    // Step A, once per slash, from the right.
    for (std::size_t slash; (slash = part.rfind('/')) != std::string_view::npos;) {
        const std::string_view a = part.substr(0, slash);
        const std::string_view b = part.substr(slash + 1);

        if (a.size() == b.size()) { // A.1
            prefix.clear();
            return 1;
        }

        if (b.size() == 1) { // A.2
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

        // A.3: B is empty or has two or more characters.
        if (IsPortableSuffix(b) || (b.size() >= 3 && !ContainsDigit(b)) ||
            LeadingNumberGreaterThanNine(b) || (!b.empty() && b[0] == '0')) {
            part = a;
        } else {
            part = a.size() < b.size() ? a : b;
        }
    }

    // Step B: no slash left.
    std::size_t pos = 0;
    const std::size_t n = part.size();
    while (pos < n && IsDigit(part[pos])) ++pos; // phase 1
    if (pos == n || !IsLetter(part[pos])) {
        prefix.clear();
        return 2;
    }
    ++pos;
    while (pos < n && !IsDigit(part[pos])) ++pos; // phase 2
    bool appendZero = false;
    if (pos == n) {
        appendZero = true;
    } else {
        ++pos;
        while (pos < n && !IsLetter(part[pos])) ++pos; // phase 3
    }

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
