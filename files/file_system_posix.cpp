// The file system on POSIX systems: a name is a byte string, taken as it is
// (a Latin-1 name on an old disk works like any other).
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "files/file_system.h"

namespace shirl {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& name) { return fs::path(name); }

// No file has an empty name or one holding a NUL byte; the C library would
// cut such a name short and reach another file.
bool Usable(const std::string& name) { return !name.empty() && name.find('\0') == std::string::npos; }

} // namespace

FileKind KindOf(const std::string& name) {
    if (!Usable(name)) return FileKind::Missing;
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(name), ec);
    if (ec || !fs::exists(status)) return FileKind::Missing;
    if (fs::is_directory(status)) return FileKind::Folder;
    if (fs::is_regular_file(status)) return FileKind::Regular;
    return FileKind::Other;
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return Usable(name) ? std::fopen(name.c_str(), mode) : nullptr;
}

bool IsRegularFile(std::FILE* file) {
    struct stat info {};
    return file != nullptr && fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameExistingFile(const std::string& a, const std::string& b) {
    if (!Usable(a) || !Usable(b)) return false;
    std::error_code ec;
    const bool same = fs::equivalent(PathOf(a), PathOf(b), ec);
    return !ec && same;
}

std::optional<std::string> LinkTarget(const std::string& name) {
    if (!Usable(name)) return std::nullopt;
    std::error_code ec;
    if (!fs::is_symlink(PathOf(name), ec)) return std::nullopt;
    const fs::path resolved = fs::canonical(PathOf(name), ec);
    if (ec) return std::nullopt;
    return resolved.native();
}

std::string FolderOf(const std::string& name) {
    const fs::path folder = PathOf(name).parent_path();
    return folder.empty() ? std::string(".") : folder.native();
}

void CopyPermissions(const std::string& model, const std::string& name) {
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(model), ec);
    if (!ec) fs::permissions(PathOf(name), status.permissions(), fs::perm_options::replace, ec);
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    if (!Usable(from) || !Usable(to)) return false;
    std::error_code ec;
    fs::rename(PathOf(from), PathOf(to), ec);
    return !ec;
}

bool RemoveFile(const std::string& name) {
    if (!Usable(name)) return false;
    std::error_code ec;
    return fs::remove(PathOf(name), ec) && !ec;
}

} // namespace shirl
