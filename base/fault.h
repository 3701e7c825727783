#pragma once
// Why a command did not run, or stopped, as data: what went wrong (the kind)
// and what it is about. Every layer that can fail says so with a Fault; the
// report view alone turns one into the text a front end shows (FaultText),
// as it does the report's entries.
#include <string>

namespace shirl {

enum class FaultKind {
    // The names and the Selection of a run.
    NoInputName,          // no input file named
    NoOutputName,         // no output file named
    SameNames,            // the input and the output are one file
    NoSelection,          // no Selection chosen
    DuplicateOutputName,  // two inputs of one batch would write one output
    // The input log.
    CannotOpenInput,
    CannotReadInput,      // a read failed part way through
    NotALog,              // subject: the input's name; neither ADIF nor Cabrillo
    Utf16Log,             // subject: the input's name; saved as UTF-16 text
    PartyUnknown,         // detail: the CONTEST_ID values found ("none" for none)
    // The output.
    CannotOpenOutput,
    CannotWriteOutput,
    // The logbook of a fill.
    NoContestLog,
    NoLogbook,
    CannotOpenLogbook,
    LogbookNotAFile,      // a pipe, device or folder: it is read twice
    CannotReadLogbook,
    LogbookNotAdif,       // subject: the logbook's name
    // The operator's abbreviation lists; subject: the list's name.
    ListUnreadable,
    ListTooLarge,
    ListFaulty,           // detail: where and what ("line 3: unknown state "XX"")
    ListUnnamed,          // with the Selection from the log, a list named after no Selection
    // What the windows do besides converting.
    MapUnwritable,        // subject: the map file's name, or "" where the window does not say
    MapUnopened,
    NoMapOfSelection,     // subject: the Selection's name (a Canadian area: no map of US counties)
    ReportUnwritable,
    ClipboardUnavailable,
    BrowserUnavailable,
    DroppedFolder,
    DroppedOther,         // the last kind (the test of the texts counts the kinds by it)
};

struct Fault {
    FaultKind kind;
    std::string subject{}; // the file or name it is about, where its text names one
    std::string detail{};  // what its text says besides, where it says more

    bool operator==(const Fault&) const = default;
};

} // namespace shirl
