#include "files/output_replacement.h"

#include <atomic>
#include <chrono>
#include <optional>

#include "files/file_system.h"

namespace shirl {
namespace {

// Whether an existing file could be written, without emptying it.
bool ExistingFileWritable(const std::string& name) {
    std::FILE* file = OpenFile(name, "r+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

} // namespace

std::string FreshTemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (;;) {
        std::string candidate = target + ".shirl-" + std::to_string(stamp % 1000000007ULL) + "-" +
                                std::to_string(counter.fetch_add(1)) + ".tmp";
        if (KindOf(candidate) == FileKind::Missing) return candidate;
    }
}

OutputReplacement::~OutputReplacement() { Discard(); }

bool OutputReplacement::Open(const std::string& name) {
    const std::optional<std::string> linked = LinkTarget(name);
    m_target = linked ? *linked : name;
    const FileKind kind = KindOf(m_target);
    m_replaces = kind != FileKind::Missing;
    if (kind == FileKind::Folder || (m_replaces && !ExistingFileWritable(m_target))) return false;
    if (KindOf(FolderOf(m_target)) != FileKind::Folder) return false;
    m_direct = kind == FileKind::Other;
    if (m_direct) return m_sink.Open(m_target);
    m_temporary = FreshTemporaryName(m_target);
    if (m_sink.Open(m_temporary)) return true;
    m_temporary.clear();
    return false;
}

bool OutputReplacement::OpenStandardOutput() {
    m_target.clear();
    m_temporary.clear();
    m_replaces = false;
    m_direct = true;
    return m_sink.OpenStandardOutput();
}

bool OutputReplacement::Close() { return m_sink.Close(); }

bool OutputReplacement::Commit() {
    if (m_temporary.empty()) return false;
    if (m_replaces) CopyPermissions(m_target, m_temporary);
    if (!RenameReplacing(m_temporary, m_target)) {
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void OutputReplacement::Discard() {
    if (m_sink.IsOpen()) m_sink.Close();
    if (!m_temporary.empty()) RemoveFile(m_temporary);
    m_temporary.clear();
}

} // namespace shirl
