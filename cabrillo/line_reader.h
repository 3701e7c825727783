#pragma once
// Reads a Cabrillo log one line at a time from a byte stream; only the
// current line is held, so memory does not grow with the log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"

namespace shirl {

// Longest line kept whole; the rest of a longer line is skipped.
inline constexpr std::size_t kMaxCabrilloLine = 4096;

class CabrilloLineReader {
public:
    explicit CabrilloLineReader(ByteSource& input);

    // Reads the next line; false at the end of the input.
    bool Next();
    // The line without its line end (cut at kMaxCabrilloLine); valid until Next().
    std::string_view Line() const { return m_line; }
    // Whether the line was longer than kMaxCabrilloLine.
    bool TooLong() const { return m_tooLong; }
    // The line's number, from 1.
    std::int64_t Number() const { return m_number; }
    // The line end of the first line ("\r\n" or "\n").
    std::string_view LineEnd() const { return m_crlf ? "\r\n" : "\n"; }
    // Forgets everything read, for an input that has been rewound.
    void Restart();

private:
    ByteSource& m_input;
    std::vector<char> m_buf;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    std::string m_line;
    bool m_tooLong = false;
    std::int64_t m_number = 0;
    bool m_crlf = false;
};

} // namespace shirl
