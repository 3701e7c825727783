#pragma once
// The logbook read as pieces that together are every byte of it: the
// header (through <EOH>), each record (from the end of the piece before it
// through its <EOR>) and what follows the last record. A record's fields
// are found by their tags and declared lengths; any other byte (blanks,
// line ends, text that is no tag) stays in the piece as it was. Only one
// piece is held at a time.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"

namespace shirl {

// One field of a record: where its tag starts and its value ends in the
// piece, and its name and value (views into the piece).
struct ScannedField {
    std::size_t begin = 0; // the '<' of its tag
    std::size_t end = 0;   // just after its value (or its tag, without a length)
    std::string_view name;
    std::string_view value;
};

class RecordScanner {
public:
    enum class Piece { Header, Record, Tail, End };

    explicit RecordScanner(ByteSource& input) : m_input(input) {}
    RecordScanner(const RecordScanner&) = delete;
    RecordScanner& operator=(const RecordScanner&) = delete;

    // Reads the next piece. The views of the last one end here.
    Piece Next();
    // Every byte of the piece.
    std::string_view Bytes() const { return std::string_view(m_data).substr(m_start, m_end - m_start); }
    // The fields of a record before its <EOR>, in order.
    const std::vector<ScannedField>& Fields() const { return m_fields; }
    // Where the record's <EOR> tag starts in Bytes().
    std::size_t EorOffset() const { return m_eor; }
    // The input line (from 1) of the record's first field, or of its <EOR>.
    std::size_t Line() const;
    // Whether reading stopped on an input error rather than at the end.
    bool Failed() const { return m_input.Failed(); }

private:
    bool More();
    bool Have(std::size_t pos);
    bool ReadTag(std::size_t at, std::size_t& tagEnd, std::string_view& name, std::size_t& length, bool& hasLength);
    Piece Finish(Piece piece, std::size_t end);

    ByteSource& m_input;
    std::string m_data;          // m_data[m_start, ...) is the piece being read and what follows
    std::vector<char> m_chunk;   // what one read brings
    std::size_t m_start = 0, m_end = 0, m_pos = 0, m_eor = 0;
    bool m_eof = false, m_headerDone = false;
    std::vector<ScannedField> m_fields;
    std::size_t m_lineOfStart = 1; // the input line of m_data[m_start]
};

} // namespace shirl
