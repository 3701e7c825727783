#pragma once
// Files for tests: a temporary folder of a test's own, and whole files read
// and written as bytes.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace shirl::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes (files a test made read-only included).
class TempDir {
public:
    // `prepare`, when given, runs on every entry before the removal (to lift
    // a protection that a permission change does not lift).
    explicit TempDir(std::function<void(const std::filesystem::path&)> prepare = {});
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }
    // The path of `name` in the folder, as text.
    std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
    std::function<void(const std::filesystem::path&)> m_prepare;
};

// The whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Creates or replaces the file with `bytes`; false on any failure.
bool WriteFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace shirl::test
