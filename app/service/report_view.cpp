#include "app/service/report_view.h"

#include <algorithm>
#include <string_view>

namespace shirl {

namespace {

constexpr const char* kErrorLabel = "ERROR: ";

// What a fault's text says after the label.
std::string FaultMessage(const Fault& fault) {
    const std::string& subject = fault.subject;
    switch (fault.kind) {
    case FaultKind::NoInputName: return "Didn't specify input file.";
    case FaultKind::NoOutputName: return "Didn't specify output file.";
    case FaultKind::SameNames: return "Input and output file names must be different.";
    case FaultKind::NoSelection: return "You must select a state or QSO Party.";
    case FaultKind::DuplicateOutputName: return "Another input of this run has the same file name.";
    case FaultKind::CannotOpenInput: return "Could not open input file.";
    case FaultKind::CannotReadInput: return "Could not read input file.";
    case FaultKind::NotALog: return subject + " is neither an ADIF log nor a Cabrillo log.";
    case FaultKind::Utf16Log: return subject + " is saved as UTF-16 text; save it as UTF-8 and convert it again.";
    case FaultKind::PartyUnknown:
        return "Could not tell the QSO party from the log's CONTEST_ID (found: " + fault.detail + ").";
    case FaultKind::CannotOpenOutput: return "Could not open output file.";
    case FaultKind::CannotWriteOutput: return "Could not write output file.";
    case FaultKind::NoContestLog: return "Didn't specify the contest log.";
    case FaultKind::NoLogbook: return "Didn't specify the logbook.";
    case FaultKind::CannotOpenLogbook: return "Could not open the logbook.";
    case FaultKind::LogbookNotAFile: return "The logbook is read twice: give it as a file.";
    case FaultKind::CannotReadLogbook: return "Could not read the logbook.";
    case FaultKind::LogbookNotAdif: return subject + " is not an ADIF log.";
    case FaultKind::ListUnreadable: return "Abbreviation list " + subject + ": cannot be read.";
    case FaultKind::ListTooLarge: return "Abbreviation list " + subject + ": larger than 16 MiB.";
    case FaultKind::ListFaulty: return "Abbreviation list " + subject + ", " + fault.detail + ".";
    case FaultKind::ListUnnamed:
        return "Abbreviation list " + subject +
               ": with the Selection from the log, name each list after its Selection (SD.csv, MARAC.replace.csv).";
    case FaultKind::MapUnwritable:
        return subject.empty() ? "Could not write map file." : "Could not write map file " + subject + ".";
    case FaultKind::MapUnopened: return "Could not open the map.";
    case FaultKind::NoMapOfSelection: return "No map: " + subject + " is not on the map of US counties; no map file written.";
    case FaultKind::ReportUnwritable: return "Could not write report file.";
    case FaultKind::ClipboardUnavailable: return "Could not copy to the clipboard.";
    case FaultKind::BrowserUnavailable: return " Could not start web browser."; // two blanks after the label
    case FaultKind::DroppedFolder: return "A folder can't be converted. Drop a log file.";
    case FaultKind::DroppedOther: return "Only a log file can be dropped here.";
    }
    return "Unknown fault."; // a kind outside the enumeration
}

// A line as a list shows it: C0 controls and DEL become blanks (a list draws
// them as boxes, or cuts the row short at them).
std::string ShownLine(std::string line) {
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = ' ';
    }
    return line;
}

// The text with each line break shown as \r or \n, so that an entry that
// quotes a value or a call from the log stays one row. Every other byte
// (a tab, a backslash, other control characters) stays as it is.
std::string OnOneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

} // namespace

std::string ReportRowText(const ReportMessage& message) {
    std::string row;
    if (message.labelled) {
        switch (message.kind) {
        case MessageKind::Info: row = "INFO: "; break;
        case MessageKind::Warning: row = "WARNING: "; break;
        case MessageKind::Error:
            row = message.code != 0 ? "ERROR [" + std::to_string(message.code) + "]: " : std::string(kErrorLabel);
            break;
        case MessageKind::Summary: break;
        }
    }
    if (message.text.find_first_of("\r\n") == std::string::npos) return row.append(message.text);
    return row.append(OnOneLine(message.text));
}

std::string FaultText(const Fault& fault) { return kErrorLabel + FaultMessage(fault); }

std::vector<std::string> ReportRows(const RunReport& report) {
    std::vector<std::string> rows;
    for (const MessageList* list : {&report.progress, &report.countyProblems, &report.inputProblems}) {
        if (list->empty()) continue;
        for (const ReportMessage& message : list->OldestFirst()) {
            if (message.blankBefore) rows.emplace_back();
            rows.push_back(ReportRowText(message));
        }
        rows.emplace_back();
    }
    return rows;
}

std::vector<ReportListRow> ReportListRows(const std::vector<std::string>& rows) {
    std::vector<ReportListRow> list;
    list.reserve(rows.size() + 1);
    for (const std::string& row : rows) {
        std::string::size_type start = 0;
        for (;;) {
            const auto end = row.find('\n', start);
            std::string line = row.substr(start, end == std::string::npos ? std::string::npos : end - start);
            list.push_back({ShownLine(line), std::move(line)});
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return list;
}

std::vector<std::string> ShownTexts(const std::vector<ReportListRow>& rows) {
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (const ReportListRow& row : rows) texts.push_back(row.shown);
    return texts;
}

std::string ReportText(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text.append(row).push_back('\n');
    return text;
}

std::string ListRowsText(const std::vector<ReportListRow>& rows, std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::string text;
    for (int index : indices) {
        if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) continue;
        text.append(rows[static_cast<std::size_t>(index)].printed).push_back('\n');
    }
    return text;
}

} // namespace shirl
