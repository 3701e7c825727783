// A small ADIF tag scanner that only collects CONTEST_ID values. It reads
// byte by byte with its own state, so a tag split over two reads is found.
#include "adif/contest_id_scan.h"

#include <array>
#include <limits>
#include <string_view>

#include "base/text_util.h"

namespace shirl {
namespace {

constexpr std::string_view kContestId = "CONTEST_ID";
constexpr std::size_t kLongestName = 64; // a longer name is not one we look for

bool EndsNameBadly(char c) { return std::string_view(" \t\r\n\v\f<,{}").find(c) != std::string_view::npos; }
bool IsAlnum(char c) { return IsAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) return false;
    return true;
}

class Scanner {
public:
    void Feed(const char* data, std::size_t size);
    std::vector<std::string> Take() { return std::move(m_found); }

private:
    enum class State { Text, Name, Length, Type, Value };
    void StartTag() {
        m_state = State::Name;
        m_name.clear();
        m_nameTooLong = false;
    }
    void FeedName(char c);
    void FeedLength(char c);
    void StartValue();
    void NotATag(char c);
    void EndValue();

    State m_state = State::Text;
    std::string m_name;
    bool m_nameTooLong = false;
    bool m_lengthSeen = false;
    std::size_t m_remaining = 0;
    bool m_collect = false;
    std::string m_value;
    std::vector<std::string> m_found;
};

void Scanner::Feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        switch (m_state) {
        case State::Text:
            if (c == '<') StartTag();
            break;
        case State::Name: FeedName(c); break;
        case State::Length: FeedLength(c); break;
        case State::Type:
            if (c == '>') {
                StartValue();
            } else if (!IsAlnum(c)) {
                NotATag(c);
            }
            break;
        case State::Value: {
            // The value's bytes are taken in one piece, as far as this read goes.
            const std::size_t n = std::min(m_remaining, size - i);
            if (m_collect && m_value.size() <= kMaxContestIdLength)
                m_value.append(data + i, std::min(n, kMaxContestIdLength + 1 - m_value.size()));
            m_remaining -= n;
            i += n - 1;
            if (m_remaining == 0) EndValue();
            break;
        }
        }
    }
}

// A name ends at ':' (a value follows) or '>' (a tag without a value such
// as <EOR>); a blank, '<', ',', '{' or '}' means it was no tag.
void Scanner::FeedName(char c) {
    if (c == ':') {
        m_state = State::Length;
        m_lengthSeen = false;
        m_remaining = 0;
    } else if (c == '>') {
        m_state = State::Text;
    } else if (EndsNameBadly(c)) {
        NotATag(c);
    } else if (m_name.size() < kLongestName) {
        m_name += c;
    } else {
        m_nameTooLong = true;
    }
}

// Blanks and a '+' before the digits, then digits (saturating), then '>' or
// ':' and a type.
void Scanner::FeedLength(char c) {
    if (IsAsciiDigit(c)) {
        const std::size_t d = static_cast<std::size_t>(c - '0');
        const std::size_t max = std::numeric_limits<std::size_t>::max();
        m_remaining = m_remaining > (max - d) / 10 ? max : m_remaining * 10 + d;
        m_lengthSeen = true;
    } else if (c == '>' && m_lengthSeen) {
        StartValue();
    } else if (c == ':' && m_lengthSeen) {
        m_state = State::Type;
    } else if (m_lengthSeen || (c != ' ' && c != '\t' && c != '+')) {
        NotATag(c);
    }
}

void Scanner::StartValue() {
    m_state = State::Value;
    m_collect = !m_nameTooLong && SameNoCase(m_name, kContestId);
    m_value.clear();
    if (m_remaining == 0) EndValue();
}

// What looked like a tag was none; a '<' may start the next one.
void Scanner::NotATag(char c) {
    if (c == '<') {
        StartTag();
    } else {
        m_state = State::Text;
    }
}

void Scanner::EndValue() {
    m_state = State::Text;
    if (!m_collect) return;
    std::string value(Trimmed(m_value));
    if (m_value.size() > kMaxContestIdLength) value = std::string(Trimmed(m_value.substr(0, kMaxContestIdLength))) + "...";
    if (value.empty()) return;
    for (const std::string& known : m_found)
        if (SameNoCase(known, value)) return;
    if (m_found.size() >= kMaxContestIds) {
        if (m_found.back() != "...") m_found.emplace_back("...");
        return;
    }
    m_found.push_back(std::move(value));
}

} // namespace

std::vector<std::string> ReadContestIds(ByteSource& input) {
    Scanner scanner;
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const std::size_t n = input.Read(buffer.data(), buffer.size());
        if (n == 0) break;
        scanner.Feed(buffer.data(), n);
    }
    return scanner.Take();
}

} // namespace shirl
