#pragma once
// A Cabrillo log read as an ADIF log: a byte stream that yields an ADIF
// header saying what it was made from, then one record per QSO line, made
// as the converter pulls them. Lines that cannot be converted are handed to
// a problem callback with their number and text; nothing is held beyond the
// line being read.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "adif/byte_io.h"
#include "cabrillo/line_reader.h"

namespace shirl {

// What the ADIF header names as its maker and source.
struct CabrilloOrigin {
    std::string programId;      // "Shirl"
    std::string programVersion; // "1.0"
    std::string inputName;      // the file name shown in the header
};

class CabrilloAdifSource final : public ByteSource {
public:
    using ProblemSink = std::function<void(std::string)>;

    // Reads the Cabrillo log `input`; `onProblem` (may be empty) gets each
    // report message about its lines.
    CabrilloAdifSource(ByteSource& input, CabrilloOrigin origin, ProblemSink onProblem);

    std::size_t Read(char* data, std::size_t size) override;
    bool CanRewind() const override { return m_input.CanRewind(); }
    bool Rewind() override;
    bool Failed() const override { return m_input.Failed(); }
    bool LinesAreTheFile() const override { return false; }

    // The QSO records made so far.
    std::int64_t QsoCount() const { return m_qsos; }
    // The header's CONTEST: value (empty until the header has been read).
    const std::string& Contest() const { return m_contest; }

private:
    void Produce();
    void ReadHeader();
    void WriteHeader();
    void TakeLine(std::string_view line);
    void WriteQso(std::string_view text);
    void Problem(std::string text);

    ByteSource& m_input;
    CabrilloOrigin m_origin;
    ProblemSink m_onProblem;
    CabrilloLineReader m_lines;
    std::string m_pending; // made, not yet read
    std::size_t m_pendingPos = 0;
    bool m_headerDone = false;
    bool m_ended = false;
    std::string m_version;
    std::string m_contest;
    std::string m_callsign;
    std::string m_createdBy;
    std::int64_t m_qsos = 0;
};

} // namespace shirl
