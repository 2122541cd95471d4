// The user's user-authentication entry in the queue's PPD: which entry is
// read, how its fields are split, unscrambled and unescaped, and that the
// outputs stay within their sizes.

#include "EncryptDecrypt.h"
#include "FakeWhoami.h"
#include "UserAuthPPD.h"
#include "UserAuthUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// An entry's value written as a pattern: "{text}" stands for the stored
// (escaped) text scrambled, everything else is taken as it is.
std::string entryValue(std::string_view pattern) {
    std::string value;
    for (size_t at = 0; at < pattern.size();) {
        const size_t open = pattern.find('{', at);
        const size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) {
            value += pattern.substr(at);
            break;
        }
        value += pattern.substr(at, open - at);
        value += ScrambledHex(pattern.substr(open + 1, close - open - 1), &EncryptData);
        at = close + 1;
    }
    return value;
}

constexpr size_t kRoom = 160;

// The three outputs, filled with '#' so that every byte written shows.
struct Outputs {
    char user[kRoom];
    char password[kRoom];
    char flag[8];

    Outputs() {
        std::memset(user, '#', sizeof user);
        std::memset(password, '#', sizeof password);
        std::memset(flag, '#', sizeof flag);
    }

    int Read(ppd_file_t* ppd, unsigned userSize = kRoom, unsigned passwordSize = kRoom,
             unsigned flagSize = 2) {
        return ReadUserAuthFile(user, userSize, password, passwordSize, flag, flagSize, ppd);
    }

    bool Untouched() const {
        const Outputs fresh;
        return std::memcmp(this, &fresh, sizeof *this) == 0;
    }
};

// What is left of a buffer from `from` on, which must still be '#'.
std::string tail(const char* buffer, size_t size, size_t from) {
    return std::string(buffer + from, size - from);
}

class UserAuthEntry : public testing::Test {
protected:
    PPDFile Open(std::string_view lines, PPDLineEnds ends = PPDLineEnds::kLF) const {
        return OpenPPD(WriteUserAuthPPD(m_Dir, lines, ends));
    }

    FakeWhoami m_Whoami{"user7\n"};

private:
    TempDir m_Dir;
};

// A value libcups cannot hand over from a file (it reads every CR as a line
// end), put in place of an entry's value for as long as the object lives.
class ReplacedValue {
public:
    ReplacedValue(ppd_attr_t* entry, std::string value)
        : m_Entry(entry), m_Saved(entry->value), m_Value(std::move(value)) {
        m_Entry->value = m_Value.data();
    }
    ~ReplacedValue() { m_Entry->value = m_Saved; }
    ReplacedValue(const ReplacedValue&) = delete;
    ReplacedValue& operator=(const ReplacedValue&) = delete;

private:
    ppd_attr_t* m_Entry;
    char* m_Saved;
    std::string m_Value;
};

enum class Source { kFile, kCRLFFile, kInMemory };

struct EntryCase {
    const char* name;
    std::string pattern;
    Source source;
    std::string user;
    std::string password;
    std::string flag;
};

// Test names say enough; the bytes of a row do not.
void PrintTo(const EntryCase& row, std::ostream* out) {
    *out << row.name;
}

class EntryFields : public UserAuthEntry, public testing::WithParamInterface<EntryCase> {};

TEST_P(EntryFields, GiveTheCredentialsAndTheFlag) {
    const EntryCase& row = GetParam();
    const std::string value = entryValue(row.pattern);
    // The login-less entry is there to be read by mistake.
    const std::string decoy = PPDEntry("UAData", entryValue("{decoy},{decoy},x,0"));
    const std::string entry =
        PPDEntry("UADatauser7", row.source == Source::kInMemory ? "placeholder" : value);
    PPDFile ppd = Open(decoy + entry,
                       row.source == Source::kCRLFFile ? PPDLineEnds::kCRLF : PPDLineEnds::kLF);
    ASSERT_TRUE(ppd);
    ppd_attr_t* stored = ppdFindAttr(ppd.get(), "UADatauser7", nullptr);
    ASSERT_NE(stored, nullptr);
    std::optional<ReplacedValue> replaced;
    if (row.source == Source::kInMemory) {
        replaced.emplace(stored, value);
    } else {
        ASSERT_STREQ(stored->value, value.c_str()) << "libcups reads the entry as written";
    }

    Outputs out;
    EXPECT_EQ(out.Read(ppd.get()), 0);
    EXPECT_EQ(std::string(out.user), row.user);
    EXPECT_EQ(std::string(out.password), row.password);
    EXPECT_EQ(std::string(out.flag), row.flag);
}

const std::string k100a(100, 'a');
const std::string k100b(100, 'b');

INSTANTIATE_TEST_SUITE_P(
    Values, EntryFields,
    testing::Values(
        EntryCase{"TwoFieldsLeaveTheFlagZero", "{alice},{secret}", Source::kFile, "alice", "secret",
                  "0"},
        EntryCase{"ThreeFieldsLeaveTheFlagZero", "{alice},{secret},x", Source::kFile, "alice",
                  "secret", "0"},
        EntryCase{"FlagIsTheFourthFieldsFirstCharacter", "{alice},{secret},x,1xyz", Source::kFile,
                  "alice", "secret", "1"},
        EntryCase{"EmptyFields", ",,,1", Source::kFile, "", "", "1"},
        EntryCase{"DoubledBackslashIsOne", "{a\\\\b},{\\\\}", Source::kFile, "a\\b", "\\", "0"},
        EntryCase{"BackslashMakesTheNextCharacterLiteral", "{a\\b},{c\\,d}", Source::kFile, "ab",
                  "c,d", "0"},
        EntryCase{"TrailingBackslashDropped", "{ab\\},{\\}", Source::kFile, "ab", "", "0"},
        EntryCase{"DoubleByteCharacterEndingInBackslashKept", "{\x81\\x},{\x81\\\\n}",
                  Source::kFile, "\x81\\x", "\x81\\n", "0"},
        EntryCase{"OddHexLengthEmptiesTheUserName", "abc,{secret},x,1", Source::kFile, "", "secret",
                  "1"},
        EntryCase{"OddHexLengthEmptiesThePassword", "{alice},abcde,x,1", Source::kFile, "alice", "",
                  "1"},
        EntryCase{"LineFeedsSeparateFields", "{alice}\n{secret}\nx\n1", Source::kFile, "alice",
                  "secret", "1"},
        EntryCase{"CrLfFileReadsLikeLineFeeds", "{alice}\n{secret}\nx\n1", Source::kCRLFFile,
                  "alice", "secret", "1"},
        EntryCase{"CarriageReturnSeparatesAndCrLfIsTwo", "{alice}\r{secret}\r\n1",
                  Source::kInMemory, "alice", "secret", "1"},
        EntryCase{"CrLfAfterTheUserNameLeavesAnEmptyPassword", "{alice}\r\n{secret}",
                  Source::kInMemory, "alice", "", "0"},
        // 200 + 1 + 200 characters: the copy of 255 keeps 54 of the password's hex digits.
        EntryCase{"ValueCutTo255Characters", "{" + k100a + "}\n{" + k100b + "}", Source::kFile,
                  k100a, k100b.substr(0, 27), "0"}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

struct LookupCase {
    const char* name;
    const char* printed;                                      // by whoami
    std::vector<std::pair<const char*, const char*>> entries; // keyword, value pattern
    int status;
    std::string user;
};

// Test names say enough; the bytes of a row do not.
void PrintTo(const LookupCase& row, std::ostream* out) {
    *out << row.name;
}

class EntryLookup : public UserAuthEntry, public testing::WithParamInterface<LookupCase> {};

TEST_P(EntryLookup, TakesTheLoginNamesEntryOrTheLoginLessOneWithoutALogin) {
    const LookupCase& row = GetParam();
    m_Whoami.Prints(row.printed);
    std::string lines;
    for (const auto& [keyword, pattern] : row.entries) {
        lines += PPDEntry(keyword, entryValue(pattern));
    }
    PPDFile ppd = Open(lines);
    ASSERT_TRUE(ppd);
    Outputs out;
    EXPECT_EQ(out.Read(ppd.get()), row.status);
    if (row.status == VEL_USERAUTH_PARAM_ERR) {
        EXPECT_TRUE(out.Untouched());
    } else {
        EXPECT_EQ(std::string(out.user), row.user);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LoginNames, EntryLookup,
    testing::Values(LookupCase{"NoEntryForTheUser",
                               "user7\n",
                               {{"UADataanna", "{anna},{p}"}},
                               VEL_USERAUTH_PARAM_ERR,
                               ""},
                    LookupCase{"LoginLessEntryNotUsedForAUser",
                               "user7\n",
                               {{"UAData", "{alice},{p}"}},
                               VEL_USERAUTH_PARAM_ERR,
                               ""},
                    LookupCase{"LoginLessEntryWithoutALogin",
                               "",
                               {{"UADatauser7", "{decoy},{p}"}, {"UAData", "{alice},{p}"}},
                               0,
                               "alice"},
                    LookupCase{"LoginLessEntryForAnEmptyLogin",
                               " user7\n",
                               {{"UADatauser7", "{decoy},{p}"}, {"UAData", "{alice},{p}"}},
                               0,
                               "alice"}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST_F(UserAuthEntry, NoPPDLeavesTheOutputsUntouched) {
    Outputs out;
    EXPECT_EQ(out.Read(nullptr), VEL_USERAUTH_PARAM_ERR);
    EXPECT_TRUE(out.Untouched());
}

class SmallOutputs : public UserAuthEntry {
protected:
    void SetUp() override {
        m_PPD = Open(PPDEntry("UADatauser7", entryValue("{abcdef},{secret},x,1")));
        ASSERT_TRUE(m_PPD);
    }

    PPDFile m_PPD;
    Outputs m_Out;
};

TEST_F(SmallOutputs, AreCutAndTerminatedWithinTheirSizes) {
    EXPECT_EQ(m_Out.Read(m_PPD.get(), 4, 1, 2), 0);
    EXPECT_STREQ(m_Out.user, "abc");
    EXPECT_EQ(tail(m_Out.user, kRoom, 4), std::string(kRoom - 4, '#'));
    EXPECT_STREQ(m_Out.password, "");
    EXPECT_EQ(tail(m_Out.password, kRoom, 1), std::string(kRoom - 1, '#'));
    EXPECT_STREQ(m_Out.flag, "1");
    EXPECT_EQ(tail(m_Out.flag, sizeof m_Out.flag, 2), std::string(sizeof m_Out.flag - 2, '#'));
}

TEST_F(SmallOutputs, OneByteFlagHoldsTheEmptyString) {
    EXPECT_EQ(m_Out.Read(m_PPD.get(), kRoom, kRoom, 1), 0);
    EXPECT_EQ(m_Out.flag[0], '\0') << "a flag output of one byte is left unterminated";
    EXPECT_EQ(tail(m_Out.flag, sizeof m_Out.flag, 1), std::string(sizeof m_Out.flag - 1, '#'));
}

TEST_F(SmallOutputs, ZeroSizesWriteNothing) {
    EXPECT_EQ(m_Out.Read(m_PPD.get(), 0, 0, 0), 0);
    EXPECT_TRUE(m_Out.Untouched());
}

} // namespace
