// The names that mean something to the conversion. Every field of every QSO
// is classified once, as it is read.
#include <algorithm>
#include <array>

#include "base/text_util.h"
#include "convert/qso_field.h"

namespace shirl {
namespace {

struct NamedKind {
    std::string_view name;
    FieldKind kind;
};

using K = FieldKind;
// Every name with a meaning here, in ascending byte order.
constexpr std::array kNames = {
    NamedKind{"APP_N1MM_EXCHANGE1", K::County},   NamedKind{"APP_N1MM_MISCTEXT", K::County},
    NamedKind{"APP_N1MM_ROVERCNTY", K::MyCounty}, NamedKind{"APP_WRITELOG_C2", K::County},
    NamedKind{"APP_WRITELOG_CNTY", K::County},    NamedKind{"APP_WRITELOG_CTY", K::County},
    NamedKind{"APP_WRITELOG_CTY2", K::County},    NamedKind{"APP_WRITELOG_CTY3", K::County},
    NamedKind{"APP_WRITELOG_CTY4", K::County},    NamedKind{"APP_WRITELOG_QTH", K::County},
    NamedKind{"APP_WRITELOG_RCVD", K::County},    NamedKind{"APP_WRITELOG_RCVD_QTH", K::County},
    NamedKind{"APP_WRITELOG_RST", K::AliasRst},   NamedKind{"APP_WRITELOG_SENT", K::MyCounty},
    NamedKind{"APP_WRITELOG_SNT", K::AliasSnt},   NamedKind{"BAND", K::Band},
    NamedKind{"CALL", K::Call},                   NamedKind{"CNTY", K::Cnty},
    NamedKind{"COMMENT", K::Comment},             NamedKind{"CONTEST_ID", K::ContestId},
    NamedKind{"CTY", K::County},
    NamedKind{"CTY2", K::County},                 NamedKind{"CTY3", K::County},
    NamedKind{"CTY4", K::County},                 NamedKind{"EXCHANGE1", K::County},
    NamedKind{"FREQ", K::Freq},                   NamedKind{"FREQ_RX", K::FreqRx},
    NamedKind{"MODE", K::Mode},                   NamedKind{"MY_CNTY", K::MyCnty},
    NamedKind{"MY_STATE", K::MyState},            NamedKind{"QSO_DATE", K::QsoDate},
    NamedKind{"QSO_DATE_OFF", K::QsoDateOff},
    NamedKind{"QTH", K::Qth},                  NamedKind{"QTH_RCVD", K::County},
    NamedKind{"RCVD", K::County},                 NamedKind{"RCVD_QTH", K::County},
    NamedKind{"SRX", K::Srx},                     NamedKind{"SRX_STRING", K::Exchange},
    NamedKind{"STATE", K::State},                 NamedKind{"STX_STRING", K::SentExchange},
    NamedKind{"TIME_OFF", K::TimeOff},            NamedKind{"TIME_ON", K::TimeOn},
};
static_assert(std::is_sorted(kNames.begin(), kNames.end(),
                             [](const NamedKind& a, const NamedKind& b) { return a.name < b.name; }));

constexpr std::size_t kLongestName = 21; // APP_WRITELOG_RCVD_QTH

// The names grouped by length, so that a field name is compared with the
// few names of its own length only.
struct NamesByLength {
    std::array<std::array<unsigned char, 16>, kLongestName + 1> index{};
    std::array<unsigned char, kLongestName + 1> count{};
};

constexpr NamesByLength kNamesByLength = [] {
    NamesByLength table{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const std::size_t length = kNames[i].name.size();
        table.index[length][table.count[length]++] = static_cast<unsigned char>(i);
    }
    return table;
}();

} // namespace

FieldKind ClassifyFieldName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return FieldKind::Other;
    const char first = ToAsciiUpper(name[0]);
    const std::size_t length = name.size();
    for (std::size_t k = 0; k < kNamesByLength.count[length]; ++k) {
        const NamedKind& entry = kNames[kNamesByLength.index[length][k]];
        if (entry.name[0] == first && EqualsNoCase(name.substr(1), entry.name.substr(1))) return entry.kind;
    }
    return FieldKind::Other;
}

void RenameField(QsoField& field, std::string_view name, FieldKind kind) {
    field.name = name;
    field.kind = kind;
    field.text = {};
}

void SetValueView(QsoField& field, std::string_view view) {
    field.value = view;
    field.text = {};
}

} // namespace shirl
