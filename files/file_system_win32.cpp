// The file system on Windows: every name goes from UTF-8 to UTF-16 and
// through the wide ("W") API, so any name Windows takes works, of any length.
#include <windows.h>

#include <io.h>

#include <cstring>
#include <vector>

#include "files/file_system.h"
#include "files/long_path.h"
#include "files/system_name.h"
#include "files/utf.h"

namespace shirl {

std::optional<std::wstring> SystemName(const std::string& name) {
    bool valid = true;
    std::wstring wide = WideFromUtf8(name, &valid);
    if (!valid || wide.empty() || wide.find(L'\0') != std::wstring::npos) return std::nullopt;
    if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return std::nullopt;
    full.resize(length);
    if (full.size() < kLongPathFrom) return wide;
    const std::u16string longForm = LongPathForm(std::u16string(full.begin(), full.end()));
    return std::wstring(longForm.begin(), longForm.end());
}

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle that only asks about the file (no read or write access); folders
// open too. INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE OpenForQuery(const std::wstring& name) {
    return CreateFileW(name.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

struct QueryHandle {
    explicit QueryHandle(const std::wstring& name) : handle(OpenForQuery(name)) {}
    ~QueryHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    QueryHandle(const QueryHandle&) = delete;
    QueryHandle& operator=(const QueryHandle&) = delete;
    HANDLE handle;
};

} // namespace

FileKind KindOf(const std::string& name) {
    const std::optional<std::wstring> wide = SystemName(name);
    if (!wide) return FileKind::Missing;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Devices (NUL, COM1) have no attributes on some versions but open.
        const QueryHandle file(*wide);
        if (file.handle == INVALID_HANDLE_VALUE) return FileKind::Missing;
        return GetFileType(file.handle) == FILE_TYPE_DISK ? FileKind::Regular : FileKind::Other;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileKind::Folder;
    const QueryHandle file(*wide);
    if (file.handle != INVALID_HANDLE_VALUE && GetFileType(file.handle) != FILE_TYPE_DISK) return FileKind::Other;
    return FileKind::Regular;
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    const std::optional<std::wstring> wide = SystemName(name);
    if (!wide) return nullptr;
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(wide->c_str(), wideMode.c_str());
}

bool IsRegularFile(std::FILE* file) {
    if (file == nullptr) return false;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
}

bool SameExistingFile(const std::string& a, const std::string& b) {
    const std::optional<std::wstring> wideA = SystemName(a);
    const std::optional<std::wstring> wideB = SystemName(b);
    if (!wideA || !wideB) return false;
    const QueryHandle fileA(*wideA);
    const QueryHandle fileB(*wideB);
    BY_HANDLE_FILE_INFORMATION infoA{};
    BY_HANDLE_FILE_INFORMATION infoB{};
    if (fileA.handle == INVALID_HANDLE_VALUE || fileB.handle == INVALID_HANDLE_VALUE) return false;
    if (!GetFileInformationByHandle(fileA.handle, &infoA) || !GetFileInformationByHandle(fileB.handle, &infoB))
        return false;
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}

std::optional<std::string> LinkTarget(const std::string& name) {
    const std::optional<std::wstring> wide = SystemName(name);
    if (!wide) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return std::nullopt;
    const QueryHandle file(*wide);  // opening follows the link
    if (file.handle == INVALID_HANDLE_VALUE) return std::nullopt;
    const DWORD size = GetFinalPathNameByHandleW(file.handle, nullptr, 0, FILE_NAME_NORMALIZED);
    if (size == 0) return std::nullopt;
    std::vector<wchar_t> buffer(size + 1);
    const DWORD length = GetFinalPathNameByHandleW(file.handle, buffer.data(), size + 1, FILE_NAME_NORMALIZED);
    if (length == 0 || length > size) return std::nullopt;
    bool valid = true;
    std::string target = Utf8FromWide(std::wstring_view(buffer.data(), length), &valid);
    if (!valid) return std::nullopt;
    return target;
}

std::string FolderOf(const std::string& name) {
    const std::size_t separator = name.find_last_of("\\/");
    if (separator == std::string::npos) {
        // "C:out.adi": the current folder of drive C.
        const std::size_t colon = name.find(':');
        return colon == std::string::npos ? std::string(".") : name.substr(0, colon + 1);
    }
    if (separator == 0) return name.substr(0, 1);
    // "C:\out.adi" and "\\?\C:\out.adi" are in the drive's root, "C:\".
    if (name[separator - 1] == ':') return name.substr(0, separator + 1);
    return name.substr(0, separator);
}

void CopyPermissions(const std::string&, const std::string&) {
    // Windows has no permission bits to carry over: an output that can be
    // replaced is not read-only, and access comes from the folder.
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    const std::optional<std::wstring> wideFrom = SystemName(from);
    const std::optional<std::wstring> wideTo = SystemName(to);
    return wideFrom && wideTo &&
           MoveFileExW(wideFrom->c_str(), wideTo->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& name) {
    const std::optional<std::wstring> wide = SystemName(name);
    return wide && DeleteFileW(wide->c_str()) != 0;
}

} // namespace shirl
