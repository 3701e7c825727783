#pragma once
// A pull reader of ADIF: the caller asks for one event at a time and gets
// the header's bytes, each field, the end of each record and the problems of
// the input. It knows nothing of what the fields mean.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "adif/end_tag_matcher.h"

namespace shirl {

// Limit of tags in one record, its <EOR> included.
inline constexpr std::size_t kMaxRecordFields = 1000;

class AdifReader {
public:
    enum class Event {
        HeaderBytes,   // Bytes(): the next piece of the header, copied as it stands
        EndOfHeader,   // the header's last line (the one with <EOH>) has been handed out
        Field,         // Name(), Value(): one field of the record being read
        EndOfRecord,   // Name(), Value(): the <EOR> tag (in its own letter case)
        Malformed,     // Text(): a tag that is not ADIF; the record so far is void
        TooManyFields, // Text(): the record has more than kMaxRecordFields tags; it is void
        BadLength,     // Text(): a length that runs past the input or its record; the tag is
                       // skipped and reading goes on right after it, in the same record
        End,           // no more input (Failed() tells a read error from the end)
    };

    explicit AdifReader(ByteSource& input);
    AdifReader(const AdifReader&) = delete;
    AdifReader& operator=(const AdifReader&) = delete;

    // Reads on to the next event.
    Event Next();

    // Bytes() and Text() stay valid until the next call of Next(); Name() and
    // Value() until the record ends (the call after its EndOfRecord,
    // Malformed, TooManyFields or End event), so that a record's fields need
    // not be copied.
    std::string_view Bytes() const { return m_bytes; }
    std::string_view Name() const { return m_name; }
    // nullopt for a tag without a length (<EOR>, <APP_X>).
    std::optional<std::string_view> Value() const {
        return m_hasValue ? std::optional<std::string_view>(m_value) : std::nullopt;
    }
    std::string_view Text() const { return m_text; }
    // The row of a Malformed or TooManyFields event that names the record's
    // `call` (when not empty) beside its input line; Text() is this without a call.
    std::string DroppedText(std::string_view call) const {
        return DroppedTextOf(m_problem, m_problemLine, m_problemTag, call);
    }
    // The row of a Malformed or TooManyFields `problem` at input `line`, its
    // malformed `tag`, naming `call` when not empty.
    static std::string DroppedTextOf(Event problem, std::size_t line, std::string_view tag, std::string_view call);
    // The input line and the malformed tag of a Malformed or TooManyFields event.
    std::size_t ProblemLine() const { return m_problemLine; }
    std::string_view ProblemTag() const { return m_problemTag; }
    // The field's tag and value as they stand in the input ("<NAME:LEN>VALUE"
    // or "<NAME>") when the tag is written as WriteField writes it (LEN in
    // plain decimal, no leading zero, counting characters when
    // CharacterCounted()) and the value is all there; else empty. Valid as
    // long as Name().
    std::string_view FieldText() const { return m_fieldText; }
    // Whether the field's length was read as a count of UTF-8 characters:
    // read as bytes, the value would have lost text (it would end inside a
    // character or leave text before the next tag), and the same number of
    // characters is valid UTF-8 followed only by blanks and a tag or the end
    // of the input.
    bool CharacterCounted() const { return m_characterCounted; }
    // How many '<' of the input so far started no tag (text between fields).
    std::size_t StrayLessThans() const { return m_strays; }
    // How many values of the input so far were read by characters.
    std::size_t CharacterCountedValues() const { return m_characterCountedValues; }

    // The line end of the input's first line ("\r\n" or "\n"); known after the
    // first call of Next().
    std::string_view LineEnd() const { return m_lineEnd; }
    // Whether reading stopped on an input error rather than at its end.
    bool Failed() const { return m_input.Failed(); }
    // The input line (from 1) that the reader has read up to; counted on
    // demand, so that a caller that never asks pays nothing.
    std::size_t Line() const;
    // The input line (from 1) of the first tag of the record being read.
    std::size_t RecordLine() const { return m_recordLine; }

private:
    enum class State { Start, Header, Records };

    void CountLinesTo(std::size_t pos) const;

    enum class TagStart { Tag, Stray, Malformed };

    void Prescan();
    bool Refill();
    std::optional<Event> NextHeaderPiece(); // nullopt: no header event, read the records
    Event NextRecordEvent();
    std::optional<Event> ReadTag();
    TagStart FindNameEnd(std::size_t& k, char& stop);
    bool RunsOverValue(std::size_t k, std::size_t length);
    bool ReadLength(std::size_t nameEnd, std::size_t& k, std::size_t& length, bool& plain);
    bool ReadPlainLength(std::size_t& k, std::size_t& length) const;
    Event Malformed();
    Event TooManyFields();
    Event BadLength(std::string_view tag, std::string_view why);
    bool SkipToEor();
    bool ReadValue(std::size_t length);
    bool TagFollowsInBuffer();
    bool ByteAvailable(std::size_t k);
    bool TextFollows(std::size_t from = 0);
    int ValueByte(std::size_t i);
    std::optional<std::size_t> CharacterEnd(std::size_t count);
    void ReadByCharactersIfCertain(std::size_t count);
    std::string& NewValueCopy();
    void EndRecord();
    Event ReleaseHeldBlanks();

    ByteSource& m_input;
    std::vector<char> m_buf;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;

    State m_state = State::Start;
    std::string_view m_lineEnd = "\n";
    bool m_headerless = false;
    EndTagMatcher m_headerMatcher;
    bool m_eohSeen = false;
    bool m_headerEndPending = false;
    bool m_headerSplit = false;
    bool m_blanksAfterEoh = false; // all since <eoh> on its line were blanks, held in m_heldBlanks
    std::string m_heldBlanks;     // blanks after <eoh> whose line has not shown what follows them
    static constexpr std::size_t kMostHeldBlanks = std::size_t{64} << 10;
    std::string m_releasedBlanks; // held blanks handed out as header text
    bool m_skipToEor = false;
    std::size_t m_tagsInRecord = 0;

    std::string_view m_bytes;
    std::string_view m_name;
    std::string_view m_value;
    std::string_view m_fieldText;
    bool m_hasValue = false;
    bool m_characterCounted = false;
    std::size_t m_characterCountedValues = 0;
    std::size_t m_strays = 0;
    std::string m_text;
    std::size_t m_problemLine = 0; // the input line of a Malformed or TooManyFields event
    std::string m_problemTag;      // the malformed tag with the rest of its line
    Event m_problem = Event::Malformed;
    // While a record is open its bytes stay where they are: a refill reads
    // into another buffer and keeps the old one until the record ends.
    bool m_bufferHoldsRecord = false; // m_buf holds a name or value of the open record
    bool m_recordEnding = false;      // the record ends at the next call
    std::vector<std::vector<char>> m_kept;
    std::vector<char> m_spare;
    // Values longer than what the buffer held, copied as they are read (a
    // deque: its strings never move).
    std::deque<std::string> m_valueCopies;
    std::size_t m_valueCopiesUsed = 0;
    // Line count: the line of m_buf[m_counted]; a refill counts the bytes it
    // drops first.
    mutable std::size_t m_line = 1;
    mutable std::size_t m_counted = 0;
    std::size_t m_recordLine = 1;
};

// What a read has shown of its input: whether it is an ADIF log at all.
// Notes about ADIF that mention <EOH>, <EOR> and a field or two read as
// records full of malformed tags and stray '<'; a log, even a damaged one,
// has a contact or a header with ADIF fields, and an empty or odd one at
// least nothing malformed.
class AdifEvidence {
public:
    // Takes one event of `reader`.
    // (An AdifReader, or a ThreadedReader that hands its events on.)
    template <class Reader>
    void See(const Reader& reader, AdifReader::Event event) {
        switch (event) {
        case AdifReader::Event::HeaderBytes: SeeHeader(reader.Bytes()); break;
        case AdifReader::Event::Field: m_fieldInRecord = true; break;
        case AdifReader::Event::EndOfRecord:
            m_record = m_record || m_fieldInRecord;
            m_fieldInRecord = false;
            break;
        case AdifReader::Event::EndOfHeader: m_header = true; break;
        case AdifReader::Event::Malformed:
        case AdifReader::Event::TooManyFields:
            m_malformed = true;
            m_fieldInRecord = false;
            break;
        case AdifReader::Event::BadLength: m_malformed = true; break;
        case AdifReader::Event::End: m_malformed = m_malformed || reader.StrayLessThans() != 0; break;
        default: break;
        }
    }
    // A header piece: a tag may be cut between two pieces, so the text
    // from the last '<' (up to a tag's length) waits for the next one.
    void SeeHeader(std::string_view piece) {
        if (m_headerField) return;
        m_headerTail.append(piece);
        m_headerField = HoldsAdifField(m_headerTail);
        const std::size_t lt = m_headerTail.rfind('<');
        if (lt == std::string::npos || m_headerTail.size() - lt > kLongestTagKept) m_headerTail.clear();
        else m_headerTail.erase(0, lt);
    }
    // Whether the input is an ADIF log: `contactFound` tells whether a
    // record was a contact (the caller's test); else a header that holds an
    // ADIF field (<ADIF_VER:5>3.1.4) makes a log however damaged its
    // records are, and otherwise the input must have a header or a record
    // and no malformed tag.
    bool IsLog(bool contactFound) const {
        return contactFound || (m_header && m_headerField) || (!m_malformed && (m_header || m_record));
    }

    // Whether `text` holds a well-formed field tag with a length: "<NAME:DIGITS>"
    // or "<NAME:DIGITS:T>", the name of letters, digits and '_'.
    static bool HoldsAdifField(std::string_view text);

private:
    bool m_record = false, m_fieldInRecord = false, m_header = false, m_malformed = false, m_headerField = false;
    static constexpr std::size_t kLongestTagKept = 256; // a header tag cut between pieces, kept this far
    std::string m_headerTail;
};

} // namespace shirl
