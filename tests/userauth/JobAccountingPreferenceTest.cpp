// The job-accounting preference file: one small file per case, and the
// record of the first line whose login name matches.

#include "FakeWhoami.h"
#include "TestSupport.h"
#include "UserAuthUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

namespace {

// A record no read leaves behind, to see that a failed read touches nothing.
JobAccountingRecord patternRecord() {
    JobAccountingRecord record;
    std::memset(&record, 0x5A, sizeof record);
    return record;
}

bool untouched(const JobAccountingRecord& record) {
    const JobAccountingRecord pattern = patternRecord();
    return std::memcmp(&record, &pattern, sizeof record) == 0;
}

// The preference folder pointed at a temporary one.
class PreferenceFolder : public testing::Test {
protected:
    void WritePreferences(std::string_view content) const {
        m_Dir.Write(std::string(VEL_PREFERENCES_FOLDER) + "/" + VEL_JOB_ACCOUNTING_PREFERENCES,
                    content);
    }

private:
    TempDir m_Dir;
    ScopedEnv m_Folder{"VEL_PREFERENCES_DIR", m_Dir.Path().string()};
};

struct PreferenceCase {
    const char* name;
    std::string file;
    std::string login;
    bool found;
    std::string userID;
    std::string extraValue;
};

// Test names say enough; the bytes of a row do not.
void PrintTo(const PreferenceCase& row, std::ostream* out) {
    *out << row.name;
}

class PreferenceLines : public PreferenceFolder,
                        public testing::WithParamInterface<PreferenceCase> {};

TEST_P(PreferenceLines, FillTheRecordOfTheFirstMatchingLine) {
    const PreferenceCase& row = GetParam();
    WritePreferences(row.file);
    JobAccountingRecord record = patternRecord();
    const int found = GetJobAccountingPreferenceFromLoginName(row.login.c_str(), &record);
    if (!row.found) {
        EXPECT_EQ(found, 0);
        EXPECT_TRUE(untouched(record));
        return;
    }
    ASSERT_EQ(found, 1);
    EXPECT_EQ(std::string(record.loginName), row.login);
    EXPECT_EQ(std::string(record.userID), row.userID);
    EXPECT_EQ(std::string(record.extraValue), row.extraValue);
}

const std::string k300(300, '9');

INSTANTIATE_TEST_SUITE_P(
    Files, PreferenceLines,
    testing::Values(
        PreferenceCase{"SecondFieldIsTheUserID", "anna,1,a\nuser7,12,x\n", "user7", true, "12",
                       "x"},
        PreferenceCase{"MissingFieldsAreEmpty", "user7\n", "user7", true, "", ""},
        PreferenceCase{"MissingThirdFieldIsEmpty", "user7,12\n", "user7", true, "12", ""},
        PreferenceCase{"EmptyMiddleField", "user7,,x\n", "user7", true, "", "x"},
        PreferenceCase{"FieldsAfterTheThirdIgnored", "user7,12,x,y,z\n", "user7", true, "12", "x"},
        PreferenceCase{"CrLfLineEnds", "anna,1,a\r\nuser7,12,x\r\n", "user7", true, "12", "x"},
        PreferenceCase{"CarriageReturnInsideAFieldIgnored", "us\rer7,1\r2,x\n", "user7", true, "12",
                       "x"},
        PreferenceCase{"CrOnlyFileIsOneLine", "user7,12,x\ranna,1,a\r", "user7", true, "12",
                       "xanna"},
        PreferenceCase{"CrOnlyFileHidesLaterNames", "user7,12,x\ranna,1,a\r", "anna", false, "",
                       ""},
        PreferenceCase{"FirstMatchWins", "user7,1,a\nuser7,2,b\n", "user7", true, "1", "a"},
        PreferenceCase{"LastLineWithoutLineFeed", "anna,1,a\nuser7,12,x", "user7", true, "12", "x"},
        PreferenceCase{"DoubleByteCommaInLoginName", "\x81,name,12,x\n", "\x81,name", true, "12",
                       "x"},
        PreferenceCase{"DoubleByteCommaInUserID", "user7,1\x81,2,x\n", "user7", true, "1\x81,2",
                       "x"},
        PreferenceCase{"DoubleByteLineFeedInLoginName", "a\x81\nb,12,x\n", "a\x81\nb", true, "12",
                       "x"},
        PreferenceCase{"DoubleByteLineFeedInUserID", "user7,1\x81\n2,x\n", "user7", true,
                       "1\x81\n2", "x"},
        PreferenceCase{"DoubleByteCarriageReturnKept", "user7,1\x81\r,x\n", "user7", true,
                       "1\x81\r", "x"},
        PreferenceCase{"LeadBytesAtTheRangeEdges", "user7,\x9f,\xe0,\xfc,x\n", "user7", true,
                       "\x9f,\xe0,\xfc,x", ""},
        PreferenceCase{"SingleBytesBelowAndBetweenTheRanges", "user7,\x80,\xa0\n", "user7", true,
                       "\x80", "\xa0"},
        PreferenceCase{"SingleBytesAtAndAboveTheRanges", "user7,\xdf,\xfd,y\n", "user7", true,
                       "\xdf", "\xfd"},
        PreferenceCase{"LoginNameIsCaseSensitive", "User7,12,x\n", "user7", false, "", ""},
        PreferenceCase{"LoginNameMatchesWhole", "user7,12,x\n", "user", false, "", ""},
        PreferenceCase{"LongFieldsCutTo255Bytes", "user7," + k300 + "," + k300 + "\n", "user7",
                       true, k300.substr(0, 255), k300.substr(0, 255)},
        PreferenceCase{"EmptyLinesSkipped", "\n\nuser7,12,x\n", "user7", true, "12", "x"},
        PreferenceCase{"EmptyLoginNameMatchesNothing", "\n,12,x\n", "", false, "", ""},
        PreferenceCase{"NoMatchingLine", "anna,1,a\n", "user7", false, "", ""},
        PreferenceCase{"EmptyFile", "", "user7", false, "", ""}),
    [](const testing::TestParamInfo<PreferenceCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(PreferenceFolder, NoFileLeavesTheRecordUntouched) {
    JobAccountingRecord record = patternRecord();
    EXPECT_EQ(GetJobAccountingPreferenceFromLoginName("user7", &record), 0);
    EXPECT_TRUE(untouched(record));
}

TEST_F(PreferenceFolder, LoggedInUserIsLookedUpByTheLoginName) {
    WritePreferences("anna,1,a\nuser7,12,x\n");
    FakeWhoami whoami("user7\n");
    JobAccountingRecord record = patternRecord();
    ASSERT_EQ(GetJobAccountingPreference(&record), 1);
    EXPECT_STREQ(record.loginName, "user7");
    EXPECT_STREQ(record.userID, "12");
}

TEST_F(PreferenceFolder, WithoutALoginNameNothingIsFound) {
    // A line with an empty login name is there to be matched by mistake.
    WritePreferences(",12,x\nuser7,13,y\n");
    for (const char* printed : {"", " user7\n"}) {
        SCOPED_TRACE(std::string("whoami prints \"") + printed + "\"");
        FakeWhoami whoami(printed);
        JobAccountingRecord record = patternRecord();
        EXPECT_EQ(GetJobAccountingPreference(&record), 0);
        EXPECT_TRUE(untouched(record));
    }
}

} // namespace
