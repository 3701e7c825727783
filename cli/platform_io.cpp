#include "cli/platform_io.h"

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "files/utf.h"
#endif

namespace shirl::cli {

#ifdef _WIN32

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    // argv holds the ANSI code page's form, which loses every other letter:
    // the wide command line is split again instead.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    if (wide == nullptr) {
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        return args;
    }
    for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return args;
}

namespace {

// The console behind `stream`, or nullptr when it goes to a file or pipe.
HANDLE ConsoleOf(std::FILE* stream) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
    return handle;
}

} // namespace

namespace {

bool Write(std::FILE* stream, std::string_view text, std::wstring_view consoleEnd, std::string_view end) {
    std::fflush(stream);
    if (const HANDLE console = ConsoleOf(stream)) {
        // Invalid UTF-8 in a row (a log may hold any bytes) shows as U+FFFD.
        const std::wstring wide = WideFromUtf8(text) + std::wstring(consoleEnd);
        DWORD written = 0;
        return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    // The rows byte for byte, as on every system.
    if (stream == stdout) _setmode(_fileno(stream), _O_BINARY);
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fwrite(end.data(), 1, end.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

} // namespace

bool WriteText(std::FILE* stream, std::string_view text) { return Write(stream, text, L"", ""); }

bool WriteLine(std::FILE* stream, std::string_view text) { return Write(stream, text, L"\r\n", "\n"); }

bool WriteLines(std::FILE* stream, std::span<const std::string> lines) {
    std::fflush(stream);
    if (const HANDLE console = ConsoleOf(stream)) {
        std::wstring wide;
        for (const std::string& line : lines) wide.append(WideFromUtf8(line)).append(L"\r\n");
        DWORD written = 0;
        return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    if (stream == stdout) _setmode(_fileno(stream), _O_BINARY);
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stream);
        std::fputc('\n', stream);
    }
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool WriteText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

bool WriteLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

bool WriteLines(std::FILE* stream, std::span<const std::string> lines) {
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stream);
        std::fputc('\n', stream);
    }
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

#endif

} // namespace shirl::cli
