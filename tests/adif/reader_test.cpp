// The pull reader: the events of an ADIF text, with their names, values and
// texts, the same however the input is cut into reads.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "adif/reader.h"
#include "adif/writer.h"

namespace shirl {
namespace {

using Event = AdifReader::Event;

// One event as text: "H:bytes" (a header line), "EOH", "F:NAME=value" ("F:NAME" without a
// value; "C:NAME=value" for a length read as characters), "R:EOR", "M:text", "T:text", "L:text"; End
// is not listed.
std::vector<std::string> Events(std::string_view input, std::size_t chunk = 0, bool rewindable = true,
                                std::string* lineEnd = nullptr) {
    MemorySource source(input, rewindable, chunk);
    AdifReader reader(source);
    std::vector<std::string> out;
    for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
        const auto field = [&] {
            std::string text(reader.Name());
            if (reader.Value()) text.append("=").append(*reader.Value());
            return text;
        };
        switch (e) {
        case Event::HeaderBytes: // pieces follow the reads: joined here
            if (out.empty() || out.back().rfind("H:", 0) != 0 || out.back().back() == '\n') out.push_back("H:");
            out.back().append(reader.Bytes());
            break;
        case Event::EndOfHeader: out.push_back("EOH"); break;
        case Event::Field: out.push_back((reader.CharacterCounted() ? "C:" : "F:") + field()); break;
        case Event::EndOfRecord: out.push_back("R:" + field()); break;
        case Event::Malformed: out.push_back("M:" + std::string(reader.Text())); break;
        case Event::TooManyFields: out.push_back("T:" + std::string(reader.Text())); break;
        case Event::BadLength: out.push_back("L:" + std::string(reader.Text())); break;
        case Event::End: break;
        }
    }
    if (lineEnd) *lineEnd = std::string(reader.LineEnd());
    return out;
}

struct ReaderEventCase {
    const char* label;
    std::string input;
    std::vector<std::string> events;
};

void PrintTo(const ReaderEventCase& c, std::ostream* os) { *os << c.label; }

class ReaderEvents : public ::testing::TestWithParam<ReaderEventCase> {};

TEST_P(ReaderEvents, SameEventsForEveryReadSize) {
    const ReaderEventCase& c = GetParam();
    EXPECT_EQ(Events(c.input), c.events);
    for (const std::size_t chunk : {1, 2, 3, 7}) {
        EXPECT_EQ(Events(c.input, chunk, false), c.events) << "reads of " << chunk << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderEvents,
    ::testing::Values(
        ReaderEventCase{"header_then_record", "Log\n<EOH>\n<CALL:4>K1AB <eor>\n",
                        {"H:Log\n", "H:<EOH>\n", "EOH", "F:CALL=K1AB", "R:eor"}},
        ReaderEventCase{"header_without_end", "just text\n", {"H:just text\n"}},
        ReaderEventCase{"header_end_without_line_end", "Log <Eoh>", {"H:Log <Eoh>", "EOH"}},
        ReaderEventCase{"headerless", "<CALL:2>AB<EOR><CALL:2>CD<EOR>", {"F:CALL=AB", "R:EOR", "F:CALL=CD", "R:EOR"}},
        ReaderEventCase{"value_spans_lines_and_takes_a_lt", "<A:5>x\r\n<y<EOR>", {"F:A=x\r\n<y", "R:EOR"}},
        ReaderEventCase{"tag_without_length_and_types", "<APP_X><B:3:S>abc<C,D:1>d<EOR:0><eor>",
                        {"F:APP_X", "F:B=abc", "M:Malformed ADIF tag in line 1, skipping QSO: [<C,D:1>d<EOR:0><eor>]"}},
        ReaderEventCase{"length_forms", "<A: +2>ab<B:-3>c<C:02:N>de<EOR>", {"F:A=ab", "F:B=", "F:C=de", "R:EOR"}},
        ReaderEventCase{"value_cut_by_the_end", "<A:1>x<EOR><B:10>abc",
                        {"F:A=x", "R:EOR",
                         "L:Malformed ADIF tag in line 1 (its length runs past the end of the input), skipping the "
                         "field: [<B:10>]"}},
        // A length that would take in the record's end goes; reading goes on after its '>'.
        ReaderEventCase{"length_takes_in_records", "<A:1>x <C:20>ab <EOR>\n<D:1>y <EOR>\n<E:1>z<EOR>",
                        {"F:A=x", "L:Malformed ADIF tag in line 1 (its length takes in the next record), skipping the "
                                  "field: [<C:20>]",
                         "R:EOR", "F:D=y", "R:EOR", "F:E=z", "R:EOR"}},
        ReaderEventCase{"twenty_nines", "<EOH>\n<A:1>x <N:99999999999999999999>t <EOR>\n<B:1>y <EOR>\n",
                        {"H:<EOH>\n", "EOH", "F:A=x",
                         "L:Malformed ADIF tag in line 2 (its length runs past the end of the input), skipping the "
                         "field: [<N:99999999999999999999>]",
                         "R:EOR", "F:B=y", "R:EOR"}},
        ReaderEventCase{"a_value_may_hold_an_eor_at_its_end", "<A:7>x <EOR> <EOR>", {"F:A=x <EOR>", "R:EOR"}},
        ReaderEventCase{"no_end_tag_at_all_is_header", "<A:10>abc", {"H:<A:10>abc"}},
        ReaderEventCase{"malformed_then_skip_to_eor", "<A:1>x\n <B{C:1>y\n<D:1>z <EoR> <E:1>w <EOR>",
                        {"F:A=x", "M:Malformed ADIF tag in line 2, skipping QSO: [<B{C:1>y]", "F:E=w", "R:EOR"}},
        ReaderEventCase{"bad_length_is_malformed", "<A:1>x <B:y>z <EOR><C:1>z<EOR>",
                        {"F:A=x", "M:Malformed ADIF tag in line 1, skipping QSO: [<B:y>z <EOR><C:1>z<EOR>]", "F:C=z",
                         "R:EOR"}},
        // A '<' that starts no tag is text between fields.
        ReaderEventCase{"stray_lt_before_a_tag", "<A:1>x < <B:4>KI2D <EOR>", {"F:A=x", "F:B=KI2D", "R:EOR"}},
        ReaderEventCase{"stray_lt_at_line_end", "<A:1>x <B\r\n:1>y <EOR><C:1>z<EOR>",
                        {"F:A=x", "R:EOR", "F:C=z", "R:EOR"}},
        ReaderEventCase{"stray_lt_with_blank_or_nothing", "<B C:1>y <:1>x <public key> <> <A:1>a<EOR>",
                        {"F:A=a", "R:EOR"}},
        ReaderEventCase{"stray_lt_at_the_end", "<A:1>x<EOR> a <", {"F:A=x", "R:EOR"}},
        // Records on the line of <eoh>: the header ends with the tag and a line end.
        ReaderEventCase{"records_on_the_eoh_line", "Log <ADIF_VER:5>3.1.4 <EOH> <CALL:4>K1AB <EOR>",
                        {"H:Log <ADIF_VER:5>3.1.4 <EOH>\n", "EOH", "F:CALL=K1AB", "R:EOR"}},
        ReaderEventCase{"records_on_the_eoh_line_crlf", "Log\r\nx <eoh><A:1>x<EOR>\r\n",
                        {"H:Log\r\n", "H:x <eoh>\r\n", "EOH", "F:A=x", "R:EOR"}},
        ReaderEventCase{"text_after_eoh_stays_header", "Log <EOH> made by X\n<A:1>x<EOR>",
                        {"H:Log <EOH> made by X\n", "EOH", "F:A=x", "R:EOR"}},
        // Blanks between <eoh> and the tag stay out wherever the reads end; kept before a line end or the end.
        ReaderEventCase{"blanks_between_eoh_and_a_tag", "Log <EOH> \v\t <A:1>x<EOR>",
                        {"H:Log <EOH>\n", "EOH", "F:A=x", "R:EOR"}},
        ReaderEventCase{"blanks_then_text_then_a_tag", "<EOH>  x <A:1>x<EOR>", {"H:<EOH>  x \n", "EOH", "F:A=x", "R:EOR"}},
        ReaderEventCase{"blanks_after_eoh_then_line_end", "<EOH> \t \n<A:1>x<EOR>",
                        {"H:<EOH> \t \n", "EOH", "F:A=x", "R:EOR"}},
        ReaderEventCase{"blanks_after_eoh_then_the_end", "Log <EOH>   ", {"H:Log <EOH>   ", "EOH"}},
        // A run of blanks too long to hold is header text, as any other text there.
        ReaderEventCase{"a_long_run_of_blanks_after_eoh", "<EOH>" + std::string(70000, ' ') + "<A:1>x<EOR>",
                        {"H:<EOH>" + std::string(70000, ' ') + "\n", "EOH", "F:A=x", "R:EOR"}},
        ReaderEventCase{"text_between_tags", "<EOH>\na <A:1>x b > c <EOR> d", {"H:<EOH>\n", "EOH", "F:A=x", "R:EOR"}},
        // A length that counts characters is read so only where bytes would lose text.
        ReaderEventCase{"characters_where_bytes_cut_one", "<N:10>Ju\u00e1n Mu\u00f1oz\n<Q:8>El Ca\u00f1\u00f3n<EOR>",
                        {"C:N=Ju\u00e1n Mu\u00f1oz", "C:Q=El Ca\u00f1\u00f3n", "R:EOR"}},
        ReaderEventCase{"characters_where_bytes_leave_text", "<N:5>Mu\u00f1oz <K:2>\U0001F600x\t\r\n<EOR>",
                        {"C:N=Mu\u00f1oz", "C:K=\U0001F600x", "R:EOR"}},
        ReaderEventCase{"characters_up_to_the_end", "<A:1>x<EOR><B:2>\u00f1b", {"F:A=x", "R:EOR", "C:B=\u00f1b"}},
        ReaderEventCase{"bytes_counted_utf8", "<N:12>Ju\u00e1n Mu\u00f1oz <EOR>", {"F:N=Ju\u00e1n Mu\u00f1oz", "R:EOR"}},
        ReaderEventCase{"latin1", "<N:10>Ju\xe1n Mu\xf1oz <EOR>", {"F:N=Ju\xe1n Mu\xf1oz", "R:EOR"}},
        ReaderEventCase{"characters_would_run_into_the_next_tag", "<A:4>\u00f1b<B:1>x<EOR>", {"F:A=\u00f1b<", "R:EOR"}},
        ReaderEventCase{"characters_would_leave_text_too", "<A:2>\u00f1 b <EOR>", {"F:A=\u00f1", "R:EOR"}},
        ReaderEventCase{"characters_not_utf8", "<A:2>\xc3(x <B:2>\xed\xa0\x80x <EOR>",
                        {"F:A=\xc3(", "F:B=\xed\xa0", "R:EOR"}}));

TEST(ReaderEvents, TooManyFieldsVoidsTheRecordUpToItsEor) {
    std::string record;
    for (std::size_t i = 0; i < kMaxRecordFields; ++i) record += "<F:1>x";
    const std::string input = record + "<EOR><A:1>y<EOR>" + record.substr(6) + "<EOR>";
    const std::vector<std::string> events = Events(input);
    ASSERT_EQ(events.size(), kMaxRecordFields + 1 + 2 + kMaxRecordFields);
    EXPECT_EQ(events[kMaxRecordFields - 1], "F:F=x");
    EXPECT_EQ(events[kMaxRecordFields], "T:QSO in line 1 has too many ADIF fields (> 1000), skipping it");
    EXPECT_EQ(events[kMaxRecordFields + 1], "F:A=y"); // the skip ended at the <EOR> itself
    EXPECT_EQ(events.back(), "R:EOR");                // 999 fields and <EOR> are within the limit
}

// The names and values of a record stay valid until the record ends, however
// many reads the record takes and however long its values are.
TEST(ReaderEvents, FieldViewsLastUntilTheRecordEnds) {
    const std::string longValue(200000, 'v');
    const std::string input = "<EOH>\n<A:3>abc <B:" + std::to_string(longValue.size()) + ">" + longValue +
                              " <C:2>cd <EOR>\n<D:1>d <E:2>ee <EOR>\n";
    const std::vector<std::vector<std::string>> expected = {
        {"A=abc", "B=" + longValue, "C=cd", "EOR"}, {"D=d", "E=ee", "EOR"}};
    for (const std::size_t chunk : {0, 1, 3, 4096}) {
        MemorySource source(input, chunk == 0, chunk);
        AdifReader reader(source);
        std::vector<std::pair<std::string_view, std::optional<std::string_view>>> views;
        std::vector<std::vector<std::string>> records;
        for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
            if (e != Event::Field && e != Event::EndOfRecord) continue;
            views.emplace_back(reader.Name(), reader.Value());
            if (e != Event::EndOfRecord) continue;
            std::vector<std::string> record; // read back only now, from the views kept
            for (const auto& [name, value] : views)
                record.push_back(std::string(name) + (value ? "=" + std::string(*value) : ""));
            records.push_back(record);
            views.clear();
        }
        EXPECT_EQ(records, expected) << "reads of " << chunk << " bytes";
    }
}

// A field's text as read is the field as the writer writes it, or empty
// where the tag is written otherwise or the value is not whole in the
// buffer (reads of a few bytes may leave it empty, never different).
TEST(ReaderEvents, FieldTextOnlyWhereTheWriterWritesTheSame) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"<EOH>\n<CALL:4>K1AB <eor>\n", {"<CALL:4>K1AB", "<eor>"}},
        {"<EOH>\n<A:4>x\r\ny<APP_X><B:12>abcdefghijkl<EOR:0>", {"<A:4>x\r\ny", "<APP_X>", "<B:12>abcdefghijkl", "<EOR:0>"}},
        {"<A:02>ab<B:2:S>cd<C: 1>e<D:+1>f<E:0>\n<EOR>", {"", "", "", "", "<E:0>", "<EOR>"}},
        {"<A:1>x<EOR><B:10>abc", {"<A:1>x", "<EOR>"}},
        {"<N:5>Mu\u00f1oz <EOR>", {"<N:5>Mu\u00f1oz", "<EOR>"}}, // the writer counting characters
    };
    for (const auto& [input, expected] : cases) {
        for (const std::size_t chunk : {0, 1, 2, 3, 7}) {
            MemorySource source(input, chunk == 0, chunk);
            AdifReader reader(source);
            std::vector<std::string> texts;
            for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
                if (e != Event::Field && e != Event::EndOfRecord) continue;
                texts.emplace_back(reader.FieldText());
                StringSink written;
                WriteField(written, reader.Name(), reader.Value(), 0, kLineEndLf,
                           reader.CharacterCounted() ? LengthUnit::Characters : LengthUnit::Bytes);
                if (!texts.back().empty()) {
                    EXPECT_EQ(written.str(), texts.back()) << input;
                }
            }
            ASSERT_EQ(texts.size(), expected.size()) << input;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (chunk == 0 || !texts[i].empty()) {
                    EXPECT_EQ(texts[i], expected[i]) << input << " in reads of " << chunk << " bytes";
                }
            }
        }
    }
}

TEST(ReaderEvents, LineEndOfTheFirstLine) {
    for (const auto& [input, expected] : std::vector<std::pair<std::string, std::string>>{
             {"Log\r\n<EOH>\n", "\r\n"}, {"Log\n<EOH>\r\n", "\n"}, {"<A:1>x<EOR>", "\n"}, {"<A:3>x\r\n<EOR>", "\r\n"}}) {
        std::string lineEnd;
        Events(input, 0, true, &lineEnd);
        EXPECT_EQ(lineEnd, expected) << input;
    }
}

} // namespace
} // namespace shirl

namespace shirl {
namespace {

// Line() after each CALL field is the line the field ends on, and
// RecordLine() at each <EOR> the line of the record's first tag, however
// the input is cut into reads (a value with line breaks included).
TEST(AdifReaderLines, CountsLinesAcrossReads) {
    const std::string input = "header\nline two <EOH>\n<CALL:4>K4AA <EOR>\n\n<QTH:5>a\nb\nc <CALL:4>K4BB\n<EOR>"
                              "<CALL:6>K\n4\n\nCC <EOR>\r\n<CALL:4>K4DD<EOR>";
    for (const std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{5}}) {
        MemorySource source(input, false, chunk);
        AdifReader reader(source);
        std::vector<std::size_t> lines, records;
        for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
            if (e == Event::Field && reader.Name() == "CALL") lines.push_back(reader.Line());
            if (e == Event::EndOfRecord) records.push_back(reader.RecordLine());
        }
        EXPECT_EQ(lines, (std::vector<std::size_t>{3, 7, 11, 12})) << "chunk " << chunk;
        EXPECT_EQ(records, (std::vector<std::size_t>{3, 5, 8, 12})) << "chunk " << chunk;
    }
}

} // namespace
} // namespace shirl
