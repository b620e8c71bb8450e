// The registry strings in memory: a text read always ends inside its buffer, a text written
// fills its 260 bytes with zeros after it, or is not written at all.
#include "common/registry_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/path_buffer.h"

namespace {

// The buffers are heap blocks of exactly their size, so a read past one trips the sanitizer.
TEST(StringValue, TextAlwaysEndsInsideTheBuffer) {
    for (const StringValueCase& c : stringValueCases(kPathBufferSize)) {
        SCOPED_TRACE(c.what);
        // What the registry put there: as much of the value as the buffer holds, and its length.
        std::vector<char> buffer(kPathBufferSize, 'G');
        std::memcpy(buffer.data(), c.data.data(), std::min(c.data.size(), buffer.size()));
        EXPECT_EQ(c.result, finishStringValue(buffer.data(), buffer.size(), c.data.size()));
        ASSERT_NE(nullptr, std::memchr(buffer.data(), '\0', buffer.size()));
        EXPECT_EQ(c.text, buffer.data());
    }
}

TEST(StringValue, LengthBeyondTheBufferIsBoundedByIt) {
    std::vector<char> buffer(kPathBufferSize, 'x');
    EXPECT_EQ(0, finishStringValue(buffer.data(), buffer.size(), 70000));
    EXPECT_EQ('\0', buffer[0]);
    buffer[5] = '\0';
    EXPECT_EQ(1, finishStringValue(buffer.data(), buffer.size(), 70000));
}

// The registry is handed all 260 bytes, so every byte after the text must be a zero.
TEST(RegistryText, TheTextThenZerosToTheEndOrNothing) {
    auto buffer = pathBuffer("");
    EXPECT_EQ(1, registryTextBuffer("QUARLOCK2", buffer.get()));
    EXPECT_EQ(std::string("QUARLOCK2") + std::string(kPathBufferSize - 9, '\0'),
              std::string(buffer.get(), kPathBufferSize));

    const std::string longest(kPathBufferSize - 1, 'p');
    EXPECT_EQ(1, registryTextBuffer(longest.c_str(), buffer.get()));
    EXPECT_EQ(longest, buffer.get());

    // Too long: 260 characters without their zero, in a block of exactly 260 bytes that is never read past.
    auto tooLong = pathBuffer();
    std::memset(tooLong.get(), 'p', kPathBufferSize);
    std::memset(buffer.get(), 'z', kPathBufferSize);
    EXPECT_EQ(0, registryTextBuffer(tooLong.get(), buffer.get()));
    EXPECT_EQ(std::string(kPathBufferSize, '\0'), std::string(buffer.get(), kPathBufferSize));
}

}  // namespace
