#include "app/service/report_view.h"

#include <algorithm>

namespace shirl {

namespace {

// A line as a list shows it: C0 controls and DEL become blanks (a list draws
// them as boxes, or cuts the row short at them).
std::string ShownLine(std::string line) {
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = ' ';
    }
    return line;
}

} // namespace

std::string ReportRowText(const ReportMessage& message) {
    std::string row;
    if (message.labelled) {
        switch (message.kind) {
        case MessageKind::Info: row = "INFO: "; break;
        case MessageKind::Warning: row = "WARNING: "; break;
        case MessageKind::Error:
            row = message.code != 0 ? "ERROR [" + std::to_string(message.code) + "]: " : std::string("ERROR: ");
            break;
        case MessageKind::Summary: break;
        }
    }
    return row.append(message.text);
}

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
