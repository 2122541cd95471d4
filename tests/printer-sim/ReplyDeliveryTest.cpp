#include "ReplyDelivery.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

struct DeliveryCase {
    std::string name;
    std::string description;
    std::string reply;
    std::string sent;
    bool closeAfter;
    friend void PrintTo(const DeliveryCase& c, std::ostream* out) { *out << c.name; }
};

class ReplyDeliveryTest : public testing::TestWithParam<DeliveryCase> {};

TEST_P(ReplyDeliveryTest, SendsWhatTheBehaviourSays) {
    const auto printer = ParsePrinterDescription(GetParam().description, "printer.desc");
    ASSERT_TRUE(printer) << printer.error;
    const auto delivery = PlanDelivery(GetParam().reply, *printer.value);
    EXPECT_EQ(delivery.bytes, GetParam().sent);
    EXPECT_EQ(delivery.closeAfter, GetParam().closeAfter);
}

const std::string kReply = "@PJL INFO ID\r\nX\r\n\f"; // 18 bytes

INSTANTIATE_TEST_SUITE_P(
    Behaviours, ReplyDeliveryTest,
    testing::Values(
        DeliveryCase{"Normal", "", kReply, kReply, false},
        DeliveryCase{"Slow", "tcp-behaviour = slow", kReply, kReply, false},
        DeliveryCase{"Silent", "tcp-behaviour = silent", kReply, "", false},
        DeliveryCase{"CloseMidReplyEven", "tcp-behaviour = close-mid-reply", kReply, "@PJL INFO",
                     true},
        DeliveryCase{"CloseMidReplyOddRoundsDown", "tcp-behaviour = close-mid-reply", "abcde", "ab",
                     true},
        DeliveryCase{"CloseMidReplyOneByte", "tcp-behaviour = close-mid-reply", "a", "", true},
        DeliveryCase{"StatusFirstDefault", "tcp-behaviour = status-first", kReply,
                     "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"READY\"\r\nONLINE=TRUE\r\n\f" +
                         kReply,
                     false},
        DeliveryCase{"StatusFirstOwnText",
                     "tcp-behaviour = status-first\nstatus-text = @PJL USTATUS TIMED\\r\\n\\f",
                     kReply, "@PJL USTATUS TIMED\r\n\f" + kReply, false},
        DeliveryCase{"NoReplyNoStatus", "tcp-behaviour = status-first", "", "", false},
        DeliveryCase{"NoReplyNoClose", "tcp-behaviour = close-mid-reply", "", "", false}),
    CaseName());

} // namespace
