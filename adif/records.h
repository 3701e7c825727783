#pragma once
// The records one conversion run passes around: the fields of one QSO and
// the run report with its three message lists.
#include <optional>
#include <string>
#include <vector>

namespace shirl {

struct AdifField {
    std::string name;                 // as written in the tag, case kept; empty = cleared
    std::optional<std::string> value; // absent for a tag without a length (<EOR>)
};

// The fields of one QSO in input order, the <EOR> field last.
using QsoFields = std::vector<AdifField>;

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

inline void PushMessage(MessageList& list, std::string text) { list.Push(std::move(text)); }

struct RunReport {
    MessageList first;  // progress and summary
    MessageList second; // problems resolving county fields
    MessageList third;  // problems of the input file
};

} // namespace shirl
