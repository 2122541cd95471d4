#include "Class/Error.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(ErrorTest, EveryTypeMapsToItsMessageKey) {
    struct Case {
        short type;
        const char* key;
    };
    const Case cases[] = {
        {0, "unknown_err"},
        {3, "unknown_err"},
        {9, "open_connection_err_usb"},
        {10, "conection_err"},
        {11, "unknown_err"},
        {12, "cannot_find_ip"},
        {16, "printer_is_busy_offline"},
        {17, "unknown_err"},
        {24, "IDS_FAIL_GETDEVICEOPTION"},
        {25, "unknown_err"},
        {27, "unknown_err"},
        {28, "unknown_err"},
        {29, "unknown_err"},
        {-1, "unknown_err"},
        {13, "unknown_err"},
        {32767, "unknown_err"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(GetErrorMessageKey(c.type), c.key) << "type " << c.type;
}

TEST(ErrorTest, LaterTypesOverwriteAndNothingClears) {
    SetLastErrorType(kErrorNoEcho);
    EXPECT_EQ(GetLastErrorType(), 29);
    SetLastErrorType(kErrorConnection);
    EXPECT_EQ(GetLastErrorType(), 10);
    SetLastErrorType(kErrorNone); // leave the process as the next test expects it
}

TEST(ErrorTest, MessagesAreLocalizedWithEnglishAsTheBase) {
    ScopedEnv resources("QUEUECONFIG_RESOURCE_DIR", QC_RESOURCE_DIR);
    ScopedEnv language("LANGUAGE", std::nullopt);
    ScopedEnv messages("LC_MESSAGES", std::nullopt);
    ScopedEnv all("LC_ALL", std::nullopt);

    std::string english, japanese;
    {
        ScopedEnv lang("LANG", "C");
        english = GetErrorMessage(kErrorDeviceOption);
        EXPECT_NE(english.find("installed options could not be read"), std::string::npos)
            << english;
        EXPECT_EQ(GetErrorMessage(kErrorQueueList), GetErrorMessage(kErrorOutOfMemory));
        EXPECT_NE(GetErrorMessage(kErrorUSBOpen), GetErrorMessage(kErrorOutOfMemory));
        EXPECT_NE(GetErrorMessage(kErrorUSBOpen).find("USB"), std::string::npos);
    }
    {
        ScopedEnv lang("LANG", "ja_JP.UTF-8");
        japanese = GetErrorMessage(kErrorDeviceOption);
        EXPECT_NE(japanese, english);
        EXPECT_NE(japanese.find("オプション"), std::string::npos) << japanese;
    }
    {
        ScopedEnv lang("LANG", "de_DE.UTF-8");
        EXPECT_EQ(GetErrorMessage(kErrorDeviceOption), english) << "no German table";
    }
}

TEST(ErrorTest, KeyMissingFromEveryCatalogueShowsTheKey) {
    TempDir empty;
    ScopedEnv resources("QUEUECONFIG_RESOURCE_DIR", empty.Path().string());
    EXPECT_EQ(GetErrorMessage(kErrorNoAnswer), "cannot_find_ip");
}
