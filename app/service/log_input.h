#pragma once
// The input log of a run, opened in the one place that every front end's
// conversion and party detection goes through. Its kind is told from its
// content, never from its name: a Cabrillo log (first line START-OF-LOG:)
// is read as the ADIF stream its QSO lines make.
#include <functional>
#include <memory>
#include <string>

#include "adif/byte_io.h"
#include "cabrillo/adif_source.h"
#include "files/file_streams.h"

namespace shirl {

enum class LogKind { Adif, Cabrillo, NotALog, Utf16 };

// The kind of a log from its first bytes (at most the first 64 KiB): a
// Cabrillo log starts with START-OF-LOG:, an ADIF log has a tag; an empty
// input is an empty ADIF log; a UTF-16 byte-order mark makes it Utf16, a
// text this reader does not take.
LogKind KindOfLog(std::string_view firstBytes);

// The name the ADIF log made from the input `name` is named after: `name`
// with the extension ".adi" when it is a regular file holding a Cabrillo log
// (a pipe is not read: that would take the log away from the conversion),
// `name` itself otherwise. The dialog offers an output name from it when a
// log is chosen, before any run; a run names its output from the input it
// has open (LogInput::AdifName, ConvertRequest::nameOutput).
std::string AdifNameOfLog(const std::string& name);

class LogInput {
public:
    LogInput();
    ~LogInput();
    LogInput(const LogInput&) = delete;
    LogInput& operator=(const LogInput&) = delete;

    // Opens `name` and tells its kind; false when it cannot be opened.
    bool Open(const std::string& name);
    // Opens standard input as the log `name` (the name its messages use);
    // with `rewindable` it is kept whole so that it can be read twice.
    bool OpenStandardInput(const std::string& name, bool rewindable);
    LogKind Kind() const { return m_kind; }
    // The name of the ADIF log made from the open log `name`: a Cabrillo
    // log's takes the extension .adi, an ADIF log's is `name`.
    std::string AdifName(const std::string& name) const;
    // The log as ADIF (after a successful Open).
    ByteSource& Adif();
    // Starts the log over; false when the input cannot be rewound.
    bool Rewind();
    // Whether reading stopped on a read error.
    bool Failed() const { return m_file.Failed(); }
    void Close() { m_file.Close(); }
    // Where messages about the lines of a Cabrillo log go from now on
    // (none: dropped, as while the log is read for its party).
    void ReportProblemsTo(std::function<void(std::string)> sink) { m_problems = std::move(sink); }
    // The Cabrillo stream, or nullptr for an ADIF log.
    const CabrilloAdifSource* Cabrillo() const { return m_cabrillo.get(); }

private:
    class Peeked;
    void TellKind(const std::string& name);
    FileSource m_file;
    std::unique_ptr<Peeked> m_peeked;
    std::unique_ptr<CabrilloAdifSource> m_cabrillo;
    std::function<void(std::string)> m_problems;
    LogKind m_kind = LogKind::Adif;
};

// The report's info about a Cabrillo log read whole: "Read a Cabrillo log
// of N QSOs (CONTEST FL-QSO-PARTY)."
std::string CabrilloReportText(const CabrilloAdifSource& log);

} // namespace shirl
