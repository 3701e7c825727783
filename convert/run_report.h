#pragma once
// The report of one conversion run: three named lists of typed entries,
// and the counters of what was written. How an entry reads as a row is
// decided in one place above this layer (app/service/report_view).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/county_tally.h"
#include "convert/qso_field.h"
#include "convert/utc_text.h"

namespace shirl {

enum class MessageKind { Info, Warning, Error, Summary };

// One entry of the report, built by name: {.kind = ..., .text = ..., .code = ...}.
struct ReportMessage {
    MessageKind kind = MessageKind::Info;
    std::string text;         // without a label or line feed of its own
    bool blankBefore = false; // a blank row stands before it
    int code = 0;             // an error's number (0: none)
    bool labelled = true;     // shown after its kind's label (a summary has none)

    friend bool operator==(const ReportMessage&, const ReportMessage&) = default;
};

// A list of report entries. Kept oldest first, which is the order in which
// the report shows them.
class MessageList {
public:
    void Push(ReportMessage message) { m_messages.push_back(std::move(message)); }
    void Info(std::string text) { Push({.kind = MessageKind::Info, .text = std::move(text)}); }
    void Warning(std::string text) { Push({.kind = MessageKind::Warning, .text = std::move(text)}); }
    void Error(std::string text, int code = 0) {
        Push({.kind = MessageKind::Error, .text = std::move(text), .code = code});
    }
    void Summary(std::string text, bool blankBefore = false) {
        Push({.kind = MessageKind::Summary, .text = std::move(text), .blankBefore = blankBefore, .labelled = false});
    }
    // A problem shown without its kind's label ("Could not parse date ...").
    void Unlabelled(MessageKind kind, std::string text) {
        Push({.kind = kind, .text = std::move(text), .labelled = false});
    }
    // Puts an entry before the one at `index` (0: first; at the end when
    // there is none), for a row whose text is known only once the rows after
    // it are.
    void Insert(std::size_t index, ReportMessage message) {
        m_messages.insert(m_messages.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_messages.size())),
                          std::move(message));
    }

    bool empty() const { return m_messages.empty(); }
    std::size_t size() const { return m_messages.size(); }
    const std::vector<ReportMessage>& OldestFirst() const { return m_messages; }

private:
    std::vector<ReportMessage> m_messages;
};

// The report's lists, shown in this order.
struct RunReport {
    MessageList progress;       // what the run did: the Selection and lists, changes, the summary
    MessageList countyProblems; // values of county fields that did not resolve cleanly
    MessageList inputProblems;  // what could not be read of the input file
};

// Counters of one run that ConvertQso increments.
struct RunCounters {
    std::int64_t qsosWritten = 0;      // output records written
    std::int64_t countyLineCopies = 0; // records beyond the first of a QSO
    CountyTally counties;              // records written per CNTY county
    std::int64_t qsosLeftOut = 0;      // QSOs without a call, a mode or a band, not written
    // The last QSO written: its call, date, time, band and mode, its first
    // CNTY and how many seconds after its start its records ended. A logger
    // that writes a contact on a county line once per county writes the
    // next record with the same key in another county.
    struct LastQso {
        std::string key;
        std::string county;
        std::int64_t nextOffset = 0;
    } last;
};

} // namespace shirl
