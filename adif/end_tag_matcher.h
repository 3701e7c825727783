#pragma once
// Finds "<eor>" and "<eoh>" in any letter case, one byte at a time, so that
// a tag split over two reads is still found.
namespace shirl {

class EndTagMatcher {
public:
    // 'r' or 'h' when this byte completes <eor> or <eoh>, else 0.
    char Feed(char c) {
        const char l = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
        switch (m_state) {
        case 1: m_state = (l == 'e') ? 2 : Restart(c); return 0;
        case 2: m_state = (l == 'o') ? 3 : Restart(c); return 0;
        case 3:
            if (l == 'r' || l == 'h') {
                m_which = l;
                m_state = 4;
            } else {
                m_state = Restart(c);
            }
            return 0;
        case 4:
            m_state = Restart(c);
            return c == '>' ? m_which : 0;
        default: m_state = Restart(c); return 0;
        }
    }

private:
    static int Restart(char c) { return c == '<' ? 1 : 0; }
    int m_state = 0;
    char m_which = 0;
};

} // namespace shirl
