#include "Class/USBPort.h"
#include "Class/Error.h"
#include "ScriptedUSBBus.h"
#include "USBDescriptorBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Transcript = std::vector<std::string>;

const std::string kStatusOff = "\x1b%-12345X@PJL USTATUS DEVICE=OFF\r\n"
                               "@PJL USTATUS VELDEVICE=OFF\r\n\x1b%-12345X";
const std::string kStatusInfo = "\x1b%-12345X@PJL INFO USTATUS\r\n\x1b%-12345X";
const std::string kStatusEcho = "@PJL INFO USTATUS\r\nDEVICE=OFF\r\n\f";
const std::string kConfig = "\x1b%-12345X@PJL INFO CONFIG\r\n\x1b%-12345X";
const std::string kConfigEcho = "@PJL INFO CONFIG\r\nDUPLEX\r\n\f";
const std::string kUnsolicited = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\f";
const std::string kQueueURI = "usb://Velmark/CL-5400?serial=VM123";

std::string Write(const std::string& bytes) {
    return "write:" + bytes;
}

// A port on a scripted bus; the bus stays reachable through `bus`.
class USBPortTest : public testing::Test {
protected:
    void SetUp() override { SetLastErrorType(kErrorNone); }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    USBPort& MakePort(const std::string& uri = kQueueURI) {
        auto owned = std::make_unique<ScriptedUSBBus>();
        bus = owned.get();
        port = std::make_unique<USBPort>(uri, std::move(owned));
        return *port;
    }
    ScriptedUSBPrinter& AddPrinter(const std::string& serial = "VM123") {
        return bus->AddPrinter("Velmark", "CL-5400", serial);
    }
    std::optional<std::string> Ask(const std::string& request,
                                   _CommandLanguage language = CommandLanguagePJL) {
        return port->CreateReplyCopy(request.c_str(), request.size(), language);
    }
    // A printer whose status steps are done, with a fresh transcript.
    ScriptedUSBPrinter& StatusOffPrinter() {
        ScriptedUSBPrinter& printer = AddPrinter();
        printer.reads = {{kStatusEcho}, {kConfigEcho}};
        EXPECT_EQ(Ask(kConfig), kConfigEcho);
        printer.transcript.clear();
        return printer;
    }

    ScriptedUSBBus* bus = nullptr;
    std::unique_ptr<USBPort> port;
};

struct IdentityCase {
    const char* name;
    const char* uri;
    std::optional<std::string> manufacturer, model, serial;
};
void PrintTo(const IdentityCase& c, std::ostream* out) {
    *out << c.name;
}

class USBIdentityTest : public testing::TestWithParam<IdentityCase> {};

TEST_P(USBIdentityTest, DeviceURIGivesTheQueuesPrinter) {
    const IdentityCase& c = GetParam();
    USBPort port(c.uri, std::make_unique<ScriptedUSBBus>());
    EXPECT_EQ(port.Manufacturer(), c.manufacturer);
    EXPECT_EQ(port.Model(), c.model);
    EXPECT_EQ(port.SerialNumber(), c.serial);
}

const std::nullopt_t none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Forms, USBIdentityTest,
    testing::Values(
        IdentityCase{"SlashForm", "usb://Maker/Model%20A?serial=123", "Maker", "Model A", "123"},
        IdentityCase{"Velusb", "velusb://Maker/Model%20A?serial=123", "Maker", "Model A", "123"},
        IdentityCase{"ColonForm", "usb://Maker:Model%20A/123", "Maker", "Model A", "123"},
        IdentityCase{"SerialKeepsEscapesAndParameters", "usb://Ma%4Ber/M?serial=1%202&interface=1",
                     "MaKer", "M", "1%202&interface=1"},
        IdentityCase{"NoSerialMeansNoModel", "usb://Maker/Model", none, none, none},
        IdentityCase{"MalformedEscape", "usb://Maker/Model%2?serial=1", none, none, none},
        IdentityCase{"EscapeThatIsNotUTF8", "usb://Maker/Model%FF?serial=1", none, none, none}),
    [](const auto& info) { return info.param.name; });

TEST_F(USBPortTest, FirstPJLQuerySwitchesStatusOffThenOneExchangePerQuery) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.reads = {{kStatusEcho}, {kConfigEcho}, {kConfigEcho}};

    EXPECT_EQ(Ask(kConfig), kConfigEcho);
    EXPECT_EQ(printer.transcript, (Transcript{"open", Write(kStatusOff), Write(kStatusInfo), "read",
                                              Write(kConfig), "read", "close"}));
    EXPECT_TRUE(port->StatusSwitchedOff());
    // The 71 bytes of the status text go out as a full piece and the rest.
    ASSERT_GE(printer.pieceSizes.size(), 2u);
    EXPECT_EQ(printer.pieceSizes[0], 64u);
    EXPECT_EQ(printer.pieceSizes[1], 7u);

    printer.transcript.clear();
    EXPECT_EQ(Ask(kConfig), kConfigEcho);
    EXPECT_EQ(printer.transcript, (Transcript{"open", Write(kConfig), "read", "close"}));
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(USBPortTest, FailedStatusStepIsTriedAgainByTheNextQuery) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.reads = {{"", kUSBPipeStalled}, {kStatusEcho}, {kConfigEcho}};
    testing::internal::CaptureStderr();
    EXPECT_EQ(Ask(kConfig), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "read err:e000404f\n");
    EXPECT_FALSE(port->StatusSwitchedOff());
    printer.transcript.clear();
    EXPECT_EQ(Ask(kConfig), kConfigEcho);
    EXPECT_EQ(printer.Writes(), (Transcript{kStatusOff, kStatusInfo, kConfig}));
}

struct SyncCase {
    const char* name;
    std::vector<ScriptedRead> reads; // after the status steps
    Transcript transcript;
    std::string reply;
};
void PrintTo(const SyncCase& c, std::ostream* out) {
    *out << c.name;
}

class USBEchoSyncTest : public USBPortTest, public testing::WithParamInterface<SyncCase> {};

TEST_P(USBEchoSyncTest, ReplyIsTheOneThatStartsWithTheEcho) {
    MakePort();
    ScriptedUSBPrinter& printer = StatusOffPrinter();
    printer.reads.assign(GetParam().reads.begin(), GetParam().reads.end());
    EXPECT_EQ(Ask(kConfig), GetParam().reply);
    EXPECT_EQ(printer.transcript, GetParam().transcript);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, USBEchoSyncTest,
    testing::Values(SyncCase{"UnsolicitedStatusIsReadPastWithAnEmptyWrite",
                             {{kUnsolicited}, {kConfigEcho}},
                             {"open", Write(kConfig), "read", Write(""), "read", "close"},
                             kConfigEcho},
                    SyncCase{"EmptyReplySendsTheRequestAgain",
                             {{""}, {kConfigEcho}},
                             {"open", Write(kConfig), "read", Write(kConfig), "read", "close"},
                             kConfigEcho},
                    SyncCase{"StaleAnswerOfAnEarlierQueryIsReadPast",
                             {{"DUPLEX\r\n\f"}, {kConfigEcho}},
                             {"open", Write(kConfig), "read", Write(""), "read", "close"},
                             kConfigEcho},
                    // The first piece ends with LF behind the echo line: that ends the group.
                    SyncCase{"GroupEndsAtLineFeedOfTheFirstPiece",
                             {{"@PJL INFO CONFIG\r\n"}, {"DUPLEX\r\n\f"}},
                             {"open", Write(kConfig), "read", "close"},
                             "@PJL INFO CONFIG\r\n"},
                    SyncCase{"GroupRunsOverPiecesUntilFormFeed",
                             {{"@PJL INFO CONFIG\r"}, {"\nDUPLEX"}, {"\r\n\f"}},
                             {"open", Write(kConfig), "read", "read", "read", "close"},
                             kConfigEcho}),
    [](const auto& info) { return info.param.name; });

TEST_F(USBPortTest, PostScriptGroupEndsOnlyWithAPieceEndingInEOT) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.reads = {{"True\x04\r\n"}, {"more\n"}, {"end\x04"}};
    const std::string request = "(VLDuplex) = flush\n";
    EXPECT_EQ(Ask(request, CommandLanguagePS), "True\x04\r\nmore\nend\x04");
    EXPECT_EQ(printer.transcript,
              (Transcript{"open", Write(request), "read", "read", "read", "close"}));
    EXPECT_FALSE(port->StatusSwitchedOff());
}

TEST_F(USBPortTest, OtherLanguagesGiveNoReplyWithoutTouchingTheBus) {
    MakePort();
    AddPrinter();
    const char request[] = "\x30\x26\x02\x01";
    EXPECT_EQ(port->CreateReplyCopy(request, 4, CommandLanguageMIB), std::nullopt);
    EXPECT_EQ(port->CreateReplyCopy(request, 4, static_cast<_CommandLanguage>(4)), std::nullopt);
    EXPECT_EQ(bus->walks, 0);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

// A request too long for the work buffer would go out cut: it does not go.
TEST_F(USBPortTest, RequestTooLongForTheWorkBufferIsNotSent) {
    MakePort();
    AddPrinter();
    const std::string longest(USBPort::kWorkBufferSize - 1, 'x');
    EXPECT_EQ(Ask(longest + "x"), "");
    EXPECT_EQ(Ask(longest + "x", CommandLanguagePS), "");
    EXPECT_EQ(bus->walks, 0);
    EXPECT_EQ(Ask(longest, CommandLanguagePS), "");
    EXPECT_EQ(bus->walks, 1);
}

struct FailureCase {
    const char* name;
    _CommandLanguage language;
    std::deque<USBStatus> writeStatuses;
    std::deque<ScriptedRead> reads;
    short errorType;
    std::string line;
    std::string reply;
};
void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class USBFailureTest : public USBPortTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(USBFailureTest, TransferFailureSetsItsTypeAndSaysSo) {
    const FailureCase& c = GetParam();
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.writeStatuses = c.writeStatuses;
    printer.reads = c.reads;
    testing::internal::CaptureStderr();
    const auto reply =
        Ask(c.language == CommandLanguagePJL ? kConfig : "(x) = flush\n", c.language);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line);
    EXPECT_EQ(reply, c.reply);
    EXPECT_EQ(GetLastErrorType(), c.errorType);
    EXPECT_EQ(printer.transcript.back(), "close");
}

INSTANTIATE_TEST_SUITE_P(Transfers, USBFailureTest,
                         testing::Values(FailureCase{"PJLWriteTimeout",
                                                     CommandLanguagePJL,
                                                     {kUSBTransactionTimeout},
                                                     {},
                                                     kErrorUSBWriteTimeout,
                                                     "write err:e0004051\n",
                                                     ""},
                                         FailureCase{"PJLWriteStall",
                                                     CommandLanguagePJL,
                                                     {kUSBPipeStalled},
                                                     {},
                                                     kErrorConnection,
                                                     "write err:e000404f\n",
                                                     ""},
                                         FailureCase{"PostScriptWriteTimeoutIsAConnectionError",
                                                     CommandLanguagePS,
                                                     {kUSBTransactionTimeout},
                                                     {},
                                                     kErrorConnection,
                                                     "write err:e0004051\n",
                                                     ""},
                                         // A read that fails keeps what came before it.
                                         FailureCase{"PostScriptReadTimeoutKeepsThePartialReply",
                                                     CommandLanguagePS,
                                                     {},
                                                     {{"Tr"}},
                                                     kErrorConnection,
                                                     "read err:e0004051\n",
                                                     "Tr"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(USBPortTest, ReplyIsCutAtTheReplyBlock) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.afterReads = [] { return ScriptedRead{std::string(512, 'A')}; };
    const auto reply = Ask("(x) = flush\n", CommandLanguagePS);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->size(), ReplyBuffer::kCapacity);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

// A printer that never echoes, with status messages or with empty replies,
// holds an exchange no longer than its deadline.
class USBDeadlineTest : public USBPortTest, public testing::WithParamInterface<ScriptedRead> {};

TEST_P(USBDeadlineTest, EchoThatNeverComesEndsTheExchange) {
    MakePort();
    ScriptedUSBPrinter& printer = StatusOffPrinter();
    printer.afterReads = [reply = GetParam()] { return reply; };
    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    const auto reply = Ask(kConfig);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "read err:e00002d6\n");
    EXPECT_TRUE(reply.has_value());
    EXPECT_EQ(GetLastErrorType(), kErrorConnection);
    EXPECT_GE(elapsed, USBPort::kExchangeDeadline);
    EXPECT_LT(elapsed, USBPort::kExchangeDeadline + std::chrono::seconds(2));
    EXPECT_EQ(printer.transcript.back(), "close");
}

INSTANTIATE_TEST_SUITE_P(Printers, USBDeadlineTest,
                         testing::Values(ScriptedRead{kUnsolicited}, ScriptedRead{""}),
                         [](const auto& info) {
                             return info.param.bytes.empty() ? "EmptyReplies" : "StatusMessages";
                         });

// Query after query, since every query searches the bus afresh.
TEST_F(USBPortTest, SameModelTwiceOnlyTheSerialNumberDecides) {
    MakePort("usb://Velmark/CL-5400?serial=B2");
    ScriptedUSBPrinter& first = AddPrinter("A1");
    ScriptedUSBPrinter& second = AddPrinter("B2");
    second.reads = {{"True\x04"}, {"False\x04"}};
    EXPECT_EQ(Ask("(x) = flush\n", CommandLanguagePS), "True\x04");
    EXPECT_EQ(Ask("(y) = flush\n", CommandLanguagePS), "False\x04");
    EXPECT_TRUE(first.transcript.empty());
    EXPECT_EQ(second.Writes(), (Transcript{"(x) = flush\n", "(y) = flush\n"}));
}

TEST_F(USBPortTest, NoPrinterOfTheQueue) {
    struct Case {
        const char* name;
        USBStatus busStatus;
        bool printerPresent;
    };
    for (const Case& c :
         {Case{"EmptyBus", kUSBSuccess, false}, Case{"OtherPrinter", kUSBSuccess, true},
          Case{"BusUnreachable", kUSBError, false}}) {
        SCOPED_TRACE(c.name);
        SetLastErrorType(kErrorNone);
        MakePort();
        bus->busStatus = c.busStatus;
        if (c.printerPresent)
            AddPrinter("OTHER");
        EXPECT_EQ(Ask(kConfig), "");
        EXPECT_EQ(GetLastErrorType(), kErrorUSBOpen);
        // The status steps were never done, so the next query tries them.
        EXPECT_FALSE(port->StatusSwitchedOff());
    }
}

TEST_F(USBPortTest, InterfaceThatCannotBeClaimedIsNotOpened) {
    MakePort();
    AddPrinter().openStatus = kUSBExclusiveAccess;
    EXPECT_EQ(Ask("(x) = flush\n", CommandLanguagePS), "");
    EXPECT_EQ(GetLastErrorType(), kErrorUSBOpen);
}

struct DeviceIDCase {
    const char* name;
    std::string id; // the whole GET_DEVICE_ID reply
    bool matches;
};
void PrintTo(const DeviceIDCase& c, std::ostream* out) {
    *out << c.name;
}

DeviceIDCase WithID(const char* name, const std::string& text, bool matches) {
    return {name, DeviceIDReply(text), matches};
}

class USBDeviceIDTest : public USBPortTest, public testing::WithParamInterface<DeviceIDCase> {};

// The model only ever matches through the device ID; the queue's model is
// "CL-5400 HX", manufacturer and serial number come from string descriptors.
TEST_P(USBDeviceIDTest, ModelMatchesThroughTheDeviceID) {
    MakePort("usb://Velmark/CL-5400%20HX?serial=VM123");
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.deviceID = GetParam().id;
    printer.reads = {{"True\x04"}};
    const auto reply = Ask("(x) = flush\n", CommandLanguagePS);
    EXPECT_EQ(reply, GetParam().matches ? "True\x04" : "");
    EXPECT_EQ(GetLastErrorType(), GetParam().matches ? kErrorNone : kErrorUSBOpen);
}

std::string LongID() {
    return "MFG:Velmark;CMD:" + std::string(300, 'X') + ";MDL:CL-5400;";
}

INSTANTIATE_TEST_SUITE_P(
    IDs, USBDeviceIDTest,
    testing::Values(WithID("Exact", "MFG:Velmark;MDL:CL-5400 HX;", true),
                    WithID("DeviceValueIsAPrefixOfTheQueues", "MFG:Velmark;MDL:CL-5400;", true),
                    WithID("DeviceValueLongerThanTheQueues", "MFG:Velmark;MDL:CL-5400 HX2;", false),
                    WithID("KeyInLowerCase", "mfg:Velmark;mdl:CL-5400;", true),
                    WithID("ModelKeyInFull", "MANUFACTURER:Velmark;MODEL:CL-5400;", true),
                    WithID("KeyAtTheVeryEnd", "MFG:Velmark;SERN:VM123;MDL:", false),
                    WithID("EmptyValueNamesNoModel", "MFG:Velmark;MDL:;", false),
                    WithID("NoDeviceID", "", false),
                    // More than the first 256 bytes: the ID is asked for again at its length.
                    WithID("LongerThanTheFirstRequest", LongID(), true),
                    DeviceIDCase{"DeclaredShorterThanSent",
                                 std::string("\x00\x0c", 2) + "MFG:Velmark;MDL:CL-5400;", false},
                    DeviceIDCase{"DeclaredLongerThanSent",
                                 std::string("\x00\xff", 2) + "MFG:Velmark;MDL:CL-5400;", true},
                    DeviceIDCase{"OneByte", std::string("\x00", 1), false},
                    DeviceIDCase{"DeclaresLessThanItsLengthBytes",
                                 std::string("\x00\x01", 2) + "MDL:CL-5400;", false}),
    [](const auto& info) { return info.param.name; });

TEST_F(USBPortTest, DeviceIDFillsWhatTheStringDescriptorsLack) {
    MakePort("usb://Velm%C3%A5rk/CL-5400?serial=VM123");
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.strings.clear();
    // The manufacturer from the ID, read as Mac Roman: 0x8C is U+00E5.
    printer.deviceID = DeviceIDReply("MFG:Velm\x8Crk;MDL:CL-5400;SERN:VM123;");
    printer.reads = {{"True\x04"}};
    EXPECT_EQ(Ask("(x) = flush\n", CommandLanguagePS), "True\x04");
}

TEST_F(USBPortTest, DeviceIDRequestNamesTheInterfaceAndItsSetting) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.description.configurationValue = 2;
    printer.description.interfaceNumber = 1;
    printer.description.settings[0].alternateSetting = 3;
    printer.currentSetting = 3;
    Ask("(x) = flush\n", CommandLanguagePS);
    bool asked = false;
    for (const RecordedRequest& r : printer.controlRequests) {
        if (r.requestType != 0xA1)
            continue;
        asked = true;
        EXPECT_EQ(r.request, 0);
        EXPECT_EQ(r.value, 1);
        EXPECT_EQ(r.index, 0x0103);
        EXPECT_EQ(r.length, 256);
    }
    EXPECT_TRUE(asked);
}

struct SettingCase {
    const char* name;
    std::vector<std::uint8_t> protocols; // of settings 0, 1, ...
    Transcript walk;                     // what the search did before the query
    std::uint8_t used;
};
void PrintTo(const SettingCase& c, std::ostream* out) {
    *out << c.name;
}

class USBSettingTest : public USBPortTest, public testing::WithParamInterface<SettingCase> {};

TEST_P(USBSettingTest, BidirectionalSettingIsPreferred) {
    MakePort();
    ScriptedUSBPrinter& printer = AddPrinter();
    printer.description.settings.clear();
    for (std::size_t i = 0; i < GetParam().protocols.size(); ++i)
        printer.description.settings.push_back({static_cast<std::uint8_t>(i),
                                                7,
                                                1,
                                                GetParam().protocols[i],
                                                {{0x01, 0x02}, {0x82, 0x02}}});
    printer.reads = {{"True\x04"}};
    Ask("(x) = flush\n", CommandLanguagePS);
    Transcript expected = GetParam().walk;
    for (const char* step : {"open", "write:(x) = flush\n", "read", "close"})
        expected.push_back(step);
    EXPECT_EQ(printer.transcript, expected);
    EXPECT_EQ(printer.currentSetting, GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, USBSettingTest,
    testing::Values(SettingCase{"AlreadyBidirectional", {2, 1}, {}, 0},
                    SettingCase{"BidirectionalFurtherOn",
                                {1, 1, 2},
                                {"open", "select 1", "select 2", "close"},
                                2},
                    SettingCase{"LastUnidirectional",
                                {1, 1, 3},
                                {"open", "select 1", "select 2", "select 1", "close"},
                                1},
                    SettingCase{"BackToTheFirstWhenNoOtherIsPrinterProtocol",
                                {1, 3},
                                {"open", "select 1", "select 0", "close"},
                                0},
                    SettingCase{"OnlyUnidirectional", {1}, {"open", "close"}, 0}),
    [](const auto& info) { return info.param.name; });

struct SubstringCase {
    const char* name;
    std::string id;
    std::string key;
    std::optional<std::string> value;
};
void PrintTo(const SubstringCase& c, std::ostream* out) {
    *out << c.name;
}

class Create1284SubstringTest : public testing::TestWithParam<SubstringCase> {};

TEST_P(Create1284SubstringTest, FindsTheValueOfTheKey) {
    EXPECT_EQ(USBPort::create_1284_substring(GetParam().id, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Create1284SubstringTest,
    testing::Values(SubstringCase{"UpToTheSemicolon", DeviceIDReply("MFG:V;MDL:CL-5400;"),
                                  "MDL:", "CL-5400"},
                    SubstringCase{"UpToTheEnd", "MFG:V;MDL:CL", "MDL:", "CL"},
                    SubstringCase{"CaseIgnored", "mfg:V;Mdl:CL;", "MDL:", "CL"},
                    SubstringCase{"FirstHitWins", "MDL:A;MDL:B;", "MDL:", "A"},
                    SubstringCase{"EmptyValue", "MDL:;", "MDL:", ""},
                    SubstringCase{"OneByteBehindTheKey", "MDL:X", "MDL:", "X"},
                    SubstringCase{"KeyAtTheVeryEnd", "MFG:V;MDL:", "MDL:", none},
                    SubstringCase{"ShorterThanTheKey", "MD", "MDL:", none},
                    SubstringCase{"Empty", "", "MDL:", none},
                    SubstringCase{"Missing", "MFG:V;", "MDL:", none}),
    [](const auto& info) { return info.param.name; });

} // namespace
