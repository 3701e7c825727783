#include "cli/file_reasons.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/service/report_view.h"
#include "files/file_system.h"

namespace shirl::cli {
namespace {

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

std::string CommandLineText(const Fault& fault) {
    std::string text = FaultText(fault);
    if (fault.kind == FaultKind::PartyUnknown && text.ends_with("."))
        text.replace(text.size() - 1, 1, "; choose one with --selection.");
    return text;
}

std::string WithFileReason(const Fault& fault, const ConvertRequest& request) {
    const FaultKind kind = fault.kind;
    const bool input = kind == FaultKind::CannotOpenInput || kind == FaultKind::CannotReadInput;
    const bool output = kind == FaultKind::CannotOpenOutput || kind == FaultKind::CannotWriteOutput;
    const std::string text = CommandLineText(fault);
    if (!input && !output) return text;
    if ((input && request.standardInput) || (output && request.standardOutput))
        return text + (input ? " Standard input" : " Standard output") + " could not be used.";
    const std::string& name = input ? request.inputName : request.outputName;
    const bool opening = kind == FaultKind::CannotOpenInput || kind == FaultKind::CannotOpenOutput;
    const std::string reason = opening ? WhyNotOpened(name, output) : "";
    return text + " " + name + (reason.empty() ? "." : ": " + reason + ".");
}

} // namespace shirl::cli
