#pragma once
// Abbreviation lookup for one Selection: a county, a state alone or nothing,
// with at most one message.
#include <string>
#include <string_view>

#include "data/abbrev_list.h"
#include "data/gazetteer.h"
#include "data/selections.h"

namespace shirl {

struct LookupResult {
    enum class Kind { None, County, State };
    Kind kind = Kind::None;
    const GazetteerRow* county = nullptr; // Kind::County
    const GazetteerRow* city = nullptr;   // Kind::State of an independent-city table: the city
    std::string_view state;               // Kind::State
    std::string message;                  // empty or one message
};

// Looks an abbreviation up in the tables of `selection`, then in the
// section table where the Selection has sections, then the closing rules.
// `list`, when given, is the operator's list for `selection`: searched before
// the built-in county tables, or instead of them when it replaces them.
LookupResult LookupAbbreviation(std::string_view abbreviation, Selection selection,
                                const AbbrevList* list = nullptr);

} // namespace shirl
