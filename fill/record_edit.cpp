#include "fill/record_edit.h"

#include <algorithm>

#include "base/text_util.h"
#include "convert/qso_time.h"

namespace shirl {
namespace {

bool IsBlanks(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return IsCSpace(c); });
}

// What stands between two fields of the record: the blanks before its last
// field, else those before its <EOR>, else one blank.
std::string_view Separator(const ScannedRecord& record) {
    const auto& f = record.fields;
    if (f.size() >= 2) {
        const std::string_view gap = record.bytes.substr(f[f.size() - 2].end, f.back().begin - f[f.size() - 2].end);
        if (IsBlanks(gap)) return gap;
    }
    if (!f.empty()) {
        const std::string_view gap = record.bytes.substr(f.back().end, record.eor - f.back().end);
        if (IsBlanks(gap)) return gap;
    }
    return " ";
}

// Where the added fields go: after what the record holds before its
// <EOR>, the blanks and line ends before <EOR> staying in front of it.
std::size_t InsertionPoint(const ScannedRecord& record) {
    std::size_t at = record.eor;
    const std::size_t first = record.fields.empty() ? record.eor : record.fields.front().begin;
    while (at > first && IsCSpace(record.bytes[at - 1])) --at;
    return at;
}

// The record's line end: of its first line end after its first field,
// else of the one before it; "\n" when it has none.
std::string_view LineEndOf(const ScannedRecord& record) {
    const std::size_t first = record.fields.empty() ? record.eor : record.fields.front().begin;
    std::size_t lf = record.bytes.find('\n', first);
    if (lf == std::string_view::npos) lf = record.bytes.substr(0, first).rfind('\n');
    return lf != std::string_view::npos && lf > 0 && record.bytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

void PutField(ByteSink& out, std::string_view name, std::string_view value) {
    out.Write("<");
    out.Write(name);
    out.Write(":");
    out.Write(std::to_string(value.size()));
    out.Write(">");
    out.Write(value);
}

const NewField* ValueFor(std::span<const NewField> values, std::string_view name) {
    for (const NewField& v : values)
        if (SameNoCase(v.name, name)) return &v;
    return nullptr;
}

} // namespace

void WriteWithFields(ByteSink& out, const ScannedRecord& record, std::span<const NewField> added) {
    const std::size_t at = InsertionPoint(record);
    const std::string_view separator = Separator(record);
    out.Write(record.bytes.substr(0, at));
    for (const NewField& field : added) {
        out.Write(separator);
        PutField(out, field.name, field.value);
    }
    out.Write(record.bytes.substr(at));
}

bool LeftOutOfCopies(std::string_view name) {
    for (const std::string_view prefix : {"QSL_", "LOTW_", "EQSL_", "CLUBLOG_", "QRZCOM_", "HRDLOG_", "HAMLOGEU_", "HAMQTH_"})
        if (name.size() > prefix.size() && EqualsNoCase(name.substr(0, prefix.size()), prefix)) return true;
    return false;
}

void WriteCopy(ByteSink& out, const ScannedRecord& record, std::span<const NewField> added, std::int64_t start,
               std::span<const NewField> values) {
    const std::string_view separator = Separator(record);
    out.Write(LineEndOf(record));
    const UtcText time = FormatUtc(start);
    const NewField times[] = {{"QSO_DATE", std::string(time.Date())}, {"TIME_ON", std::string(time.Time())}};
    bool first = true;
    const auto put = [&](std::string_view name, std::string_view text, const NewField* value) {
        if (LeftOutOfCopies(name)) return;
        if (!first) out.Write(separator);
        first = false;
        if (!value) value = ValueFor(times, name);
        if (value) {
            PutField(out, name, value->value);
        } else {
            out.Write(text);
        }
    };
    for (const ScannedField& field : record.fields)
        put(field.name, record.bytes.substr(field.begin, field.end - field.begin), ValueFor(values, field.name));
    for (const NewField& field : added) {
        const NewField* value = ValueFor(values, field.name);
        put(field.name, {}, value ? value : &field);
    }
    const std::size_t end = InsertionPoint(record);
    const std::string_view gap = record.bytes.substr(end, record.eor - end);
    out.Write(first ? "" : IsBlanks(gap) ? gap : separator);
    out.Write(record.bytes.substr(record.eor));
}

} // namespace shirl
