#pragma once
// One field of a QSO as the conversion holds it: name, value and what the
// name means here.
#include <optional>
#include <string_view>
#include <vector>

namespace shirl {

// What a field name means to the conversion, found once per field.
enum class FieldKind : unsigned char {
    Other,
    Call,
    Band,
    Freq,
    FreqRx,
    Mode,
    Comment,
    County,   // one of the 22 fields that may carry the worked station's county (QTH apart)
    Qth,      // QTH: a county field, but the town a logbook fills from a callbook
    Cnty,     // CNTY: a county field, and the field the copies are made of
    Srx,      // SRX: a county field unless it holds a serial number
    MyCounty, // one of the 3 fields that may carry the operator's own county
    State,
    MyState,
    MyCnty,
    AliasRst, // APP_WRITELOG_RST, written as RST_RCVD
    AliasSnt, // APP_WRITELOG_SNT, written as RST_SENT
    QsoDate,
    TimeOn,
    QsoDateOff,
    TimeOff,
    Exchange, // SRX_STRING: the received exchange, whose last word may be the county
    ContestId, // CONTEST_ID: which party the log names
    SentExchange, // STX_STRING: the sent exchange, whose last word may be the operator's own county
};

// The kind of a field name, in any letter case.
FieldKind ClassifyFieldName(std::string_view name);

// The name and value are views: into the reader's buffer as read, into a
// constant name when renamed, into a constant or a string of the run that
// outlives the QSO's steps when the value was changed (a field is copied
// as it is). Once a field is taken from the reader, its name and value
// change only through the functions below, which also forget `text` (a
// written field's name is cleared, so that later copies leave it out).
struct QsoField {
    std::string_view name;                 // as written in the tag, case kept; empty = left out
    std::optional<std::string_view> value; // absent for a tag without a length (<EOR>)
    FieldKind kind = FieldKind::Other;     // ClassifyFieldName(name), kept up to date on renames
    bool madeCnty = false;                 // the resolution made this CNTY (of this QSO)
    std::string_view city = {};            // a STATE the resolution made of an independent city: its CNTY form
    bool timeSource = false;               // the QSO_DATE/TIME_ON the QSO's date or time was read from
    bool characterCounted = false;         // its input length counted characters: so does its written one
    std::string_view text = {};            // the tag and value as read (AdifReader::FieldText), or empty
};

// Whether the field still has the name and value it was read with, so that
// its input bytes (`text`) are what WriteField would write for it.
inline bool UnchangedSinceRead(const QsoField& field) {
    return !field.text.empty() && field.name.data() == field.text.data() + 1;
}

// The field's value, or empty for a tag without one.
inline std::string_view ValueOrEmpty(const QsoField& field) { return field.value.value_or(std::string_view()); }

// The fields of one QSO in input order, the <EOR> field last.
using QsoFields = std::vector<QsoField>;

// Renames `field` to a name that outlives it (a constant) and sets the
// kind of the new name.
void RenameField(QsoField& field, std::string_view name, FieldKind kind);

// Points the value of `field` at `view` (a part of its value, a constant,
// or a string that outlives the QSO's steps).
void SetValueView(QsoField& field, std::string_view view);

} // namespace shirl
