// The reader on a thread of its own hands out the same events, views and
// lines as the reader itself, however small its blocks and reads, with a
// record's views valid until the record ends, also when it takes over from
// the reader part way through a log.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "adif/reader.h"
#include "adif/threaded_reader.h"

namespace shirl {
namespace {

using Event = AdifReader::Event;

// The trace of a run: one line per event. A record's fields are written out
// at its end from the views taken as they came, so a view that did not
// last until then shows. A field's text as it stands is there or not
// depending on where reads end (the writer then formats the field anew):
// where it is there, it must be the tag and the value.
struct Trace {
    std::vector<std::string> lines;
    std::vector<std::string_view> names, values, texts;
    std::vector<std::size_t> starts;

    // Takes events until the end, or until `records` more records ended.
    template <class Reader>
    bool Take(Reader& reader, std::size_t records = SIZE_MAX) {
        for (;;) {
            const Event e = reader.Next();
            switch (e) {
            case Event::HeaderBytes: // pieces follow the reads: joined here
                if (lines.empty() || lines.back().back() == '\n') lines.push_back("H:");
                lines.back().append(reader.Bytes());
                break;
            case Event::EndOfHeader: lines.push_back("EOH:" + std::string(reader.LineEnd())); break;
            case Event::Field:
            case Event::EndOfRecord:
                if (names.empty()) starts.push_back(reader.RecordLine());
                names.push_back(reader.Name());
                values.push_back(reader.Value().value_or("(none)"));
                texts.push_back(reader.FieldText());
                lines.push_back(reader.CharacterCounted() ? "C" : "F");
                if (e == Event::EndOfRecord) {
                    for (std::size_t i = 0; i < names.size(); ++i) {
                        lines.push_back(std::string(names[i]) + "=" + std::string(values[i]));
                        const std::string_view text = texts[i];
                        if (text.empty()) continue;
                        EXPECT_EQ(text.substr(0, names[i].size() + 1), "<" + std::string(names[i]));
                        EXPECT_TRUE(text.ends_with(values[i] == "(none)" ? ">" : values[i])) << text;
                    }
                    lines.push_back("line " + std::to_string(starts.back()) + std::string(reader.LineEnd()));
                    names.clear(), values.clear(), texts.clear();
                    if (--records == 0) return false;
                }
                break;
            case Event::Malformed:
            case Event::TooManyFields:
                lines.push_back("M:" + reader.DroppedText("K1AB"));
                names.clear(), values.clear(), texts.clear();
                break;
            case Event::BadLength: lines.push_back("B:" + std::string(reader.Text())); break;
            case Event::End:
                lines.push_back("END " + std::to_string(reader.Failed()) + " " +
                                std::to_string(reader.CharacterCountedValues()) + " " +
                                std::to_string(reader.StrayLessThans()));
                return true;
            }
        }
    }
};

std::vector<std::string> Alone(std::string_view input) {
    MemorySource source(input);
    AdifReader reader(source);
    Trace trace;
    trace.Take(reader);
    return trace.lines;
}

// The reader alone for `first` records, then on its own thread.
std::vector<std::string> Threaded(std::string_view input, std::size_t block, std::size_t chunk, std::size_t first) {
    MemorySource source(input, false, chunk);
    AdifReader reader(source);
    Trace trace;
    if (first == 0 || !trace.Take(reader, first)) {
        ThreadedReader threaded(reader, {block, 2});
        trace.Take(threaded);
    }
    return trace.lines;
}

// A log whose records cut block edges everywhere: values of every length up
// to 40, CR LF, a value longer than any block, UTF-8 lengths in
// characters, text between tags, a malformed tag, a record without <EOR>.
std::string MixedLog() {
    std::string log = "Made for the test <ADIF_VER:5>3.1.4\r\n<EOH>\r\n";
    for (int i = 0; i < 120; ++i) {
        const std::string value(static_cast<std::size_t>(i % 41), static_cast<char>('a' + i % 26));
        log += "<CALL:" + std::to_string(value.size()) + ">" + value + " <BAND:3>20m";
        if (i % 7 == 0) log += "\r\n<NAME:4>J\xC3\xBCrg zz ";
        if (i % 11 == 0) log += "<COMMENT:3>\xC3\xA9t\xC3\xA9  <X_EMPTY:0>";
        if (i == 50) log += "<NOTES:3000>" + std::string(3000, 'n');
        if (i == 60) log += "<BAD TAG:2>xx";
        log += i % 5 == 0 ? "<eor>\r\n" : "<EOR>\r\n";
    }
    return log + "<CALL:4>LAST";
}

// Records whose fields cut block edges around a length that swallows the
// record's end: the row is not the record's end, so the record's views must
// last past it.
std::string SwallowingLengths() {
    std::string log = "<EOH>\n";
    for (int i = 0; i < 40; ++i)
        log += "<CALL:20>" + std::string(20, static_cast<char>('a' + i % 26)) + " <N:999>t <B:20>" +
               std::string(20, 'b') + " <EOR>\n";
    return log;
}

// Values whose length takes in an <EOR> and ends right before a tag (they
// stand), cut by reads and blocks at every offset.
std::string EorsInValues() {
    std::string log = "<EOH>\n";
    for (int i = 0; i < 30; ++i) log += "<A:1>x <C:16>ab <EOR>\n<D:1>y <E:" + std::to_string(i % 9 + 1) + ">" +
                                        std::string(static_cast<std::size_t>(i % 9 + 1), 'e') + " <EOR>\n";
    return log;
}

struct HandOverCase {
    const char* label;
    std::string input;
};

void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.label; }

class HandOver : public ::testing::TestWithParam<HandOverCase> {};

TEST_P(HandOver, SameEventsWhateverTheBlocks) {
    const std::string& input = GetParam().input;
    const std::vector<std::string> expected = Alone(input);
    for (const std::size_t block : {16, 23, 64, 4096})
        for (const std::size_t chunk : {0, 5})
            for (const std::size_t first : {0, 3}) {
                SCOPED_TRACE("block " + std::to_string(block) + ", reads " + std::to_string(chunk) +
                             ", after record " + std::to_string(first));
                EXPECT_EQ(Threaded(input, block, chunk, first), expected);
            }
}

// Notes a tagger adds to a batch go over with it: the using side finds,
// at each record's end, the note made for that record on the reading
// thread, in the batch the record came in, however the blocks cut the log.
class RecordNumbers final : public BatchNotes {
public:
    void Clear() override { numbers.clear(), taken = 0; }
    std::vector<std::size_t> numbers; // of the records that ended in the batch
    std::size_t taken = 0;
};

class NumberingTagger final : public FieldTagger {
public:
    std::uint8_t Tag(std::size_t, std::string_view, std::optional<std::string_view>) override { return 0; }
    void EndRecord() override { m_notes->numbers.push_back(m_next++); }
    std::unique_ptr<BatchNotes> MakeNotes() override { return std::make_unique<RecordNumbers>(); }
    void UseNotes(BatchNotes* notes) override { m_notes = static_cast<RecordNumbers*>(notes); }

private:
    RecordNumbers* m_notes = nullptr;
    std::size_t m_next = 0;
};

TEST(HandOverNotes, EachRecordFindsItsNoteInItsBatch) {
    const std::string input = MixedLog() + SwallowingLengths() + EorsInValues();
    std::size_t expected = 0; // the records the reader alone ends
    {
        MemorySource source(input);
        AdifReader reader(source);
        for (Event e = reader.Next(); e != Event::End; e = reader.Next()) expected += e == Event::EndOfRecord;
    }
    ASSERT_GT(expected, 100u);
    for (const std::size_t block : {16, 64, 4096}) {
        MemorySource source(input, false, 5);
        AdifReader reader(source);
        NumberingTagger tagger;
        ThreadedReader threaded(reader, {block, 2, &tagger});
        std::size_t records = 0;
        for (Event e = threaded.Next(); e != Event::End; e = threaded.Next()) {
            if (e != Event::EndOfRecord) continue;
            auto* const notes = static_cast<RecordNumbers*>(threaded.Notes());
            ASSERT_NE(notes, nullptr);
            ASSERT_LT(notes->taken, notes->numbers.size()) << "block " << block << ", record " << records;
            EXPECT_EQ(notes->numbers[notes->taken++], records++) << "block " << block;
        }
        EXPECT_EQ(records, expected) << "block " << block;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOver,
    ::testing::Values(HandOverCase{"mixed_log", MixedLog()},
                      HandOverCase{"headerless_one_line", "<CALL:4>K1AB<EOR><CALL:4>W2CD<EOR><CALL:4>N3EF<EOR>"},
                      HandOverCase{"long_header_line", std::string(5000, 'h') + "\n<EOH>\n<A:1>x<EOR>\n"},
                      HandOverCase{"text_without_tags", "<EOH>\n" + std::string(20000, 'z') + "<A:2>yz<EOR>\n"},
                      HandOverCase{"swallowing_lengths", SwallowingLengths()},
                      HandOverCase{"eors_in_values", EorsInValues()},
                      HandOverCase{"value_beyond_the_end", "<EOH>\n<A:1>x<EOR><B:99>abc"},
                      // records named by their first tag's line, not the line their first value ends on
                      HandOverCase{"first_values_over_lines", "<EOH>\n<NOTES:5>a\nb\nc<EOR>\n<A:1>x\n<ADDRESS:4>\n\n\n\n<EOR>"},
                      // a name, and a tag, too long for the compact form of an event
                      HandOverCase{"long_names_and_tags", "<EOH>\n<" + std::string(300, 'N') + ":2>ab <A:" +
                                                              std::string(300, '0') + "4>abcd <" + std::string(255, 'M') +
                                                              ">\n<EOR>\n"},
                      HandOverCase{"empty", ""}));

} // namespace
} // namespace shirl
