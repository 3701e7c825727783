// Google Benchmark of the hot parts of a conversion: the whole run on an
// in-memory log, the abbreviation lookup, the callsign prefix and the field
// writer. Whole-program figures against the I/O floor and the peer come
// from bench/run_bench.sh.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "adif/byte_io.h"
#include "convert/convert_log.h"
#include "convert/run_report.h"
#include "adif/writer.h"
#include "convert/lookup.h"
#include "convert/prefix.h"
#include "data/gazetteer.h"

namespace {

constexpr shirl::Selection kAlabama = shirl::selections::kAL;

// Discards what is written, so that only the writer is measured.
class NullSink final : public shirl::ByteSink {
public:
    NullSink() : ByteSink(1 << 16) {}

protected:
    bool Drain(const char* data, std::size_t size) override {
        benchmark::DoNotOptimize(data);
        benchmark::DoNotOptimize(size);
        return true;
    }
};

void AppendField(std::string& out, std::string_view name, std::string_view value) {
    out += '<';
    out += name;
    out += ':';
    out += std::to_string(value.size());
    out += '>';
    out += value;
    out += ' ';
}

// A log shaped like bench/gen_log.py's: N1MM-style records of an Alabama QSO
// party, one a line, CR LF, a county line every 33rd QSO and a mobile every 50th.
std::string MakeLog(int qsos) {
    static constexpr std::array<std::string_view, 12> counties = {
        "AUT", "AUTA", "BALD", "BAR", "CHMB", "DKLB", "JEFF", "MOB", "MGMY", "TUSC", "LEE", "WINS"};
    static constexpr std::array<std::string_view, 4> modes = {"CW", "SSB", "FT8", "RTTY"};
    std::string log = "N1MM Logger export\r\n<ADIF_VER:5>3.1.0 <EOH>\r\n";
    std::uint32_t state = 12345;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int i = 0; i < qsos; ++i) {
        const std::string_view county = counties[next() % counties.size()];
        std::string call = "K";
        call += std::to_string(next() % 10);
        call += static_cast<char>('A' + next() % 26);
        call += static_cast<char>('A' + next() % 26);
        if (i % 50 == 0) {
            call += '/';
            call += county;
        }
        const int seconds = i * 7;
        char time[7];
        std::snprintf(time, sizeof time, "%02d%02d%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
        AppendField(log, "CALL", call);
        AppendField(log, "QSO_DATE", "20200229");
        AppendField(log, "TIME_ON", time);
        AppendField(log, "BAND", "20M");
        AppendField(log, "FREQ", "14.04200");
        AppendField(log, "CONTEST_ID", "AL-QSO-PARTY");
        AppendField(log, "MODE", modes[next() % modes.size()]);
        AppendField(log, "RST_RCVD", "599");
        AppendField(log, "RST_SENT", "599");
        AppendField(log, "STX_STRING", "AUTA");
        AppendField(log, "APP_N1MM_EXCHANGE1", county);
        if (i % 33 == 0) AppendField(log, "CNTY", counties[next() % counties.size()]);
        log += "<EOR>\r\n";
    }
    return log;
}

void BM_ConvertLog(benchmark::State& state) {
    const int qsos = static_cast<int>(state.range(0));
    const std::string log = MakeLog(qsos);
    for (auto _ : state) {
        shirl::MemorySource source(log);
        NullSink sink;
        shirl::RunReport report;
        benchmark::DoNotOptimize(shirl::ConvertLog(source, sink, kAlabama, true, "out.adi", report));
        sink.Flush();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(log.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * qsos);
}
BENCHMARK(BM_ConvertLog)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LookupAbbreviation(benchmark::State& state) {
    // Found at once, found in a 4-letter form, a state, and not found.
    static constexpr std::array<std::string_view, 8> values = {"AUTA", "AUT", "MGMY", "WINS",
                                                               "TX",   "MDC", "XQZ",  "DX"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shirl::LookupAbbreviation(values[i++ % values.size()], kAlabama));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_LookupAbbreviation);

void BM_ExtractCallsignPrefix(benchmark::State& state) {
    static constexpr std::array<std::string_view, 8> calls = {"N0CALL",    "VE3CALL",     "KH6CALL/7", "N0CALL/M",
                                                              "N0CALL/AUT", "VE3/N0CALL/P", "2E0CALL",  "W1AW"};
    std::string prefix;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shirl::ExtractCallsignPrefix(calls[i++ % calls.size()], prefix));
        benchmark::DoNotOptimize(prefix.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ExtractCallsignPrefix);

void BM_WriteField(benchmark::State& state) {
    NullSink sink;
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> fields = {
        {{"CALL", "N0CALL"},
         {"QSO_DATE", "20200229"},
         {"CNTY", "AL,Autauga"},
         {"STATE", "AL"},
         {"APP_N1MM_ID", "7ce42c8218072e8c35bf992dc9e9c616"},
         {"MODE", "CW"}}};
    std::size_t column = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [name, value] = fields[i++ % fields.size()];
        column = shirl::WriteField(sink, name, value, column, shirl::kLineEndCrLf);
        if (column > 1000) column = 0;
    }
    sink.Flush();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_WriteField);

} // namespace

BENCHMARK_MAIN();
