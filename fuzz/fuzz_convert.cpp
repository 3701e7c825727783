// libFuzzer target: the whole conversion on arbitrary bytes as a log, in
// memory. The first byte picks the Selection (mod 61) and the add-mobile
// flag (its top bit); the rest is the log. The same log is converted twice,
// once from a seekable source in one piece and once from a pipe-like source
// in small chunks: output and report must be identical, so no record, field
// or message may depend on where the input's chunks happen to end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adif/byte_io.h"
#include "convert/convert_log.h"
#include "convert/run_report.h"
#include "data/selections.h"

namespace {

struct Run {
    std::string output;
    shirl::RunReport report;
    shirl::ConvertLogResult result;
};

void Convert(std::string_view log, shirl::Selection selection, bool addMobile, bool rewindable, std::size_t chunk, Run& run) {
    shirl::MemorySource source(log, rewindable, chunk);
    shirl::StringSink sink;
    run.result = shirl::ConvertLogDetailed(source, sink, selection, addMobile, "fuzz.adi", run.report, nullptr, shirl::CountyLines::Copies);
    if (sink.Failed()) std::abort();
    run.output = sink.str();
}

bool SameList(const shirl::MessageList& a, const shirl::MessageList& b) {
    return a.OldestFirst() == b.OldestFirst();
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_convert: %s\n", what);
    std::abort();
}

// Fails with `what` where the two outputs differ, showing where.
void SameOutput(const std::string& expected, const std::string& got, const char* what) {
    if (got == expected) return;
    const auto at = static_cast<std::size_t>(std::mismatch(expected.begin(), expected.end(), got.begin(), got.end()).first -
                                             expected.begin());
    const std::size_t from = at < 60 ? 0 : at - 60;
    std::fprintf(stderr, "outputs differ at byte %zu:\n[%s]\n[%s]\n", at, expected.substr(from, 160).c_str(),
                 got.substr(from, 160).c_str());
    Fail(what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const shirl::Selection selection(data[0] % shirl::kSelectionCount);
    const bool addMobile = (data[0] & 0x80) != 0;
    const std::string_view log(reinterpret_cast<const char*>(data + 1), size - 1);

    Run whole;
    Convert(log, selection, addMobile, true, 0, whole);
    const auto& first = whole.report.progress.OldestFirst();
    // The Wrote line is the last summary line; a row on contacts left out may follow it.
    const auto wrote = std::find_if(first.rbegin(), first.rend(),
                                    [](const shirl::ReportMessage& m) { return m.kind == shirl::MessageKind::Summary; });
    if (first.size() < 2 || wrote == first.rend()) Fail("the report lacks its two summary lines");
    if (wrote->text != "Wrote " + std::to_string(whole.result.qsosWritten) + " QSOs to fuzz.adi")
        Fail("the Wrote line does not match the count of QSOs written");
    if ((wrote != first.rbegin()) != (whole.result.qsosLeftOut != 0))
        Fail("a row after the totals without contacts left out, or none with them");
    if (whole.result.qsosWritten < 0 || whole.result.countyLineCopies < 0 || whole.result.countiesConverted < 0)
        Fail("a negative counter");
    if (whole.result.countyLineCopies > whole.result.qsosWritten) Fail("more county-line copies than QSOs");

    Run pieces;
    Convert(log, selection, addMobile, false, 1 + data[0] % 7, pieces);
    SameOutput(whole.output, pieces.output, "output depends on how the input is chunked");
    if (!SameList(pieces.report.progress, whole.report.progress) || !SameList(pieces.report.countyProblems, whole.report.countyProblems) ||
        !SameList(pieces.report.inputProblems, whole.report.inputProblems))
        Fail("report depends on how the input is chunked");
    return 0;
}
