// The abbreviation tables: counts, coverage, byte order, the binary search of
// every row, rule-form rows recomputed from the county names, every listed
// exception present exactly, the lookup order per Selection, and the
// properties of the two reconstructed nationwide tables.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "data/abbrev_tables.h"
#include "data/gazetteer.h"

namespace shirl {
namespace {

struct TableFacts {
    TableId id;
    std::string_view name;
    int rows;
    int counties;
    std::string_view shape;  // regular expression, ST stands for the county's state code
    std::string_view rule;   // rule-form templates: L3/L4 the first name letters, ST the state code
    int ruleCounties;        // counties whose rows all follow the rule (-1: not counted)
    int listedCounties;      // counties with listed rows (-1: not counted)
};

// The published counts of every table, in TableId order.
const TableFacts kFacts[] = {
    {TableId::Alabama, "Alabama table", 133, 67, "[A-Z]{3,4}", "L3 L4", 43, 24},
    {TableId::Arkansas, "Arkansas table", 150, 75, "[A-Z]{3,4}", "L3 L4", 52, 23},
    {TableId::Arizona, "Arizona table", 30, 15, "(AZ)?[A-Z]{3}", "", 0, 0},
    {TableId::California, "California table", 136, 58, "[A-Z]{2,4}", "L3 L4", 35, 23},
    {TableId::Colorado, "Colorado table", 64, 64, "[A-Z]{3}", "L3", 56, 8},
    {TableId::Delaware, "Delaware table", 6, 3, "[A-Z]{3}", "", 0, 0},
    {TableId::Florida, "Florida table", 69, 67, "[A-Z]{3}", "L3", 56, 11},
    {TableId::Georgia, "Georgia table", 159, 159, "[A-Z]{3,4}", "L4", 137, 22},
    {TableId::Hawaii, "Hawaii table", 14, 5, "[A-Z]{3}", "", 0, 0},
    {TableId::Iowa, "Iowa table", 99, 99, "[A-Z]{3}", "L3", 76, 23},
    {TableId::Idaho, "Idaho table", 43, 43, "[A-Z]{3}", "L3", 41, 2},
    {TableId::Illinois, "Illinois table", 102, 102, "[A-Z]{3,4}", "L4", 71, 31},
    {TableId::Indiana, "Indiana table", 184, 92, "[A-Z]{3,4}|IN[A-Z]{3}", "L3 INL3", 77, 15},
    {TableId::Kansas, "Kansas table", 105, 105, "[A-Z]{3}", "L3", 83, 22},
    {TableId::Kentucky, "Kentucky table", 120, 120, "[A-Z]{3}", "L3", 98, 22},
    {TableId::Louisiana, "Louisiana table", 64, 64, "[A-Z]{3,4}", "L4", 50, 14},
    {TableId::Maryland, "Maryland table", 25, 24, "[A-Z]{3}", "", 0, 0},
    {TableId::Maine, "Maine table", 16, 16, "[A-Z]{3}", "", 0, 0},
    {TableId::Michigan, "Michigan table", 83, 83, "[A-Z]{3,4}", "L4", 79, 4},
    {TableId::Minnesota, "Minnesota table", 87, 87, "[A-Z]{3}", "L3", 71, 16},
    {TableId::Missouri, "Missouri table", 115, 115, "[A-Z]{3}", "L3", 82, 33},
    {TableId::Mississippi, "Mississippi table", 163, 82, "[A-Z]{3,4}", "L3 L4", 76, 6},
    {TableId::Montana, "Montana table", 56, 56, "[A-Z]{3}", "L3", 52, 4},
    {TableId::NorthCarolina, "North Carolina table", 100, 100, "[A-Z]{3}", "L3", 96, 4},
    {TableId::NorthDakota, "North Dakota table", 53, 53, "[A-Z]{3}", "L3", 16, 37},
    {TableId::Nebraska, "Nebraska table", 93, 93, "[A-Z]{4}", "L4", 83, 10},
    {TableId::NewHampshire, "New Hampshire table", 10, 10, "[A-Z]{3}", "", 0, 0},
    {TableId::NewJersey, "New Jersey table", 39, 21, "[A-Z]{3,4}", "", 0, 0},
    {TableId::NewMexico, "New Mexico table", 33, 33, "[A-Z]{3}", "", 0, 0},
    {TableId::Nevada, "Nevada table", 32, 16, "(NV)?[A-Z]{3}", "", 0, 0},
    {TableId::NevadaCities, "Nevada independent-city table", 2, 1, "(NV)?[A-Z]{3}", "", 0, 0},
    {TableId::NewYork, "New York table", 62, 62, "[A-Z]{3}", "L3", 56, 6},
    {TableId::Ohio, "Ohio table", 88, 88, "[A-Z]{4}", "L4", 88, 0},
    {TableId::Oklahoma, "Oklahoma table", 77, 77, "[A-Z]{3}", "L3", 69, 8},
    {TableId::Oregon, "Oregon table", 36, 36, "[A-Z]{3}", "", 0, 0},
    {TableId::Pennsylvania, "Pennsylvania table", 67, 67, "[A-Z]{3}", "L3", 57, 10},
    {TableId::SouthCarolina, "South Carolina table", 91, 46, "[A-Z]{3,4}", "L3 L4", 26, 20},
    {TableId::SouthDakota, "South Dakota table", 66, 66, "[A-Z]{3,4}", "L4", 57, 9},
    {TableId::Tennessee, "Tennessee table", 95, 95, "[A-Z]{4}", "L4", 94, 1},
    {TableId::Texas, "Texas table", 254, 254, "[A-Z]{3,4}", "L4", 212, 42},
    {TableId::Virginia, "Virginia table", 95, 95, "[A-Z]{3}", "L3", 70, 25},
    {TableId::VirginiaCities, "Virginia independent-city table", 39, 39, "[A-Z]{2}X", "", 0, 0},
    {TableId::Vermont, "Vermont table", 16, 14, "[A-Z]{3}", "", 0, 0},
    {TableId::Washington, "Washington table", 39, 39, "[A-Z]{3,4}", "", 0, 0},
    {TableId::Wisconsin, "Wisconsin table", 72, 72, "[A-Z]{3}", "L3", 66, 6},
    {TableId::WestVirginia, "West Virginia table", 55, 55, "[A-Z]{3}", "L3", 51, 4},
    {TableId::Marac, "MARAC table", 3073, 3073, "ST[A-Z]{3,4}", "STL4", -1, 0},
    {TableId::MidAtlantic, "Mid-Atlantic QSO Party table", 327, 327, "[A-Z]{3}ST", "L3ST", 242, 85},
    {TableId::NewEngland, "New England QSO Party table", 68, 60, "ST[A-Z]{3}", "STL3", 55, 4},
    {TableId::SevenLand, "7-Land QSO Party table", 258, 258, "ST[A-Z]{3}", "STL3", 217, 26},
    {TableId::UsCounties, "US Counties QSO Party table", 3073, 3073, "[A-Z]{3}ST", "L3ST", -1, 0},
};

// Abbreviations that stand in more than one row of a table.
const std::map<std::pair<TableId, std::string_view>, std::multiset<int>> kShared = {
    {{TableId::Arkansas, "LEE"}, {5077, 5077}},
    {{TableId::NewJersey, "PASS"}, {34031, 34031}},
    {{TableId::UsCounties, "CLAMS"}, {28021, 28023, 28025}},
    {{TableId::UsCounties, "COOTX"}, {48089, 48097}},
    {{TableId::UsCounties, "DECIA"}, {19031, 19053}},
    {{TableId::UsCounties, "KITWA"}, {53035, 53037}},
    {{TableId::UsCounties, "MARAL"}, {1091, 1095}},
    {{TableId::UsCounties, "STLMN"}, {27137, 27147}},
    {{TableId::UsCounties, "WASWI"}, {55129, 55137}},
};

std::string Letters(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z') out += c;
        if (c >= 'a' && c <= 'z') out += static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) {
        s.replace(p, from.size(), to);
    }
    return s;
}

std::set<std::string> RuleForms(std::string_view templates, const GazetteerRow& c) {
    std::set<std::string> forms;
    std::istringstream in{std::string(templates)};
    const std::string letters = Letters(c.countyName);
    for (std::string t; in >> t;) {
        t = ReplaceAll(t, "ST", std::string(c.stateCode));
        t = ReplaceAll(t, "L3", letters.substr(0, 3));
        t = ReplaceAll(t, "L4", letters.substr(0, 4));
        forms.insert(t);
    }
    return forms;
}

std::string StateOf(const AbbrevEntry& e) {
    const GazetteerRow* c = FindCounty(e.countyId);
    return c ? std::string(c->stateCode) : (e.countyId == 9000 ? "CT" : "??");
}

// The counties a table must cover, from the gazetteer.
std::set<int> Coverage(TableId id) {
    const std::map<TableId, std::string_view> single = {
        {TableId::Alabama, "AL"}, {TableId::Arkansas, "AR"}, {TableId::Arizona, "AZ"},
        {TableId::California, "CA"}, {TableId::Colorado, "CO"}, {TableId::Delaware, "DE"},
        {TableId::Florida, "FL"}, {TableId::Georgia, "GA"}, {TableId::Hawaii, "HI"}, {TableId::Iowa, "IA"},
        {TableId::Idaho, "ID"}, {TableId::Illinois, "IL"}, {TableId::Indiana, "IN"}, {TableId::Kansas, "KS"},
        {TableId::Kentucky, "KY"}, {TableId::Louisiana, "LA"}, {TableId::Maryland, "MD"},
        {TableId::Maine, "ME"}, {TableId::Michigan, "MI"}, {TableId::Minnesota, "MN"},
        {TableId::Missouri, "MO"}, {TableId::Mississippi, "MS"}, {TableId::Montana, "MT"},
        {TableId::NorthCarolina, "NC"}, {TableId::NorthDakota, "ND"}, {TableId::Nebraska, "NE"},
        {TableId::NewHampshire, "NH"}, {TableId::NewJersey, "NJ"}, {TableId::NewMexico, "NM"},
        {TableId::Nevada, "NV"}, {TableId::NewYork, "NY"}, {TableId::Ohio, "OH"}, {TableId::Oklahoma, "OK"},
        {TableId::Oregon, "OR"}, {TableId::Pennsylvania, "PA"}, {TableId::SouthCarolina, "SC"},
        {TableId::SouthDakota, "SD"}, {TableId::Tennessee, "TN"}, {TableId::Texas, "TX"},
        {TableId::Virginia, "VA"}, {TableId::Vermont, "VT"}, {TableId::Washington, "WA"},
        {TableId::Wisconsin, "WI"}, {TableId::WestVirginia, "WV"},
    };
    const std::map<TableId, std::set<std::string_view>> several = {
        {TableId::MidAtlantic, {"VA", "PA", "NY", "MD", "NJ", "WV", "DE"}},
        {TableId::NewEngland, {"MA", "ME", "NH", "RI", "VT"}},
        {TableId::SevenLand, {"AZ", "ID", "MT", "NV", "OR", "UT", "WA", "WY"}},
    };
    std::set<int> ids;
    for (const GazetteerRow& r : Gazetteer()) {
        const int cid = CountyId(r);
        const bool virginiaCity = r.stateCode == "VA" && r.countyNumber >= 500;
        bool in = false;
        if (id == TableId::Marac || id == TableId::UsCounties) {
            in = r.stateNumber <= 56 && r.stateCode != "AK" && r.stateCode != "DC" && !virginiaCity && cid != 32510;
        } else if (id == TableId::NevadaCities) {
            in = cid == 32510;
        } else if (id == TableId::VirginiaCities) {
            in = virginiaCity;
        } else if (auto s = single.find(id); s != single.end()) {
            in = r.stateCode == s->second && !virginiaCity && cid != 32510 && cid != 16003;
        } else {
            in = several.at(id).count(r.stateCode) > 0 && !virginiaCity && cid != 32510;
        }
        if (in) ids.insert(cid);
    }
    if (id == TableId::NewEngland) ids.insert(9000);
    return ids;
}

class AbbrevTablesTest : public ::testing::Test {};

TEST_F(AbbrevTablesTest, CountsNamesAndCoverage) {
    ASSERT_EQ(AllAbbrevTables().size(), static_cast<std::size_t>(kAbbrevTableCount));
    ASSERT_EQ(std::size(kFacts), static_cast<std::size_t>(kAbbrevTableCount));
    for (int i = 0; i < kAbbrevTableCount; ++i) {
        const TableFacts& facts = kFacts[i];
        ASSERT_EQ(static_cast<int>(facts.id), i);
        const AbbrevTable& t = GetAbbrevTable(facts.id);
        EXPECT_EQ(&t, &AllAbbrevTables()[static_cast<std::size_t>(i)]);
        EXPECT_EQ(t.name, facts.name);
        EXPECT_EQ(t.rows.size(), static_cast<std::size_t>(facts.rows)) << facts.name;
        std::set<int> ids;
        for (const AbbrevEntry& e : t.rows) ids.insert(e.countyId);
        EXPECT_EQ(ids.size(), static_cast<std::size_t>(facts.counties)) << facts.name;
        EXPECT_EQ(ids, Coverage(facts.id)) << facts.name;
    }
}

TEST_F(AbbrevTablesTest, ByteOrderAndSharedAbbreviations) {
    for (const TableFacts& facts : kFacts) {
        const auto rows = GetAbbrevTable(facts.id).rows;
        std::set<std::string_view> repeated;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const std::string_view a = rows[i - 1].abbreviation, b = rows[i].abbreviation;
            // std::string_view compares as unsigned bytes (char_traits<char>::compare).
            EXPECT_LE(a.compare(b), 0) << facts.name << ": " << a << " before " << b;
            if (a == b) repeated.insert(a);
        }
        for (const std::string_view abbr : repeated) {
            std::multiset<int> run;
            for (const AbbrevEntry& e : rows)
                if (e.abbreviation == abbr) run.insert(e.countyId);
            const auto allowed = kShared.find({facts.id, abbr});
            ASSERT_NE(allowed, kShared.end()) << facts.name << ": " << abbr << " stands in several rows";
            EXPECT_EQ(run, allowed->second) << facts.name << ": " << abbr;
        }
        for (const auto& entry : kShared) {
            if (entry.first.first == facts.id) { EXPECT_EQ(repeated.count(entry.first.second), 1u) << entry.first.second; }
        }
    }
}

TEST_F(AbbrevTablesTest, EveryRowFoundBySearch) {
    for (const TableFacts& facts : kFacts) {
        const AbbrevTable& t = GetAbbrevTable(facts.id);
        for (const AbbrevEntry& e : t.rows) {
            const AbbrevEntry* found = FindAbbrevEntry(e.abbreviation, t);
            ASSERT_NE(found, nullptr) << facts.name << ": " << e.abbreviation;
            EXPECT_EQ(found->abbreviation, e.abbreviation);
            const auto shared = kShared.find({facts.id, e.abbreviation});
            if (shared != kShared.end()) {
                EXPECT_TRUE(shared->second.count(found->countyId) > 0) << e.abbreviation;
            } else {
                EXPECT_EQ(found->countyId, e.countyId) << facts.name << ": " << e.abbreviation;
            }
            EXPECT_EQ(SearchAbbrevTable(e.abbreviation, t), FindCounty(found->countyId)) << e.abbreviation;
            if (e.countyId != 9000) {
                EXPECT_NE(SearchAbbrevTable(e.abbreviation, t), nullptr) << facts.name << ": " << e.abbreviation;
            }
        }
    }
}

TEST_F(AbbrevTablesTest, ShapeOriginAndRuleRows) {
    for (const TableFacts& facts : kFacts) {
        int ruleCounties = 0, listedCounties = 0;
        std::map<int, std::set<RowOrigin>> originsOf;
        std::map<std::string, std::regex> shapes; // by state code
        for (const AbbrevEntry& e : GetAbbrevTable(facts.id).rows) {
            originsOf[e.countyId].insert(e.origin);
            const std::string state = StateOf(e);
            auto shape = shapes.find(state);
            if (shape == shapes.end()) {
                shape = shapes.emplace(state, std::regex(ReplaceAll(std::string(facts.shape), "ST", state))).first;
            }
            EXPECT_TRUE(std::regex_match(std::string(e.abbreviation), shape->second))
                << facts.name << ": " << e.abbreviation << " is not " << facts.shape;
            if (e.origin == RowOrigin::Rule) {
                const GazetteerRow* c = FindCounty(e.countyId);
                ASSERT_NE(c, nullptr) << e.abbreviation;
                ASSERT_FALSE(facts.rule.empty()) << facts.name << " has no rule but " << e.abbreviation;
                const auto forms = RuleForms(facts.rule, *c);
                EXPECT_EQ(forms.count(std::string(e.abbreviation)), 1u)
                    << facts.name << ": " << e.abbreviation << " is not the rule form of " << c->countyName;
            }
        }
        for (const auto& [id, origins] : originsOf) {
            if (origins == std::set<RowOrigin>{RowOrigin::Rule}) {
                ++ruleCounties;
                // A county that follows the rule has every rule form, one row each.
                int rows = 0;
                for (const AbbrevEntry& e : GetAbbrevTable(facts.id).rows) rows += e.countyId == id;
                EXPECT_EQ(static_cast<std::size_t>(rows), RuleForms(facts.rule, *FindCounty(id)).size())
                    << facts.name << ": " << id;
            }
            if (origins.count(RowOrigin::Listed)) ++listedCounties;
            EXPECT_EQ(origins.size(), 1u) << facts.name << ": county " << id << " mixes origins";
        }
        if (facts.ruleCounties >= 0) { EXPECT_EQ(ruleCounties, facts.ruleCounties) << facts.name; }
        EXPECT_EQ(listedCounties, facts.listedCounties) << facts.name;
    }
}

// ---------------------------------------------------------------------------
// The published exception lists (data/abbrev/published.csv): every listed
// county has exactly the abbreviations listed for it, every table given row by
// row has exactly its rows, every named row of the nationwide tables is there.

enum class ListKind { Given, Listed, Named };

struct ListEntry {
    TableId table;
    ListKind kind;
    int countyId;
    std::string state, name;
    std::multiset<std::string> abbreviations;
};

std::vector<std::string> SplitCsvLine(const std::string& line) {
    std::vector<std::string> cells(1);
    for (const char c : line) {
        if (c == ',') {
            cells.emplace_back();
        } else if (c != '\r') {
            cells.back() += c;
        }
    }
    return cells;
}

// The table ids in enum order, as data/abbrev/tables.csv lists them.
std::map<std::string, TableId> TableIdsByName() {
    std::ifstream in(SHIRL_SOURCE_DIR "/data/abbrev/tables.csv");
    std::map<std::string, TableId> ids;
    std::string line;
    std::getline(in, line); // header
    for (int id = 0; std::getline(in, line); ++id) ids[SplitCsvLine(line)[0]] = static_cast<TableId>(id);
    return ids;
}

std::vector<ListEntry> ReadPublishedLists() {
    std::ifstream in(SHIRL_SOURCE_DIR "/data/abbrev/published.csv");
    const auto tables = TableIdsByName();
    const std::map<std::string, ListKind> kinds = {
        {"given", ListKind::Given}, {"listed", ListKind::Listed}, {"named", ListKind::Named}};
    std::vector<ListEntry> out;
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "table_id,kind,county_id,state,county,abbreviations");
    while (std::getline(in, line)) {
        const std::vector<std::string> cells = SplitCsvLine(line);
        if (cells.size() != 6 || !tables.count(cells[0]) || !kinds.count(cells[1])) {
            ADD_FAILURE() << "bad row: " << line;
            continue;
        }
        ListEntry e{tables.at(cells[0]), kinds.at(cells[1]), std::stoi(cells[2]), cells[3], cells[4], {}};
        std::istringstream abbreviations(cells[5]);
        for (std::string a; abbreviations >> a;) e.abbreviations.insert(a);
        out.push_back(std::move(e));
    }
    return out;
}

TEST_F(AbbrevTablesTest, PublishedListsHoldExactly) {
    const std::vector<ListEntry> lists = ReadPublishedLists();
    ASSERT_FALSE(lists.empty()) << "cannot read data/abbrev/published.csv";
    std::map<std::pair<TableId, ListKind>, int> perKind;
    std::map<TableId, int> givenRows;
    for (const ListEntry& e : lists) {
        ++perKind[{e.table, e.kind}];
        const GazetteerRow* c = FindCounty(e.countyId);
        ASSERT_NE(c, nullptr) << e.countyId;
        EXPECT_EQ(e.state, c->stateCode) << e.countyId;
        EXPECT_EQ(e.name, c->countyName) << e.countyId;
        std::multiset<std::string> rows;
        const RowOrigin want = e.kind == ListKind::Given    ? RowOrigin::Given
                               : e.kind == ListKind::Listed ? RowOrigin::Listed
                                                            : RowOrigin::Named;
        for (const AbbrevEntry& r : GetAbbrevTable(e.table).rows) {
            if (r.countyId != e.countyId) continue;
            rows.insert(std::string(r.abbreviation));
            EXPECT_EQ(r.origin, want) << r.abbreviation;
        }
        EXPECT_EQ(rows, e.abbreviations) << kFacts[static_cast<int>(e.table)].name << ": " << e.countyId << " "
                                         << e.name;
        if (e.kind == ListKind::Given) givenRows[e.table] += static_cast<int>(e.abbreviations.size());
    }
    // Every table given row by row has no other rows.
    for (const auto& [table, n] : givenRows) { EXPECT_EQ(n, kFacts[static_cast<int>(table)].rows) << static_cast<int>(table); }
    EXPECT_EQ(givenRows.size(), 14u);
    // The lists were all read: the listed counties per table, the named rows.
    EXPECT_EQ((perKind[{TableId::Alabama, ListKind::Listed}]), 24);
    EXPECT_EQ((perKind[{TableId::Texas, ListKind::Listed}]), 42);
    EXPECT_EQ((perKind[{TableId::Idaho, ListKind::Listed}]), 3);
    EXPECT_EQ((perKind[{TableId::California, ListKind::Listed}]), 23);
    EXPECT_EQ((perKind[{TableId::Indiana, ListKind::Listed}]), 15);
    EXPECT_EQ((perKind[{TableId::NewEngland, ListKind::Listed}]), 4);
    EXPECT_EQ((perKind[{TableId::SevenLand, ListKind::Listed}]), 26);
    EXPECT_EQ((perKind[{TableId::MidAtlantic, ListKind::Listed}]), 50);
    EXPECT_EQ((perKind[{TableId::Marac, ListKind::Named}]), 8);
    EXPECT_EQ((perKind[{TableId::UsCounties, ListKind::Named}]), 13);
}

TEST_F(AbbrevTablesTest, PartyTablesRepeatTheStateTables) {
    // 7-Land: the AZ- and NV-prefixed rows of the Arizona and Nevada tables.
    // Mid-Atlantic: the Virginia and Pennsylvania abbreviations followed by VA or PA.
    auto rowsOf = [](TableId t, auto keep) {
        std::multiset<std::pair<std::string, int>> out;
        for (const AbbrevEntry& e : GetAbbrevTable(t).rows)
            if (keep(e)) out.insert({std::string(e.abbreviation), e.countyId});
        return out;
    };
    for (const auto& [source, st] : {std::pair{TableId::Arizona, "AZ"}, std::pair{TableId::Nevada, "NV"}}) {
        const std::string_view prefix = st;
        EXPECT_EQ(rowsOf(TableId::SevenLand, [&](const AbbrevEntry& e) { return StateOf(e) == prefix; }),
                  rowsOf(source, [&](const AbbrevEntry& e) { return e.abbreviation.starts_with(prefix); }))
            << st;
    }
    for (const auto& [source, st] : {std::pair{TableId::Virginia, "VA"}, std::pair{TableId::Pennsylvania, "PA"}}) {
        std::multiset<std::pair<std::string, int>> expected;
        for (const AbbrevEntry& e : GetAbbrevTable(source).rows)
            expected.insert({std::string(e.abbreviation) + st, e.countyId});
        const std::string_view state = st;
        EXPECT_EQ(rowsOf(TableId::MidAtlantic, [&](const AbbrevEntry& e) { return StateOf(e) == state; }), expected)
            << st;
    }
}

TEST_F(AbbrevTablesTest, NationwideTablesResolvedRows) {
    // Every county has one row; every abbreviation names one county except the
    // seven shared ones; a resolved row exists only because its rule form is
    // held by a named row or by a county earlier in FIPS order, and it is made
    // of the name's first letter and later letters of the name, in order.
    for (const TableId id : {TableId::Marac, TableId::UsCounties}) {
        const auto rows = GetAbbrevTable(id).rows;
        std::map<std::string, std::vector<const AbbrevEntry*>> byAbbr;
        std::map<std::string, int> named;
        for (const AbbrevEntry& e : rows) {
            byAbbr[std::string(e.abbreviation)].push_back(&e);
            EXPECT_TRUE(e.origin == RowOrigin::Named || e.origin == RowOrigin::Rule || e.origin == RowOrigin::Resolved)
                << e.abbreviation;
            named[std::string(e.abbreviation)] += e.origin == RowOrigin::Named;
        }
        int resolved = 0;
        for (const AbbrevEntry& e : rows) {
            if (byAbbr[std::string(e.abbreviation)].size() > 1) {
                EXPECT_EQ(kShared.count({id, e.abbreviation}), 1u) << e.abbreviation;
            }
            if (e.origin != RowOrigin::Resolved) continue;
            ++resolved;
            const GazetteerRow* c = FindCounty(e.countyId);
            ASSERT_NE(c, nullptr);
            const std::string rule = *RuleForms(id == TableId::Marac ? "STL4" : "L3ST", *c).begin();
            EXPECT_NE(std::string(e.abbreviation), rule);
            const auto& holders = byAbbr[rule];
            ASSERT_FALSE(holders.empty()) << e.abbreviation << ": its rule form " << rule << " is free";
            EXPECT_TRUE(holders.front()->origin == RowOrigin::Named || holders.front()->countyId < e.countyId)
                << e.abbreviation;
            const std::string letters = Letters(c->countyName);
            const std::string body = std::string(id == TableId::Marac ? e.abbreviation.substr(2)
                                                                      : e.abbreviation.substr(0, 3));
            EXPECT_EQ(body[0], letters[0]) << e.abbreviation;
            std::size_t pos = 1;
            for (std::size_t k = 1; k < body.size(); ++k) {
                pos = letters.find(body[k], pos);
                ASSERT_NE(pos, std::string::npos) << e.abbreviation << " is not made of " << letters;
                ++pos;
            }
        }
        EXPECT_GT(resolved, 0);
    }
    // The abbreviations given as examples.
    const std::pair<std::string_view, int> marac[] = {
        {"ALAUTA", 1001}, {"ALBALD", 1003}, {"MDBALT", 24005}, {"MDBLTC", 24510}, {"MOSLOU", 29189},
        {"MOSLCY", 29510}, {"WYWEST", 56045}, {"ALLEE", 1081}, {"FLBAY", 12005}, {"IDADA", 16001},
        {"KSELK", 20049}, {"NVNYE", 32023}, {"SDDAY", 46037}, {"TXBEE", 48025},
    };
    for (const auto& [a, id] : marac) {
        const AbbrevEntry* e = FindAbbrevEntry(a, GetAbbrevTable(TableId::Marac));
        ASSERT_NE(e, nullptr) << a;
        EXPECT_EQ(e->countyId, id) << a;
    }
    const std::pair<std::string_view, int> uscqp[] = {
        {"AUTAL", 1001}, {"BALAL", 1003}, {"BALMD", 24005}, {"BATMD", 24510},
        {"STLMO", 29189}, {"STTMO", 29510}, {"WESWY", 56045},
    };
    for (const auto& [a, id] : uscqp) {
        const AbbrevEntry* e = FindAbbrevEntry(a, GetAbbrevTable(TableId::UsCounties));
        ASSERT_NE(e, nullptr) << a;
        EXPECT_EQ(e->countyId, id) << a;
    }
}

TEST_F(AbbrevTablesTest, SearchEdgeCases) {
    struct Case {
        TableId table;
        std::string_view abbreviation;
        int countyId; // 0: no row
    };
    const Case cases[] = {
        {TableId::Alabama, "AUT", 1001},     {TableId::Alabama, "AUTA", 1001},  {TableId::Alabama, "CHA", 1017},
        {TableId::Alabama, "CHMB", 1017},    {TableId::Alabama, "STC", 1115},   {TableId::Alabama, "SCLR", 1115},
        {TableId::Alabama, "LEE", 1081},     {TableId::Arkansas, "LEE", 5077},  {TableId::NewJersey, "PASS", 34031},
        {TableId::NewEngland, "CTCAP", 9000}, {TableId::NewEngland, "CTSOE", 9000},
        {TableId::NevadaCities, "CAR", 32510}, {TableId::NevadaCities, "NVCAR", 32510},
        {TableId::VirginiaCities, "ALX", 51510}, {TableId::VirginiaCities, "WIX", 51840},
        {TableId::Hawaii, "KON", 15001},     {TableId::Hawaii, "KOH", 15001},   {TableId::Hawaii, "VOL", 15001},
        {TableId::Hawaii, "HIL", 15001},     {TableId::Colorado, "ADA", 8001},  {TableId::Idaho, "ADA", 16001},
        {TableId::SevenLand, "IDADM", 16003}, {TableId::Missouri, "SLC", 29189}, {TableId::Missouri, "STL", 29510},
        {TableId::Missouri, "STG", 29186},   {TableId::Tennessee, "HARN", 47071}, {TableId::Florida, "DAD", 12086},
        {TableId::UsCounties, "AUTAL", 1001}, {TableId::UsCounties, "WESWY", 56045},
        {TableId::UsCounties, "BATMD", 24510}, {TableId::Marac, "ALAUTA", 1001},
        {TableId::California, "SF", 6075},   {TableId::California, "SDIE", 6073},
        // Case, prefixes, extensions, empty and non-ASCII texts find nothing.
        {TableId::Alabama, "auta", 0},       {TableId::Alabama, "Auta", 0},     {TableId::Alabama, "AU", 0},
        {TableId::Alabama, "AUTAX", 0},      {TableId::Alabama, "", 0},         {TableId::Alabama, " AUT", 0},
        {TableId::Alabama, "AUT ", 0},       {TableId::Alabama, "\xC3\x89", 0}, {TableId::Alabama, "\xFF\xFF", 0},
        {TableId::Marac, "ALAUT", 0},        {TableId::UsCounties, "AUT", 0},   {TableId::Pennsylvania, "EPA", 0},
    };
    for (const Case& c : cases) {
        const AbbrevTable& t = GetAbbrevTable(c.table);
        const AbbrevEntry* e = FindAbbrevEntry(c.abbreviation, t);
        if (c.countyId == 0) {
            EXPECT_EQ(e, nullptr) << '"' << c.abbreviation << '"';
            EXPECT_EQ(SearchAbbrevTable(c.abbreviation, t), nullptr) << c.abbreviation;
            continue;
        }
        ASSERT_NE(e, nullptr) << c.abbreviation;
        EXPECT_EQ(e->countyId, c.countyId) << c.abbreviation;
        EXPECT_EQ(SearchAbbrevTable(c.abbreviation, t), FindCounty(c.countyId)) << c.abbreviation;
    }
    EXPECT_EQ(SearchAbbrevTable("CTCAP", GetAbbrevTable(TableId::NewEngland)), nullptr);
    for (const AbbrevEntry& e : GetAbbrevTable(TableId::Idaho).rows) { EXPECT_NE(e.countyId, 16003); }
    // No table has a row for Alaska or DC.
    for (const AbbrevTable& t : AllAbbrevTables())
        for (const AbbrevEntry& e : t.rows) { EXPECT_TRUE(e.countyId / 1000 != 2 && e.countyId / 1000 != 11) << e.abbreviation; }
    // A value outside TableId gives an empty table; an empty table finds nothing.
    EXPECT_TRUE(GetAbbrevTable(static_cast<TableId>(kAbbrevTableCount)).rows.empty());
    EXPECT_TRUE(GetAbbrevTable(static_cast<TableId>(-1)).rows.empty());
    const AbbrevTable empty{"empty", {}};
    EXPECT_EQ(FindAbbrevEntry("AUT", empty), nullptr);
    EXPECT_EQ(SearchAbbrevTable("", empty), nullptr);
}

TEST_F(AbbrevTablesTest, TablesForSelection) {
    using T = TableId;
    std::map<std::string_view, std::vector<TableId>> expected = {
        {"AL", {T::Alabama}},       {"AR", {T::Arkansas}},      {"AZ", {T::Arizona}},      {"CA", {T::California}},
        {"CO", {T::Colorado}},      {"DE", {T::Delaware}},      {"FL", {T::Florida}},     {"GA", {T::Georgia}},
        {"HI", {T::Hawaii}},       {"IA", {T::Iowa}},         {"ID", {T::Idaho}},       {"IL", {T::Illinois}},
        {"IN", {T::Indiana}},      {"KS", {T::Kansas}},       {"KY", {T::Kentucky}},    {"LA", {T::Louisiana}},
        {"MD", {T::Maryland}},     {"ME", {T::Maine}},        {"MI", {T::Michigan}},    {"MN", {T::Minnesota}},
        {"MO", {T::Missouri}},     {"MS", {T::Mississippi}},  {"MT", {T::Montana}},     {"NC", {T::NorthCarolina}},
        {"ND", {T::NorthDakota}},  {"NE", {T::Nebraska}},     {"NH", {T::NewHampshire}}, {"NJ", {T::NewJersey}},
        {"NM", {T::NewMexico}},    {"NV", {T::Nevada, T::NevadaCities}}, {"NY", {T::NewYork}}, {"OH", {T::Ohio}},
        {"OK", {T::Oklahoma}},     {"OR", {T::Oregon}},       {"PA", {T::Pennsylvania}}, {"SC", {T::SouthCarolina}},
        {"SD", {T::SouthDakota}},  {"TN", {T::Tennessee}},    {"TX", {T::Texas}},       {"VA", {T::Virginia, T::VirginiaCities}},
        {"VT", {T::Vermont}},      {"WA", {T::Washington}},   {"WI", {T::Wisconsin}},   {"WV", {T::WestVirginia}},
        {"MARAC", {T::Marac}},        {"MAQP", {T::MidAtlantic}},  {"NEQP", {T::NewEngland}},  {"7QP", {T::SevenLand, T::NevadaCities}},
        {"USCQP", {T::UsCounties}},
        {"MULTI", {T::Indiana, T::Delaware, T::NewEngland, T::SevenLand, T::NevadaCities, T::Marac}},
    };
    for (int index = -2; index <= kSelectionCount + 1; ++index) {
        const Selection s(index);
        const auto tables = TablesForSelection(s);
        const std::vector<TableId> actual(tables.begin(), tables.end());
        // No entry: no tables (unsupported, or no valid Selection).
        EXPECT_EQ(actual, expected[s.Code()]) << "selection " << index;
    }
    for (const std::string_view unsupported : {"AK", "BC", "CP", "CT", "MA", "ON", "QC", "RI", "UT", "WY", "NAQP"}) {
        EXPECT_TRUE(TablesForSelection(*FindSelectionByCode(unsupported)).empty()) << unsupported;
    }
    // Exactly the Nevada and Virginia city tables hold independent cities.
    for (int id = 0; id < kAbbrevTableCount; ++id) {
        const TableId table = static_cast<TableId>(id);
        EXPECT_EQ(GetAbbrevTable(table).independentCities,
                  table == TableId::NevadaCities || table == TableId::VirginiaCities) << id;
    }
}

} // namespace
} // namespace shirl
