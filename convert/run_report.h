#pragma once
// The report of one conversion run: three message lists, and the counters
// of what was written.
#include <cstdint>
#include <string>
#include <vector>

namespace shirl {

// A list of report messages. Kept oldest first, which is the order in which
// the report shows them.
class MessageList {
public:
    void Push(std::string text) { m_messages.push_back(std::move(text)); }
    bool empty() const { return m_messages.empty(); }
    std::size_t size() const { return m_messages.size(); }
    const std::vector<std::string>& OldestFirst() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

// Appends one message to `list`.
inline void PushMessage(MessageList& list, std::string text) { list.Push(std::move(text)); }

struct RunReport {
    MessageList first;  // progress and summary
    MessageList second; // problems resolving county fields
    MessageList third;  // problems of the input file
};

// Counters of one run that ConvertQso increments.
struct RunCounters {
    std::int64_t qsosWritten = 0;      // output records written
    std::int64_t countyLineCopies = 0; // records beyond the first of a QSO
};

} // namespace shirl
