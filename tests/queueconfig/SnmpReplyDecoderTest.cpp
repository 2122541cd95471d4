#include "Class/SnmpReplyDecoder.h"
#include "Class/ReplyBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::size_t kRequestLength = 50;

// A GetResponse laid out like the request up to the value: type at 48,
// length byte at 49, value from 50 on.
std::vector<unsigned char> Response(unsigned char type, std::vector<unsigned char> lengthAndValue) {
    std::vector<unsigned char> bytes(48, 0x30);
    bytes.push_back(type);
    bytes.insert(bytes.end(), lengthAndValue.begin(), lengthAndValue.end());
    return bytes;
}

struct DecodeCase {
    const char* name;
    std::vector<unsigned char> datagram;
    std::string value;
    int lastIndex;
};

class SnmpReplyDecoderTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(SnmpReplyDecoderTest, TakesTheValueByPosition) {
    const DecodeCase& c = GetParam();
    int lastIndex = -100;
    EXPECT_EQ(DecodeSnmpValue(c.datagram.data(), c.datagram.size(), kRequestLength, &lastIndex),
              c.value);
    EXPECT_EQ(lastIndex, c.lastIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, SnmpReplyDecoderTest,
    testing::Values(
        DecodeCase{"OctetString", Response(0x04, {3, 'H', 'X', '2'}), "HX2", 52},
        DecodeCase{"NoSuchNameNull", Response(0x05, {0}), "", 49},
        DecodeCase{"FourByteIntegerWhateverItsType", Response(0x02, {4, 0, 1, 0, 2}),
                   std::string("\0\1\0\2", 4), 53},
        DecodeCase{"BytesBehindTheValueIgnored", Response(0x04, {2, 'O', 'N', 'x', 'y'}), "ON", 51},
        DecodeCase{"LengthByteReadAsNegative", Response(0x04, {0x80, 'A', 'B'}), "", 49},
        DecodeCase{"LengthPointsPastTheEnd", Response(0x04, {5, 'H', 'X'}), "HX", 51},
        DecodeCase{"LengthByteMissing", Response(0x04, {}), "", 49},
        DecodeCase{"ShorterThanTheRequest", std::vector<unsigned char>(30, 0x04), "", 49},
        DecodeCase{"EmptyDatagram", {}, "", 49},
        DecodeCase{"LongestOneByteLength",
                   [] {
                       std::vector<unsigned char> v{127};
                       v.resize(128, 'v');
                       return Response(0x04, v);
                   }(),
                   std::string(127, 'v'), 176}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(ReplyBufferTest, CutsAtTheBlockAndNeverBeyond) {
    ReplyBuffer reply;
    EXPECT_TRUE(reply.Append(std::string(ReplyBuffer::kCapacity - 1, 'a')));
    EXPECT_FALSE(reply.IsFull());
    EXPECT_FALSE(reply.Append("bc"));
    EXPECT_TRUE(reply.IsFull());
    EXPECT_FALSE(reply.Append("d"));
    EXPECT_TRUE(reply.Append(""));
    EXPECT_EQ(reply.Text().size(), ReplyBuffer::kReplyBufferSize - 1);
    EXPECT_EQ(reply.Text().back(), 'b');
}

} // namespace
