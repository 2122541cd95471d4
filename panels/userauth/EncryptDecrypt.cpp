// The credential scrambling: pure, bytes in and bytes out.

#include "EncryptDecrypt.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr unsigned kMask = VEL_USERAUTH_SCRAMBLE_MASK;

unsigned char rotateRight(unsigned char byte, unsigned count) {
    return static_cast<unsigned char>((byte >> count) | (byte << (8 - count)));
}

unsigned char rotateLeft(unsigned char byte, unsigned count) {
    return static_cast<unsigned char>((byte << count) | (byte >> (8 - count)));
}

// The rotation count cycles 1, 2, 3, 4 over the bytes of a string.
unsigned nextCount(unsigned count) {
    return count <= 3 ? count + 1 : 1;
}

// One pair of characters as the C library reads a hex number: either case,
// stopping at the first character that is no hex digit.
unsigned long hexPair(const char* pair) {
    const char digits[3] = {pair[0], pair[1], '\0'};
    return std::strtoul(digits, nullptr, 16);
}

} // namespace

int EncryptData(const unsigned char* input, uint32_t inputLength, char* output,
                uint32_t* capacity) {
    if (capacity == nullptr || output == nullptr || (input == nullptr && inputLength > 0)) {
        return 0;
    }
    // 2n + 1 computed wide, so no length wraps it below the capacity.
    if (static_cast<uint64_t>(*capacity) < 2 * static_cast<uint64_t>(inputLength) + 1) {
        return 0;
    }
    unsigned count = 1;
    for (uint32_t i = 0; i < inputLength; ++i) {
        const unsigned scrambled = rotateRight(input[i], count) ^ kMask;
        std::snprintf(output + 2 * static_cast<size_t>(i), 3, "%02x", scrambled);
        count = nextCount(count);
    }
    *capacity = 2 * inputLength;
    return 1;
}

int DecryptData(const char* input, uint32_t inputLength, unsigned char* output,
                uint32_t* capacity) {
    if (capacity == nullptr || output == nullptr || (input == nullptr && inputLength > 0)) {
        return 0;
    }
    if (inputLength % 2 != 0) {
        return 0;
    }
    const uint32_t length = inputLength / 2;
    if (static_cast<uint64_t>(*capacity) < static_cast<uint64_t>(length) + 1) {
        return 0;
    }
    unsigned count = 1;
    for (uint32_t i = 0; i < length; ++i) {
        const auto masked = static_cast<unsigned char>((hexPair(input + 2 * i) ^ kMask) & 0xFF);
        output[i] = rotateLeft(masked, count);
        count = nextCount(count);
    }
    output[length] = '\0';
    *capacity = length;
    return 1;
}
