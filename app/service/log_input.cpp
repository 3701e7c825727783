// The input log of a run: opening, telling its kind, and the stream the
// run reads.
#include "app/service/log_input.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/service/offered_name.h"
#include "app/service/version.h"
#include "base/text_util.h"
#include "files/file_system.h"
#include "files/folder_names.h"

namespace shirl {

// The input with its first bytes read ahead to tell its kind, then handed
// out again: a pipe cannot be read twice.
class LogInput::Peeked final : public ByteSource {
public:
    explicit Peeked(FileSource& file) : m_file(file) {
        m_first.resize(1 << 16);
        std::size_t used = 0;
        while (used < m_first.size()) {
            const std::size_t n = m_file.Read(m_first.data() + used, m_first.size() - used);
            if (n == 0) break;
            used += n;
        }
        m_first.resize(used);
    }
    std::string_view First() const { return {m_first.data(), m_first.size()}; }

    std::size_t Read(char* data, std::size_t size) override {
        if (m_pos < m_first.size()) {
            const std::size_t n = std::min(size, m_first.size() - m_pos);
            std::memcpy(data, m_first.data() + m_pos, n);
            m_pos += n;
            return n;
        }
        return m_file.Read(data, size);
    }
    bool CanRewind() const override { return m_file.CanRewind(); }
    bool Rewind() override {
        if (!m_file.Rewind()) return false;
        m_first.clear();
        m_pos = 0;
        return true;
    }
    bool Failed() const override { return m_file.Failed(); }

private:
    FileSource& m_file;
    std::vector<char> m_first;
    std::size_t m_pos = 0;
};

LogKind KindOfLog(std::string_view firstBytes) {
    std::string_view text = firstBytes;
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return LogKind::Utf16;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return LogKind::Adif;
    constexpr std::string_view kStart = "START-OF-LOG:";
    if (EqualsNoCase(text.substr(start, kStart.size()), kStart)) return LogKind::Cabrillo;
    return text.find('<') != std::string_view::npos ? LogKind::Adif : LogKind::NotALog;
}

LogInput::LogInput() = default;
LogInput::~LogInput() = default;

bool LogInput::Open(const std::string& name) {
    m_cabrillo.reset();
    m_peeked.reset();
    if (!m_file.Open(name)) return false;
    TellKind(name);
    return true;
}

bool LogInput::OpenStandardInput(const std::string& name, bool rewindable) {
    m_cabrillo.reset();
    m_peeked.reset();
    if (!m_file.OpenStandardInput(rewindable)) return false;
    TellKind(name);
    return true;
}

void LogInput::TellKind(const std::string& name) {
    m_peeked = std::make_unique<Peeked>(m_file);
    m_kind = KindOfLog(m_peeked->First());
    if (m_kind == LogKind::Cabrillo) {
        CabrilloOrigin origin{"Shirl", SHIRL_VERSION_STRING, LastNamePart(name)};
        m_cabrillo = std::make_unique<CabrilloAdifSource>(*m_peeked, std::move(origin), [this](std::string text) {
            if (m_problems) m_problems(std::move(text));
        });
    }
}

ByteSource& LogInput::Adif() {
    if (m_cabrillo) return *m_cabrillo;
    return *m_peeked;
}

std::string LogInput::AdifName(const std::string& name) const {
    return m_kind == LogKind::Cabrillo ? WithAdifExtension(name) : name;
}

bool LogInput::Rewind() { return m_cabrillo ? m_cabrillo->Rewind() : m_peeked->Rewind(); }

namespace {

bool IsCabrilloFile(const std::string& name) {
    if (name.empty() || KindOf(name) != FileKind::Regular) return false;
    LogInput input;
    return input.Open(name) && input.Kind() == LogKind::Cabrillo;
}

} // namespace

std::string AdifNameOfLog(const std::string& name) {
    return IsCabrilloFile(name) ? WithAdifExtension(name) : name;
}

std::string CabrilloReportText(const CabrilloAdifSource& log) {
    const auto qsos = log.QsoCount();
    std::string row = "Read a Cabrillo log of " + std::to_string(qsos) + (qsos == 1 ? " QSO" : " QSOs");
    if (!log.Contest().empty()) row.append(" (CONTEST ").append(log.Contest()).append(")");
    return row + ".";
}

} // namespace shirl
