// The routines as other programs reach them: by their plain names in the
// installed VELUserAuthPS bundle. This program links none of their code.

#include "EncryptDecrypt.h"
#include "FakeWhoami.h"
#include "TestSupport.h"
#include "UserAuthPPD.h"
#include "UserAuthUtils.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kInstalledBundle[] = QC_INSTALLED_PANELS "/VELUserAuthPS/VELUserAuthPS.so";

// The six routines looked up in the bundle. The bundle stays loaded for the
// whole run: unloading the Qt libraries it brought is nothing to test here.
struct BundleRoutines {
    decltype(&EncryptData) encrypt = nullptr;
    decltype(&DecryptData) decrypt = nullptr;
    decltype(&GetLoginName) loginName = nullptr;
    decltype(&GetJobAccountingPreferenceFromLoginName) preferenceFor = nullptr;
    decltype(&GetJobAccountingPreference) preference = nullptr;
    decltype(&ReadUserAuthFile) readEntry = nullptr;
};

template <typename Function> void lookUp(void* bundle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(bundle, name));
    EXPECT_NE(function, nullptr) << name << " is not exported: " << dlerror();
}

class InstalledBundle : public testing::Test {
protected:
    static void SetUpTestSuite() {
        void* bundle = dlopen(kInstalledBundle, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(bundle, nullptr) << dlerror();
        lookUp(bundle, "EncryptData", s_Routines.encrypt);
        lookUp(bundle, "DecryptData", s_Routines.decrypt);
        lookUp(bundle, "GetLoginName", s_Routines.loginName);
        lookUp(bundle, "GetJobAccountingPreferenceFromLoginName", s_Routines.preferenceFor);
        lookUp(bundle, "GetJobAccountingPreference", s_Routines.preference);
        lookUp(bundle, "ReadUserAuthFile", s_Routines.readEntry);
    }

    void SetUp() override {
        ASSERT_NE(s_Routines.readEntry, nullptr) << "the bundle's routines were not all found";
    }

    std::string Scrambled(std::string_view text) const {
        return ScrambledHex(text, s_Routines.encrypt);
    }

    static inline BundleRoutines s_Routines;
    FakeWhoami m_Whoami{"user7\n"};
    TempDir m_Dir;
};

TEST_F(InstalledBundle, ScramblesBothWays) {
    const std::string hex = Scrambled("user7");
    EXPECT_EQ(hex, "1f7909823e");
    unsigned char back[8];
    uint32_t capacity = sizeof back;
    ASSERT_EQ(s_Routines.decrypt(hex.data(), static_cast<uint32_t>(hex.size()), back, &capacity),
              1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(back), capacity), "user7");
}

TEST_F(InstalledBundle, ReadsTheLoginName) {
    char name[32];
    EXPECT_EQ(s_Routines.loginName(name, sizeof name), 5);
    EXPECT_STREQ(name, "user7");
}

TEST_F(InstalledBundle, ReadsThePreferenceFile) {
    m_Dir.Write("QUORVAN/VLJA.prefs", "anna,1,a\nuser7,12,x\n");
    ScopedEnv folder("VEL_PREFERENCES_DIR", m_Dir.Path().string());
    JobAccountingRecord record;
    std::memset(&record, 0, sizeof record);
    ASSERT_EQ(s_Routines.preferenceFor("anna", &record), 1);
    EXPECT_STREQ(record.userID, "1");
    ASSERT_EQ(s_Routines.preference(&record), 1);
    EXPECT_STREQ(record.loginName, "user7");
    EXPECT_STREQ(record.userID, "12");
    EXPECT_STREQ(record.extraValue, "x");
}

TEST_F(InstalledBundle, ReadsTheUsersPPDEntry) {
    PPDFile ppd = OpenPPD(WriteUserAuthPPD(
        m_Dir,
        PPDEntry("UADatauser7", Scrambled("alice") + "," + Scrambled("se\\\\cret") + ",x,1")));
    ASSERT_TRUE(ppd);
    char user[32];
    char password[32];
    char flag[2];
    ASSERT_EQ(s_Routines.readEntry(user, sizeof user, password, sizeof password, flag, sizeof flag,
                                   ppd.get()),
              0);
    EXPECT_STREQ(user, "alice");
    EXPECT_STREQ(password, "se\\cret");
    EXPECT_STREQ(flag, "1");
}

} // namespace
