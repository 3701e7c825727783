#include "cli/file_reasons.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/file_system.h"

namespace shirl::cli {
namespace {

constexpr const char* kOpenInput = "ERROR: Could not open input file.";
constexpr const char* kReadInput = "ERROR: Could not read input file.";
constexpr const char* kOpenOutput = "ERROR: Could not open output file.";
constexpr const char* kWriteOutput = "ERROR: Could not write output file.";

// The reason errno gives for a failed open, in a few words.
std::string ReasonOf(int error, bool writing) {
    switch (error) {
    case EACCES:
    case EPERM: return writing ? "no permission to write it" : "no permission to read it";
    case EROFS: return "the disk is read-only";
    case ENOENT: return "there is no such file";
    case EISDIR: return "it is a folder";
    case ENOSPC: return "the disk is full";
    default: return error != 0 ? std::strerror(error) : "";
    }
}

} // namespace

std::string WhyNotOpened(const std::string& name, bool writing) {
    const FileKind kind = KindOf(name);
    if (kind == FileKind::Folder) return "it is a folder";
    if (!writing && kind == FileKind::Missing) return "there is no such file";
    if (writing && KindOf(FolderOf(name)) != FileKind::Folder) return "its folder does not exist";
    // Tried again to learn why; a file made only for that is removed.
    const bool existed = kind != FileKind::Missing;
    errno = 0;
    std::FILE* file = OpenFile(name, !writing ? "rb" : existed ? "r+b" : "wb");
    const int error = errno;
    if (file == nullptr) return ReasonOf(error, writing);
    std::fclose(file);
    if (writing && !existed) RemoveFile(name);
    // The file opens: the temporary file beside it could not be made.
    return writing ? "no permission to write in its folder" : "";
}

std::string WithFileReason(const std::string& error, const ConvertRequest& request) {
    const bool input = error == kOpenInput || error == kReadInput;
    const bool output = error == kOpenOutput || error == kWriteOutput;
    if (!input && !output) return error;
    if ((input && request.standardInput) || (output && request.standardOutput))
        return error + (input ? " Standard input" : " Standard output") + " could not be used.";
    const std::string& name = input ? request.inputName : request.outputName;
    const bool opening = error == kOpenInput || error == kOpenOutput;
    const std::string reason = opening ? WhyNotOpened(name, output) : "";
    return error + " " + name + (reason.empty() ? "." : ": " + reason + ".");
}

} // namespace shirl::cli
