// The two passes over the logbook and the report of a fill.
#include "fill/fill_logbook.h"

#include <unordered_map>

#include "fill/fill_plan.h"
#include "fill/pairing.h"
#include "fill/record_scanner.h"

namespace shirl {
namespace {

QsoFacts FactsOf(const RecordScanner& scanner) {
    QsoFacts facts;
    for (const ScannedField& field : scanner.Fields()) TakeFact(facts, field.name, field.value);
    return facts;
}

// Where the QSOs of each call are.
using CallIndex = std::unordered_map<std::string, std::vector<std::size_t>>;

// The first pass: every candidate pair, and the input line of each record
// that stands in one.
struct FirstPass {
    std::vector<Candidate> candidates;
    std::unordered_map<std::int64_t, std::size_t> lines;
    std::int64_t records = 0;
};

FirstPass FindCandidates(const ContestQsos& contest, ByteSource& logbook, std::int64_t window) {
    CallIndex byCall;
    for (std::size_t i = 0; i < contest.qsos.size(); ++i) byCall[contest.qsos[i].key.call].push_back(i);
    FirstPass pass;
    RecordScanner scanner(logbook);
    for (RecordScanner::Piece piece; (piece = scanner.Next()) != RecordScanner::Piece::End;) {
        if (piece != RecordScanner::Piece::Record) continue;
        const std::int64_t record = pass.records++;
        const auto key = MatchKeyOf(FactsOf(scanner));
        if (!key) continue;
        const auto qsos = byCall.find(key->call);
        if (qsos == byCall.end()) continue;
        for (const std::size_t q : qsos->second) {
            const MatchKey& other = contest.qsos[q].key;
            const std::int64_t apart = key->start > other.start ? key->start - other.start : other.start - key->start;
            if (other.band != key->band || other.family != key->family || apart > window) continue;
            pass.candidates.push_back({record, q, apart});
            pass.lines[record] = scanner.Line();
        }
    }
    return pass;
}

std::string Plural(std::int64_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

class Reporter {
public:
    Reporter(const ContestQsos& contest, RunReport& report) : m_contest(contest), m_report(report) {}

    void Disagreement(std::size_t qso, std::size_t line, const std::string& text) {
        m_disagreements.push_back(m_contest.qsos[qso].label + " (logbook line " + std::to_string(line) + "): " + text);
    }
    void Write(const FillResult& result, const Pairing& pairing, const FirstPass& pass, std::string_view outputName);

private:
    const ContestQsos& m_contest;
    RunReport& m_report;
    std::vector<std::string> m_disagreements;
};

void Reporter::Write(const FillResult& result, const Pairing& pairing, const FirstPass& pass,
                     std::string_view outputName) {
    MessageList& list = m_report.progress;
    const auto qsos = static_cast<std::int64_t>(m_contest.qsos.size());
    list.Summary("Matched " + std::to_string(result.matched) + " of " + Plural(qsos, "contest QSO", "contest QSOs") +
                     " with logbook records; filled " + Plural(result.filled, "record.", "records."),
                 true);
    list.Summary("Added " + Plural(result.lineRecords, "record", "records") + " for county lines.");
    if (result.alreadyHeld != 0)
        list.Info(Plural(result.alreadyHeld, "matched record", "matched records") + " held the county already.");
    if (result.noCounty != 0)
        list.Info(Plural(result.noCounty, "matched contest QSO has", "matched contest QSOs have") +
                  " no county in the contest log.");
    std::vector<bool> paired(m_contest.qsos.size(), false);
    for (const Candidate& c : pairing.pairs) paired[c.qso] = true;
    std::vector<bool> ambiguous(m_contest.qsos.size(), false);
    for (const std::size_t q : pairing.ambiguous) ambiguous[q] = true;
    for (std::size_t q = 0; q < paired.size(); ++q)
        if (!paired[q] && !ambiguous[q]) list.Warning("Not in the logbook: " + m_contest.qsos[q].label);
    for (const std::size_t q : pairing.ambiguous) {
        std::string lines;
        for (const Candidate& c : pairing.tied)
            if (c.qso == q) lines.append(lines.empty() ? "" : ", ").append(std::to_string(pass.lines.at(c.record)));
        list.Warning("Ambiguous: " + m_contest.qsos[q].label + ": equally near records at logbook lines " + lines +
                     "; not filled.");
    }
    for (std::string& text : m_disagreements) list.Warning("Disagrees: " + std::move(text));
    if (m_contest.withoutKey != 0)
        list.Info(Plural(static_cast<std::int64_t>(m_contest.withoutKey), "contest QSO", "contest QSOs") +
                  " without a call, band, mode or readable date and time could not be matched.");
    list.Summary("Wrote " + Plural(result.written, "record", "records") + " to " + std::string(outputName));
}

} // namespace

FillResult FillLogbook(const ContestQsos& contest, ByteSource& logbook, ByteSink& output, const FillOptions& options,
                       std::string_view outputName, RunReport& report) {
    FillResult result;
    const FirstPass pass = FindCandidates(contest, logbook, options.windowSeconds);
    const Pairing pairing = PairCandidates(pass.candidates, contest.qsos.size());
    if (!logbook.Rewind()) {
        result.rewound = false;
        return result;
    }
    Reporter reporter(contest, report);
    RecordScanner scanner(logbook);
    auto next = pairing.pairs.begin();
    for (RecordScanner::Piece piece; (piece = scanner.Next()) != RecordScanner::Piece::End;) {
        if (piece != RecordScanner::Piece::Record) {
            output.Write(scanner.Bytes());
            continue;
        }
        const std::int64_t record = result.records++;
        ++result.written;
        if (next == pairing.pairs.end() || next->record != record) {
            output.Write(scanner.Bytes());
            continue;
        }
        const ContestQso& qso = contest.qsos[next->qso];
        const QsoFacts facts = FactsOf(scanner);
        const FillPlan plan = PlanFill(facts, qso, options.countyLines);
        const ScannedRecord scanned{scanner.Bytes(), scanner.Fields(), scanner.EorOffset()};
        WriteWithFields(output, scanned, plan.added);
        const std::int64_t start = MatchKeyOf(facts)->start;
        for (std::size_t k = 0; k < plan.copies.size(); ++k)
            WriteCopy(output, scanned, plan.added, start + static_cast<std::int64_t>(k) + 1, plan.copies[k]);
        for (const std::string& text : plan.disagreements) reporter.Disagreement(next->qso, scanner.Line(), text);
        ++result.matched;
        result.filled += plan.filled ? 1 : 0;
        result.noCounty += qso.counties.empty() ? 1 : 0;
        result.alreadyHeld += !qso.counties.empty() && !plan.filled && plan.disagreements.empty() ? 1 : 0;
        result.lineRecords += static_cast<std::int64_t>(plan.copies.size());
        result.written += static_cast<std::int64_t>(plan.copies.size());
        ++next;
    }
    reporter.Write(result, pairing, pass, outputName);
    return result;
}

} // namespace shirl
