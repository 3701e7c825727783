// libFuzzer target: a Cabrillo log read as ADIF. The stream is made twice,
// once from a seekable source in one piece and once from a pipe-like
// source in reads of 1 to 8 bytes (the first byte picks the size): the
// ADIF text and the problems must be the same, the ADIF reader must find
// exactly one record per QSO made and no malformed tag, and a rewind must
// make the same stream again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "adif/reader.h"
#include "cabrillo/adif_source.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_cabrillo: %s\n", what);
    std::abort();
}

struct Made {
    std::string adif;
    std::vector<std::string> problems;
    std::int64_t qsos = 0;
};

std::string ReadAll(shirl::ByteSource& source) {
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = source.Read(buf, sizeof buf)) != 0;) out.append(buf, n);
    return out;
}

Made Make(std::string_view input, bool rewindable, std::size_t chunk) {
    shirl::MemorySource bytes(input, rewindable, chunk);
    Made made;
    shirl::CabrilloAdifSource source(bytes, {"Shirl", "1.0", "fuzz<>.log"},
                                     [&](std::string text) { made.problems.push_back(std::move(text)); });
    made.adif = ReadAll(source);
    made.qsos = source.QsoCount();
    if (rewindable) {
        const std::vector<std::string> problems = made.problems;
        if (!source.Rewind()) Fail("a rewindable input does not rewind");
        if (ReadAll(source) != made.adif) Fail("a rewind makes another stream");
        if (made.problems.size() != 2 * problems.size()) Fail("a rewind reports other problems");
        made.problems = problems;
    }
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const Made whole = Make(input, true, 0);
    const Made pieces = Make(input, false, 1 + data[0] % 8);
    if (whole.adif != pieces.adif || whole.problems != pieces.problems)
        Fail("the stream depends on how the input is cut into reads");
    shirl::MemorySource adif(whole.adif);
    shirl::AdifReader reader(adif);
    std::int64_t records = 0;
    using Event = shirl::AdifReader::Event;
    for (Event e = reader.Next(); e != Event::End; e = reader.Next()) {
        if (e == Event::Malformed || e == Event::TooManyFields || e == Event::BadLength) Fail("the stream holds a malformed tag");
        if (e == Event::EndOfRecord) ++records;
    }
    if (records != whole.qsos) Fail("records and QSOs differ in number");
    return 0;
}
