// libFuzzer target: filling a logbook. The input is a contest log (read as
// a converted one) and a logbook, split where the first byte says; the
// second byte picks the read size. The logbook's pieces must be every byte
// of it, a fill from no QSOs must write it back unchanged, and a fill from
// its own records must write every record and count what it added.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adif/byte_io.h"
#include "fill/contest_qsos.h"
#include "fill/fill_logbook.h"
#include "fill/record_scanner.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_fill: %s\n", what);
    std::abort();
}

shirl::FillResult Fill(std::string_view contest, std::string_view logbook, std::size_t chunk, std::string& out,
                       shirl::CountyLines lines) {
    shirl::MemorySource contestSource(contest);
    const shirl::ContestQsos qsos = shirl::ReadContestQsos(contestSource);
    shirl::MemorySource logbookSource(logbook, true, chunk);
    shirl::StringSink sink;
    shirl::RunReport report;
    const shirl::FillResult result =
        shirl::FillLogbook(qsos, logbookSource, sink, shirl::FillOptions{600, lines}, "out.adi", report);
    out = sink.str();
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view all(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t split = all.size() * data[0] / 256;
    const std::size_t chunk = data[1] % 9;
    const std::string_view contest = all.substr(0, split), logbook = all.substr(split);

    shirl::MemorySource source(logbook, true, chunk);
    shirl::RecordScanner scanner(source);
    std::string back;
    std::int64_t records = 0;
    for (shirl::RecordScanner::Piece piece; (piece = scanner.Next()) != shirl::RecordScanner::Piece::End;) {
        back.append(scanner.Bytes());
        records += piece == shirl::RecordScanner::Piece::Record ? 1 : 0;
    }
    if (back != logbook) Fail("the pieces are not the logbook");

    std::string out;
    if (Fill({}, logbook, chunk, out, shirl::CountyLines::Copies).written != records || out != logbook)
        Fail("a fill from no QSOs changed the logbook");
    for (const auto lines : {shirl::CountyLines::Copies, shirl::CountyLines::Usaca}) {
        for (const std::string_view from : {contest, logbook}) {
            const shirl::FillResult result = Fill(from, logbook, chunk, out, lines);
            if (result.records != records || result.written != records + result.lineRecords)
                Fail("records were lost or counted wrong");
            if (out.size() < logbook.size()) Fail("the output is shorter than the logbook");
            if (result.matched == 0 && out != logbook) Fail("nothing matched, yet the logbook changed");
        }
    }
    return 0;
}
