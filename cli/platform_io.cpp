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

void WriteLine(std::FILE* stream, std::string_view text) {
    std::fflush(stream);
    if (const HANDLE console = ConsoleOf(stream)) {
        // Invalid UTF-8 in a row (a log may hold any bytes) shows as U+FFFD.
        const std::wstring wide = WideFromUtf8(text) + L"\r\n";
        DWORD written = 0;
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // The report rows byte for byte, as on every system.
    if (stream == stdout) _setmode(_fileno(stream), _O_BINARY);
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void WriteLine(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

#endif

} // namespace shirl::cli
