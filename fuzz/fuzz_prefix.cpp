// libFuzzer target: ExtractCallsignPrefix on arbitrary bytes as a callsign.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/prefix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string callsign(reinterpret_cast<const char*>(data), size);
    std::string prefix;
    const int result = shirl::ExtractCallsignPrefix(callsign, prefix);
    if (result < 0 || result > 2) std::abort();
    if (result == 0) {
        // A prefix reaches at least the first digit after a letter, or gets a 0 appended.
        if (prefix.size() < 2 || prefix.size() > callsign.size() + 1) std::abort();
    }
    // Pure text work: the same callsign gives the same answer.
    std::string again;
    if (shirl::ExtractCallsignPrefix(callsign, again) != result) std::abort();
    if (result == 0 && again != prefix) std::abort();
    return 0;
}
