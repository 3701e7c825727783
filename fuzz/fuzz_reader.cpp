// libFuzzer target: the ADIF pull reader on arbitrary bytes. The events are
// read twice, once from a seekable source in one piece and once from a
// pipe-like source in reads of 1 to 8 bytes (the first byte picks the size):
// the events, names, values and texts must be the same (header pieces
// joined), a length read as characters as well (the dictionary brings
// UTF-8 characters and tags), a record never holds more than the limit of
// tags, and a field's text as read, when there is one, is the field as the
// writer writes it (counting characters where the input did).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "adif/reader.h"
#include "adif/writer.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_reader: %s\n", what);
    std::abort();
}

struct Reading {
    std::string header;
    std::vector<std::string> events;
};

Reading Read(std::string_view input, bool rewindable, std::size_t chunk) {
    shirl::MemorySource source(input, rewindable, chunk);
    shirl::AdifReader reader(source);
    Reading out;
    std::size_t tags = 0;
    using Event = shirl::AdifReader::Event;
    for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
        std::string text(1, static_cast<char>('0' + static_cast<int>(e)));
        switch (e) {
        case Event::HeaderBytes:
            if (!out.events.empty()) Fail("header bytes after a record event");
            out.header.append(reader.Bytes());
            continue;
        case Event::Field:
        case Event::EndOfRecord:
            if (reader.Name().empty()) Fail("a field without a name");
            if (++tags > shirl::kMaxRecordFields) Fail("a record beyond the limit of tags");
            text.append(reader.CharacterCounted() ? "#" : "").append(reader.Name());
            text.append(reader.Value() ? "=" : "").append(reader.Value().value_or(""));
            if (!reader.FieldText().empty()) {
                shirl::StringSink written;
                shirl::WriteField(written, reader.Name(), reader.Value(), 0, shirl::kLineEndLf,
                                  reader.CharacterCounted() ? shirl::LengthUnit::Characters : shirl::LengthUnit::Bytes);
                if (written.str() != reader.FieldText()) Fail("a field's text differs from its written form");
            }
            if (e == Event::EndOfRecord) tags = 0;
            break;
        case Event::BadLength:
            if (reader.Text().empty()) Fail("a problem without a text");
            text.append(reader.Text());
            break;
        case Event::Malformed:
        case Event::TooManyFields:
            if (reader.Text().empty()) Fail("a problem without a text");
            text.append(reader.Text());
            tags = 0;
            break;
        default: break;
        }
        out.events.push_back(std::move(text));
    }
    out.events.push_back(std::string(reader.LineEnd()));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const Reading whole = Read(input, true, 0);
    const Reading pieces = Read(input, false, 1 + data[0] % 8);
    if (whole.header != pieces.header) {
        std::fprintf(stderr, "whole header (%zu bytes) [%s]\npieces header (%zu bytes) [%s]\n", whole.header.size(),
                     whole.header.c_str(), pieces.header.size(), pieces.header.c_str());
        Fail("the header depends on how the input is cut into reads");
    }
    for (std::size_t i = 0; i < whole.events.size() || i < pieces.events.size(); ++i) {
        const std::string a = i < whole.events.size() ? whole.events[i] : "(none)";
        const std::string b = i < pieces.events.size() ? pieces.events[i] : "(none)";
        if (a == b) continue;
        std::fprintf(stderr, "event %zu: whole [%s] pieces [%s]\n", i, a.c_str(), b.c_str());
        Fail("events depend on how the input is cut into reads");
    }
    return 0;
}
