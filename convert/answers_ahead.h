#pragma once
// County answers worked out ahead. While one thread converts, the reading
// thread asks the county questions each record's conversion will ask and
// answers them (AnswerCountyValue changes nothing and depends on its
// question alone); the conversion takes an answer whose question is the
// one it asks, and asks anew where none is (its callsign changed, a
// county line split, no reading thread).
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "adif/read_batch.h"
#include "convert/answer_memo.h"
#include "convert/county_answer.h"

namespace shirl {

// A question asked ahead (its value, field and record) and its answer.
struct AnswerAhead {
    std::string_view value;
    FieldKind field = FieldKind::Cnty;
    std::string_view fieldName;
    std::optional<std::string_view> callsign;
    std::optional<std::string_view> state;
    CountyAnswer answer;
    bool taken = false;
};

// The answer in `ahead` to `question` about `value`, each answer taken once
// (two fields that ask the same get one each; the caller may move it), or
// nullptr.
CountyAnswer* TakeAnswerAhead(std::span<AnswerAhead> ahead, std::string_view value, const CountyQuestion& question);

// The answers for the records of one batch, record by record.
class AnswersAhead final : public BatchNotes {
public:
    void Clear() override;
    // The reading side: an answer of the record being read.
    void Add(AnswerAhead answer) { m_answers.push_back(std::move(answer)); }
    // The reading side: the record being read has ended.
    void EndRecord() { m_ends.push_back(m_answers.size()); }
    // The converting side: the answers of the next record, in the order the
    // records ended (none once every record's have been taken).
    std::span<AnswerAhead> NextRecord();

private:
    std::vector<AnswerAhead> m_answers;
    std::vector<std::size_t> m_ends; // each record's answers end here in m_answers
    std::size_t m_next = 0;          // the next record to take
};

// On the reading thread: gathers the fields of a record, by their kinds,
// and at its end asks the questions its conversion will ask of them.
class RecordQuestions {
public:
    RecordQuestions(Selection selection, const AbbrevList* list) : m_selection(selection), m_list(list) {}
    // The `index`th field of its record (0 starts a record).
    void Field(std::size_t index, FieldKind kind, std::string_view name, std::optional<std::string_view> value);
    // The record has ended: its answers go into `into`.
    void Answer(AnswersAhead& into);

private:
    struct Gathered {
        FieldKind kind;
        std::string_view name;
        std::optional<std::string_view> value;
    };
    void Ask(AnswersAhead& into, std::string_view value, FieldKind kind, std::string_view name,
             std::optional<std::string_view> state);

    Selection m_selection;
    const AbbrevList* m_list;
    std::vector<Gathered> m_fields; // of the record being read, those a question may come from
    std::optional<std::string_view> m_call, m_state; // its last CALL's value, its last valid STATE
    LookupMemo m_lookups;                            // the reading thread's
    AnswerMemo m_answers;                            // the reading thread's
};

} // namespace shirl
