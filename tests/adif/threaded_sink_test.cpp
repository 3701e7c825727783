// The writing thread's sink writes every byte on to its target in order,
// whatever the sizes of the writes, and a failed write on the target shows
// as a failure of the sink.
#include <gtest/gtest.h>

#include <string>

#include "adif/byte_io.h"
#include "adif/threaded_sink.h"

namespace shirl {
namespace {

// Takes `limit` bytes, then fails.
class LimitedSink final : public ByteSink {
public:
    explicit LimitedSink(std::size_t limit) : ByteSink(64), m_limit(limit) {}
    std::string text;

protected:
    bool Drain(const char* data, std::size_t size) override {
        if (text.size() + size > m_limit) return false;
        text.append(data, size);
        return true;
    }

private:
    std::size_t m_limit;
};

TEST(ThreadedSink, WritesEverythingInOrderOrFails) {
    std::string expected;
    for (int i = 0; i < 3000; ++i) expected += std::string(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26)) + "\n";
    for (const std::size_t limit : {expected.size(), expected.size() / 2}) {
        SCOPED_TRACE("target takes " + std::to_string(limit) + " bytes");
        LimitedSink target(limit);
        ThreadedSink sink(target, 100);
        for (std::size_t at = 0, step = 1; at < expected.size(); at += step, step = step % 250 + 7)
            sink.Write(std::string_view(expected).substr(at, step));
        const bool written = sink.Finish() && target.Flush();
        EXPECT_EQ(written, limit == expected.size());
        if (written) EXPECT_EQ(target.text, expected);
        else EXPECT_EQ(target.text, expected.substr(0, target.text.size()));
    }
}

} // namespace
} // namespace shirl
