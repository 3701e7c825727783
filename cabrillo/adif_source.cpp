#include "cabrillo/adif_source.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "adif/writer.h"
#include "base/text_util.h"
#include "cabrillo/frequency.h"
#include "cabrillo/qso_line.h"

namespace shirl {
namespace {

// A line's tag ("QSO" of "QSO: 14035 ...") and the text after its colon, or
// nullopt for a line that has no tag.
struct TaggedLine {
    std::string_view tag;
    std::string_view text;
};
std::optional<TaggedLine> SplitTag(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    std::size_t i = start;
    while (i < line.size() && (IsAsciiDigit(line[i]) || IsAsciiUpper(ToAsciiUpper(line[i])) || line[i] == '-')) ++i;
    if (i == start || i == line.size() || line[i] != ':') return std::nullopt;
    return TaggedLine{line.substr(start, i - start), line.substr(i + 1)};
}

// A header value fit for the ADIF header's free text: blanks around it
// dropped, no control characters and no '<' or '>', at most 80 bytes.
std::string HeaderText(std::string_view value) {
    std::string out(TrimBlanksAndLineEnds(value).substr(0, 80));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '<' || c == '>') c = '_';
    return out;
}

std::string Upper(std::string_view text) { return AsciiUpperCase(text); }

// The ADIF MODE of a Cabrillo mode. DG names no one mode: it becomes DATA,
// the mode group of digital QSOs; a mode Cabrillo does not define is kept.
std::string AdifMode(std::string_view mode) {
    const std::string upper = Upper(mode);
    if (upper == "PH") return "SSB";
    if (upper == "RY") return "RTTY";
    if (upper == "DG") return "DATA";
    return upper;
}

bool IsPhoneMode(std::string_view mode) {
    for (const char* phone : {"PH", "FM", "SSB", "AM", "USB", "LSB"})
        if (EqualsNoCase(mode, phone)) return true;
    return false;
}

// A signal report of the mode: "59" for phone, "599" otherwise.
bool IsReport(std::string_view word, bool phone) {
    if (word.size() != (phone ? 2u : 3u) || word[0] < '1' || word[0] > '5') return false;
    return std::all_of(word.begin() + 1, word.end(), [](char c) { return c >= '1' && c <= '9'; });
}

std::string JoinWords(const CabrilloQso& qso, std::size_t first) {
    std::string out;
    for (std::size_t i = 0; i < qso.exchangeWords; ++i) {
        if (i != 0) out.push_back(' ');
        out.append(qso.words[first + i]);
    }
    return out;
}

} // namespace

CabrilloAdifSource::CabrilloAdifSource(ByteSource& input, CabrilloOrigin origin, ProblemSink onProblem)
    : m_input(input), m_origin(std::move(origin)), m_onProblem(std::move(onProblem)), m_lines(input) {}

bool CabrilloAdifSource::Rewind() {
    if (!m_input.Rewind()) return false;
    m_lines.Restart();
    m_pending.clear();
    m_pendingPos = 0;
    m_headerDone = m_ended = false;
    m_version.clear();
    m_contest.clear();
    m_callsign.clear();
    m_createdBy.clear();
    m_qsos = 0;
    return true;
}

std::size_t CabrilloAdifSource::Read(char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        if (m_pendingPos == m_pending.size()) {
            if (m_ended) break;
            Produce();
            continue;
        }
        const std::size_t n = std::min(size - done, m_pending.size() - m_pendingPos);
        std::memcpy(data + done, m_pending.data() + m_pendingPos, n);
        m_pendingPos += n;
        done += n;
    }
    return done;
}

void CabrilloAdifSource::Produce() {
    m_pending.clear();
    m_pendingPos = 0;
    if (!m_headerDone) {
        ReadHeader();
        return;
    }
    while (m_pending.empty()) {
        if (!m_lines.Next()) {
            m_ended = true;
            return;
        }
        TakeLine(m_lines.Line());
    }
}

// Reads up to the first QSO line (or the end), then writes the header and
// that line's record.
void CabrilloAdifSource::ReadHeader() {
    for (;;) {
        if (!m_lines.Next()) {
            WriteHeader();
            m_ended = true;
            return;
        }
        const auto tagged = SplitTag(m_lines.Line());
        if (tagged && (EqualsNoCase(tagged->tag, "QSO") || EqualsNoCase(tagged->tag, "X-QSO"))) break;
        TakeLine(m_lines.Line());
    }
    WriteHeader();
    TakeLine(m_lines.Line());
}

void CabrilloAdifSource::WriteHeader() {
    m_headerDone = true;
    const std::string_view lineEnd = m_lines.LineEnd();
    m_pending.append("Made by ").append(HeaderText(m_origin.programId)).append(" ");
    m_pending.append(HeaderText(m_origin.programVersion)).append(" from the Cabrillo log ");
    m_pending.append(HeaderText(m_origin.inputName)).append(lineEnd);
    std::string about;
    for (const auto& [tag, value] : {std::pair<const char*, const std::string*>{"START-OF-LOG", &m_version},
                                     {"CREATED-BY", &m_createdBy},
                                     {"CONTEST", &m_contest},
                                     {"CALLSIGN", &m_callsign}}) {
        if (value->empty()) continue;
        about.append(about.empty() ? "" : ", ").append(tag).append(": ").append(HeaderText(*value));
    }
    if (!about.empty()) m_pending.append(about).append(lineEnd);
    StringSink out(m_pending);
    std::size_t column = WriteField(out, "ADIF_VER", "3.1.4", 0, lineEnd);
    column = WriteField(out, "PROGRAMID", m_origin.programId, column, lineEnd);
    WriteField(out, "PROGRAMVERSION", m_origin.programVersion, column, lineEnd);
    out.Write(lineEnd);
    out.Write("<EOH>");
    out.Write(lineEnd);
    out.Flush();
}

void CabrilloAdifSource::TakeLine(std::string_view line) {
    const std::string number = std::to_string(m_lines.Number());
    if (m_lines.TooLong()) {
        Problem("Cabrillo line " + number + " is longer than " + std::to_string(kMaxCabrilloLine) +
                " bytes, skipping it: [" + std::string(line.substr(0, 80)) + "...]");
        return;
    }
    const auto tagged = SplitTag(line);
    if (!tagged) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) return; // a blank line
        Problem("Unreadable Cabrillo line " + number + ", skipping it: [" + std::string(line) + "]");
        return;
    }
    const std::string_view value = TrimBlanksAndLineEnds(tagged->text);
    if (EqualsNoCase(tagged->tag, "QSO")) WriteQso(tagged->text);
    else if (EqualsNoCase(tagged->tag, "X-QSO"))
        Problem("Cabrillo X-QSO line " + number + " is not converted: [" + std::string(line) + "]");
    else if (EqualsNoCase(tagged->tag, "START-OF-LOG")) m_version = value;
    else if (EqualsNoCase(tagged->tag, "CONTEST")) m_contest = value.substr(0, 80);
    else if (EqualsNoCase(tagged->tag, "CALLSIGN")) m_callsign = value.substr(0, 80);
    else if (EqualsNoCase(tagged->tag, "CREATED-BY")) m_createdBy = value.substr(0, 80);
}

void CabrilloAdifSource::WriteQso(std::string_view text) {
    CabrilloQso qso;
    std::string_view problem = ParseQsoLine(text, qso);
    const CabrilloFrequency frequency = problem.empty() ? ReadCabrilloFrequency(qso.frequency) : CabrilloFrequency();
    if (problem.empty() && !frequency.valid) problem = "no frequency in kHz or band designator";
    if (!problem.empty()) {
        Problem("Unreadable Cabrillo QSO line " + std::to_string(m_lines.Number()) + " (" + std::string(problem) +
                "), skipping QSO: [" + std::string(m_lines.Line()) + "]");
        return;
    }
    const std::string_view lineEnd = m_lines.LineEnd();
    StringSink out(m_pending);
    std::size_t column = 0;
    const auto field = [&](std::string_view name, std::string_view value) {
        column = WriteField(out, name, value, column, lineEnd);
    };
    field("CALL", qso.receivedCall);
    field("QSO_DATE", std::string(qso.date.substr(0, 4)) + std::string(qso.date.substr(5, 2)) +
                          std::string(qso.date.substr(8, 2)));
    field("TIME_ON", qso.time);
    if (!frequency.band.empty()) field("BAND", frequency.band);
    if (!frequency.freq.empty()) field("FREQ", frequency.freq);
    field("MODE", AdifMode(qso.mode));
    field("STATION_CALLSIGN", qso.sentCall);
    const bool phone = IsPhoneMode(qso.mode);
    if (qso.exchangeWords >= 2 && IsReport(qso.SentWord(0), phone) && IsReport(qso.ReceivedWord(0), phone)) {
        field("RST_SENT", qso.SentWord(0));
        field("RST_RCVD", qso.ReceivedWord(0));
    }
    if (qso.exchangeWords != 0) {
        field("STX_STRING", JoinWords(qso, qso.sentFirst));
        field("SRX_STRING", JoinWords(qso, qso.receivedFirst));
    }
    if (!m_contest.empty()) field("CONTEST_ID", m_contest);
    WriteField(out, "EOR", std::nullopt, column, lineEnd);
    out.Write(lineEnd);
    out.Flush();
    ++m_qsos;
}

void CabrilloAdifSource::Problem(std::string text) {
    if (m_onProblem) m_onProblem(std::move(text));
}

} // namespace shirl
