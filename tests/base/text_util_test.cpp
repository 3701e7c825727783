// SameBytes at every size up to past the word-wise limit: the bytes the
// same (a byte after them differing), and one byte changed at each place in turn.
#include <gtest/gtest.h>

#include <string>

#include "base/text_util.h"

namespace shirl {
namespace {

TEST(SameBytesTest, TellsEveryChangedByteAtEverySize) {
    for (std::size_t size = 0; size <= 40; ++size) {
        std::string a(size + 1, 'x'), b(size + 1, 'x');
        for (std::size_t i = 0; i < size; ++i) a[i] = b[i] = static_cast<char>('A' + i % 26);
        b[size] = 'y'; // a byte past the end differs, and must not count
        EXPECT_TRUE(SameBytes(a.data(), b.data(), size)) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string c = b;
            c[at] = static_cast<char>(c[at] ^ 0x80);
            EXPECT_FALSE(SameBytes(a.data(), c.data(), size)) << size << " at " << at;
        }
    }
}

} // namespace
} // namespace shirl
