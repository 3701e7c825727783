#pragma once
// An output file written so that an existing one survives any failure: the
// bytes go to a temporary file beside it (beside the target of a symbolic
// link), which takes the output's name only once complete. A device or a
// pipe (/dev/null, a FIFO, NUL) is written directly: a rename would replace it.
#include <string>

#include "files/file_streams.h"

namespace shirl {

class OutputReplacement {
public:
    OutputReplacement() = default;
    ~OutputReplacement();  // removes a temporary file not committed
    OutputReplacement(const OutputReplacement&) = delete;
    OutputReplacement& operator=(const OutputReplacement&) = delete;

    // Opens the output `name` for writing; false when it cannot be written:
    // a folder, a file that is not writable, a missing folder, no room for
    // the temporary file, a name the system does not take.
    bool Open(const std::string& name);
    // Writes to standard output directly, as a device is written.
    bool OpenStandardOutput();
    // Where the bytes go.
    ByteSink& Sink() { return m_sink; }
    // True when the output is a device or pipe written directly.
    bool IsDirect() const { return m_direct; }
    // Flushes and closes what was written; true when every byte got there.
    bool Close();
    // Puts the closed temporary file in the output's place, with the
    // permissions of the file it replaces; false (temporary removed) on failure.
    bool Commit();
    // Removes the temporary file; the output stays as it was.
    void Discard();

private:
    FileSink m_sink;
    std::string m_target;     // the file replaced (a link's target)
    std::string m_temporary;  // empty when written directly or done
    bool m_direct = false;
    bool m_replaces = false;  // an existing file is replaced
};

// A name beside `target` that no file has yet, for an output in progress.
std::string FreshTemporaryName(const std::string& target);

} // namespace shirl
