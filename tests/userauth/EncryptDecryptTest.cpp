// The credential scrambling: its exact output for known bytes, round trips,
// and the capacity limits of both directions.

#include "EncryptDecrypt.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// The scrambling worked out here on its own, with the mask the system's
// stored entries were made with.
std::string expectedHex(const Bytes& input) {
    constexpr unsigned kStoredMask = 0xA5;
    std::string hex;
    for (size_t i = 0; i < input.size(); ++i) {
        const unsigned count = i % 4 + 1;
        const unsigned rotated = ((input[i] >> count) | (input[i] << (8 - count))) & 0xFF;
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", rotated ^ kStoredMask);
        hex += pair;
    }
    return hex;
}

// Every byte value at each of the four rotation counts.
Bytes everyByteAtEveryCount() {
    Bytes bytes;
    for (unsigned offset = 0; offset < 4; ++offset) {
        bytes.insert(bytes.end(), offset, 'x');
        for (unsigned value = 0; value < 256; ++value) {
            bytes.push_back(static_cast<unsigned char>(value));
        }
    }
    return bytes;
}

std::string encrypt(const Bytes& input) {
    std::string hex(2 * input.size() + 1, '#');
    auto capacity = static_cast<uint32_t>(hex.size());
    EXPECT_EQ(EncryptData(input.data(), static_cast<uint32_t>(input.size()), hex.data(), &capacity),
              1);
    EXPECT_EQ(capacity, 2 * input.size());
    EXPECT_EQ(hex.back(), '\0');
    hex.resize(capacity);
    return hex;
}

Bytes decrypt(const std::string& hex) {
    Bytes bytes(hex.size() / 2 + 1, '#');
    auto capacity = static_cast<uint32_t>(bytes.size());
    EXPECT_EQ(DecryptData(hex.data(), static_cast<uint32_t>(hex.size()), bytes.data(), &capacity),
              1);
    EXPECT_EQ(capacity, hex.size() / 2);
    EXPECT_EQ(bytes.back(), '\0');
    bytes.resize(capacity);
    return bytes;
}

TEST(Scrambling, MatchesTheStoredFormatForEveryByteAndCount) {
    EXPECT_EQ(encrypt(Bytes{'u', 's', 'e', 'r', '7'}), "1f7909823e");
    const Bytes bytes = everyByteAtEveryCount();
    EXPECT_EQ(encrypt(bytes), expectedHex(bytes));
}

TEST(Scrambling, RoundTripsEveryByteAndEveryLengthAcrossTheRotationWrap) {
    const Bytes bytes = everyByteAtEveryCount();
    EXPECT_EQ(decrypt(encrypt(bytes)), bytes);
    for (size_t length = 1; length <= 9; ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        const Bytes prefix(bytes.begin() + 200, bytes.begin() + 200 + length);
        EXPECT_EQ(decrypt(encrypt(prefix)), prefix);
    }
}

TEST(Scrambling, ReadsHexDigitsInEitherCase) {
    const Bytes bytes{0xAB, 0xCD, 0xEF, 0xFA, 0xDE};
    std::string upper = encrypt(bytes);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    ASSERT_NE(upper, encrypt(bytes)) << "the case has letters to change";
    EXPECT_EQ(decrypt(upper), bytes);
}

// One call on an output of `room` bytes that starts out filled with '#'.
struct CapacityCase {
    const char* name;
    uint32_t length; // input bytes (EncryptData) or hex characters (DecryptData)
    uint32_t room;
    int status;
    uint32_t capacityAfter;
    size_t written; // bytes of the output changed, the NUL included
};

// Test names say enough; the bytes of a row do not.
void PrintTo(const CapacityCase& row, std::ostream* out) {
    *out << row.name;
}

std::string caseName(const testing::TestParamInfo<CapacityCase>& info) {
    return info.param.name;
}

class EncryptCapacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(EncryptCapacity, WritesOnlyWhenTheOutputHoldsHexAndNul) {
    const CapacityCase& row = GetParam();
    const Bytes input(row.length, 'a');
    std::string output(32, '#');
    uint32_t capacity = row.room;
    EXPECT_EQ(EncryptData(input.data(), row.length, output.data(), &capacity), row.status);
    EXPECT_EQ(capacity, row.capacityAfter);
    EXPECT_EQ(output.find_first_of('#'), row.written);
    if (row.written > 0) {
        EXPECT_EQ(output[row.written - 1], '\0');
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, EncryptCapacity,
                         testing::Values(CapacityCase{"ExactlyTwiceTheLengthPlusOne", 3, 7, 1, 6,
                                                      7},
                                         CapacityCase{"OneByteShort", 3, 6, 0, 6, 0},
                                         CapacityCase{"EmptyInputWritesNothing", 0, 1, 1, 0, 0},
                                         CapacityCase{"EmptyInputWithoutRoom", 0, 0, 0, 0, 0}),
                         caseName);

class DecryptCapacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(DecryptCapacity, WritesOnlyWhenTheOutputHoldsBytesAndNul) {
    const CapacityCase& row = GetParam();
    const std::string hex = encrypt(Bytes(8, 'a')).substr(0, row.length);
    Bytes output(32, '#');
    uint32_t capacity = row.room;
    EXPECT_EQ(DecryptData(hex.data(), row.length, output.data(), &capacity), row.status);
    EXPECT_EQ(capacity, row.capacityAfter);
    const Bytes untouched(output.begin() + row.written, output.end());
    EXPECT_EQ(untouched, Bytes(32 - row.written, '#'));
    if (row.written > 0) {
        EXPECT_EQ(output[row.written - 1], '\0');
        EXPECT_EQ(Bytes(output.begin(), output.begin() + row.written - 1),
                  Bytes(row.written - 1, 'a'));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, DecryptCapacity,
                         testing::Values(CapacityCase{"ExactlyHalfTheLengthPlusOne", 6, 4, 1, 3, 4},
                                         CapacityCase{"OneByteShort", 6, 3, 0, 3, 0},
                                         CapacityCase{"OddLength", 3, 16, 0, 16, 0},
                                         CapacityCase{"ZeroCharactersGiveAnEmptyString", 0, 1, 1, 0,
                                                      1},
                                         CapacityCase{"ZeroCharactersWithoutRoom", 0, 0, 0, 0, 0}),
                         caseName);

} // namespace
