// The field writer: field form and the 79-column rule.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "adif/byte_io.h"
#include "adif/writer.h"

namespace shirl {
namespace {

struct Field {
    std::string name;
    std::optional<std::string> value;
};

// Writes the fields as one record (first at column 0) and returns the text.
std::string WriteRecord(const std::vector<Field>& fields, std::string_view lineEnd = kLineEndLf) {
    StringSink sink(16); // a small buffer exercises the buffer edges as well
    std::size_t column = 0;
    for (const Field& f : fields) {
        const std::optional<std::string_view> value =
            f.value ? std::optional<std::string_view>(*f.value) : std::nullopt;
        column = WriteField(sink, f.name, value, column, lineEnd);
    }
    return sink.str();
}

TEST(WriteField, WorkedExampleWrapsBeforeColumn80) {
    const std::string text = WriteRecord({{"QSO_DATE", "20200131"},
                                          {"TIME_ON", "123400"},
                                          {"CALL", "N0CALL"},
                                          {"QSO_DATE", "20200131"},
                                          {"TIME_ON", "1234"},
                                          {"BAND", "20M"},
                                          {"MODE", "CW"},
                                          {"CNTY", "AL,Autauga"},
                                          {"STATE", "AL"},
                                          {"EOR", std::nullopt}});
    EXPECT_EQ(text,
              "<QSO_DATE:8>20200131 <TIME_ON:6>123400 <CALL:6>N0CALL <QSO_DATE:8>20200131\n"
              "<TIME_ON:4>1234 <BAND:3>20M <MODE:2>CW <CNTY:10>AL,Autauga <STATE:2>AL <EOR>");
}

struct ColumnCase {
    const char* label;
    std::size_t column;
    std::string name;
    std::optional<std::string> value;
    std::string_view lineEnd;
    std::string expectedText;
    std::size_t expectedColumn;
};

// Test names and failure messages show the case label, not a byte dump.
void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.label; }

class WriteFieldColumn : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(WriteFieldColumn, TextAndNewColumn) {
    const ColumnCase& c = GetParam();
    StringSink sink;
    const std::optional<std::string_view> value = c.value ? std::optional<std::string_view>(*c.value) : std::nullopt;
    EXPECT_EQ(WriteField(sink, c.name, value, c.column, c.lineEnd), c.expectedColumn);
    EXPECT_EQ(sink.str(), c.expectedText);
    // The same field given whole goes where the column rule puts it, in a
    // buffer that holds it and in one smaller than it.
    std::string text = "<" + c.name;
    if (c.value) text.append(":").append(std::to_string(c.value->size())).append(">").append(*c.value);
    else text.append(">");
    for (const std::size_t capacity : {std::size_t{4096}, std::size_t{16}}) {
        StringSink whole(capacity);
        EXPECT_EQ(WriteFieldText(whole, text, c.column, c.lineEnd), c.expectedColumn);
        EXPECT_EQ(whole.str(), c.expectedText) << "buffer of " << capacity;
    }
}

const std::string k70(70, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFieldColumn,
    ::testing::Values(
        // <A:1>x is 6 characters: 72 + 6 = 78 stays on the line (ends in column 79).
        ColumnCase{"ends_at_column_79", 72, "A", "x", kLineEndLf, " <A:1>x", 79},
        ColumnCase{"one_more_wraps", 73, "A", "x", kLineEndLf, "\n<A:1>x", 6},
        ColumnCase{"wrap_uses_crlf", 73, "A", "x", kLineEndCrLf, "\r\n<A:1>x", 6},
        ColumnCase{"first_field_long", 0, "COMMENT", k70, kLineEndLf, "<COMMENT:70>" + k70, 82},
        ColumnCase{"long_field_own_line", 5, "COMMENT", k70, kLineEndLf, "\n<COMMENT:70>" + k70, 82},
        ColumnCase{"after_long_field_new_line", 82, "EOR", std::nullopt, kLineEndLf, "\n<EOR>", 5},
        ColumnCase{"empty_value", 10, "NOTES", "", kLineEndLf, " <NOTES:0>", 20},
        ColumnCase{"no_value", 0, "eor", std::nullopt, kLineEndLf, "<eor>", 5},
        ColumnCase{"name_case_kept", 3, "Cnty", "AL,Lee", kLineEndLf, " <Cnty:6>AL,Lee", 18},
        // An embedded line feed counts as one byte; the rule does not see it.
        ColumnCase{"embedded_line_feed", 10, "ADDRESS", "a\nb", kLineEndLf, " <ADDRESS:3>a\nb", 25},
        ColumnCase{"embedded_crlf", 10, "ADDRESS", "a\r\nb", kLineEndLf, " <ADDRESS:4>a\r\nb", 26},
        ColumnCase{"multi_byte_utf8_length_in_bytes", 0, "NAME", "Mu\xc3\xb1oz", kLineEndLf,
                   "<NAME:6>Mu\xc3\xb1oz", 14}),
    [](const ::testing::TestParamInfo<ColumnCase>& info) { return std::string(info.param.label); });

// A sink that refuses to take more than `limit` bytes in total.
class LimitedSink final : public ByteSink {
public:
    explicit LimitedSink(std::size_t limit) : ByteSink(16), m_limit(limit) {}
    std::string taken;

protected:
    bool Drain(const char* data, std::size_t size) override {
        if (taken.size() + size > m_limit) return false;
        taken.append(data, size);
        return true;
    }

private:
    std::size_t m_limit;
};

TEST(ByteSink, LargeWritesPassThroughInOrder) {
    StringSink sink(16);
    const std::string big(1000, 'b');
    sink.Write("ab");
    sink.Write(big);
    sink.Put('c');
    sink.Write(std::string(20, 'd'));
    sink.Put('e');
    sink.Write(std::string(9, 'f')); // more than half the buffer, less than all of it
    sink.Write("g");
    EXPECT_EQ(sink.str(), "ab" + big + "c" + std::string(20, 'd') + "e" + std::string(9, 'f') + "g");
    EXPECT_FALSE(sink.Failed());
}

TEST(ByteSink, FailedWriteIsReportedAndSticks) {
    LimitedSink sink(40);
    sink.Write(std::string(30, 'a'));
    EXPECT_TRUE(sink.Flush());
    sink.Write(std::string(30, 'b'));
    EXPECT_FALSE(sink.Flush());
    EXPECT_TRUE(sink.Failed());
    sink.Write("c");
    EXPECT_FALSE(sink.Flush());
    EXPECT_EQ(sink.taken, std::string(30, 'a'));
}

} // namespace
} // namespace shirl
