// The Convert command: the checks in their fixed order, the run into a
// temporary file beside the output, and the report rows.
#include "app/convert_command.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#include "adif/byte_io.h"
#include "adif/contest_id_scan.h"
#include "data/contest_ids.h"
#include "convert/convert_log.h"
#include "convert/run_report.h"

namespace shirl {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoInputName = "ERROR: Didn't specify input file.";
constexpr const char* kNoOutputName = "ERROR: Didn't specify output file.";
constexpr const char* kSameNames = "ERROR: Input and output file names must be different.";
constexpr const char* kNoSelection = "ERROR: You must select a state or QSO Party.";
constexpr const char* kCannotOpenInput = "ERROR: Could not open input file.";
constexpr const char* kCannotOpenOutput = "ERROR: Could not open output file.";
constexpr const char* kCannotWriteOutput = "ERROR: Could not write output file.";
constexpr const char* kCannotReadInput = "ERROR: Could not read input file.";

fs::path PathOf(const std::string& name) { return fs::path(std::u8string(name.begin(), name.end())); }

std::string NameOf(const fs::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

ConvertOutcome Failure(const char* text) {
    ConvertOutcome outcome;
    outcome.error = text;
    return outcome;
}

// The same existing file under another name: other letter case on a file
// system that ignores case, a relative form, a symbolic or hard link.
bool SameExistingFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

// Whether an existing file could be written, without emptying it.
bool ExistingFileWritable(const fs::path& path) {
    std::FILE* file = OpenFileUtf8(NameOf(path), "r+b");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// A name in `folder` that no file has yet, for the output in progress.
fs::path FreshTemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (;;) {
        const std::string suffix = ".shirl-" + std::to_string(stamp % 1000000007ULL) + "-" +
                                   std::to_string(counter.fetch_add(1)) + ".tmp";
        fs::path candidate = target;
        candidate += PathOf(suffix);
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate;
    }
}

std::vector<std::string> ReportRows(const RunReport& report) {
    std::vector<std::string> rows;
    for (const MessageList* list : {&report.first, &report.second, &report.third}) {
        if (list->empty()) continue;
        rows.insert(rows.end(), list->OldestFirst().begin(), list->OldestFirst().end());
        rows.emplace_back();
    }
    return rows;
}

} // namespace

ConvertOutcome RunConvertCommand(const ConvertRequest& request) {
    if (request.inputName.empty()) return Failure(kNoInputName);
    if (request.outputName.empty()) return Failure(kNoOutputName);
    const fs::path inputPath = PathOf(request.inputName);
    const fs::path outputPath = PathOf(request.outputName);
    if (request.inputName == request.outputName || SameExistingFile(inputPath, outputPath))
        return Failure(kSameNames);
    if (!request.selection.IsValid() && !request.selectionFromLog) return Failure(kNoSelection);

    FileSource input;
    if (!input.Open(request.inputName)) return Failure(kCannotOpenInput);

    // The rows that open the report: the Selection taken from the log, the lists.
    RunReport report;
    Selection selection = request.selection;
    if (request.selectionFromLog) {
        const SelectionDetection detected = DetectSelection(ReadContestIds(input));
        if (input.Failed() || !input.Rewind()) return Failure(kCannotReadInput);
        if (detected.error) return ConvertOutcome{detected.error, {}};
        selection = detected.selection;
        PushMessage(report.first, detected.info);
    }
    for (std::string& row : AbbrevListReportRows(request.list, selection)) PushMessage(report.first, std::move(row));

    // The output is written to a temporary file beside the file it will
    // replace (the target of a symbolic link), and takes the output's name
    // only once every byte has been written; an existing output file stays
    // as it was until then.
    std::error_code ec;
    fs::path target = outputPath;
    if (fs::is_symlink(outputPath, ec)) {
        const fs::path resolved = fs::canonical(outputPath, ec);
        if (!ec) target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (exists && (fs::is_directory(status) || !ExistingFileWritable(target))) return Failure(kCannotOpenOutput);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) return Failure(kCannotOpenOutput);

    // A device or pipe (/dev/null, a FIFO) is written directly: renaming a
    // file over it would replace it.
    const bool direct = exists && !fs::is_regular_file(status);
    const fs::path temporary = direct ? target : FreshTemporaryName(target);
    FileSink output;
    if (!output.Open(NameOf(temporary))) return Failure(kCannotOpenOutput);

    bool written = true;
    try {
        ConvertLog(input, output, selection, request.addMobile, request.outputName, report, request.list);
    } catch (const std::bad_alloc&) {
        // Out of memory (a value of gigabytes): the output is incomplete.
        written = false;
    }
    // A read error part way through leaves a log cut short: it must not take
    // the place of an existing output as if the conversion were complete.
    const bool readWhole = !input.Failed();
    input.Close();

    written = output.Close() && written;
    if (direct) return written ? ConvertOutcome{std::nullopt, ReportRows(report)} : Failure(kCannotWriteOutput);
    if (!readWhole) {
        fs::remove(temporary, ec);
        return Failure(kCannotReadInput);
    }
    if (written && exists) {
        // Keep the permissions of the file being replaced.
        fs::permissions(temporary, status.permissions(), fs::perm_options::replace, ec);
    }
    if (written) {
        fs::rename(temporary, target, ec);
        written = !ec;
    }
    if (!written) {
        fs::remove(temporary, ec);
        return Failure(kCannotWriteOutput);
    }

    ConvertOutcome outcome;
    outcome.rows = ReportRows(report);
    return outcome;
}

} // namespace shirl
