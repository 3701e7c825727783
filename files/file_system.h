#pragma once
// What the Convert command asks of the file system, by UTF-8 name (bytes
// as they are on POSIX systems). One implementation a platform:
// file_system_posix.cpp and file_system_win32.cpp. None of these throws:
// a name the system cannot take (invalid UTF-8 on Windows, too long)
// answers as a missing file, a failed open or a failed rename.
#include <cstdio>
#include <optional>
#include <string>

namespace shirl {

enum class FileKind { Missing, Regular, Folder, Other };

// What `name` is, following symbolic links; Other is a device or a pipe.
FileKind KindOf(const std::string& name);

// Opens `name` with fopen's `mode` ("rb", "wb", "r+b"); nullptr on failure.
std::FILE* OpenFile(const std::string& name, const char* mode);

// Whether the open file is a regular file (one that can be read again).
bool IsRegularFile(std::FILE* file);

// Whether two names reach one existing file (another spelling, letter case
// where the system ignores it, a link); false when either does not exist.
bool SameExistingFile(const std::string& a, const std::string& b);

// The file a symbolic link `name` finally points to; nullopt when `name`
// is no link or its target cannot be resolved.
std::optional<std::string> LinkTarget(const std::string& name);

// The folder that holds `name` ("." for a bare file name).
std::string FolderOf(const std::string& name);

// Gives `name` the access permissions of `model` (best effort).
void CopyPermissions(const std::string& model, const std::string& name);

// Renames `from` to `to`, replacing `to` in one step; false on failure.
bool RenameReplacing(const std::string& from, const std::string& to);

// Removes the file `name`; false when it could not be removed.
bool RemoveFile(const std::string& name);

} // namespace shirl
