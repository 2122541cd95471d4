#include "QueueRun.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

const char* kTestPlist = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>OEM Name</key><string>Velmark</string>
<key>OptionDuplex Key</key><string>VLDuplexUnit</string>
<key>HX2 Find Line</key><array><string>*VLRegion: </string></array>
<key>HX2 Replace Line</key><array><string>*VLRegion: NorthAmerica</string></array>
<key>QRT Find Line</key><array><string>*VLRegion: </string></array>
<key>QRT Replace Line</key><array><string>*VLRegion: LatinAmerica</string></array>
<key>QRT Find Key</key><array><string>PageSize</string><string>VLTray2</string></array>
<key>QRT Replace Key</key><array><string>Letter</string><string>False</string></array>
<key>ZUNB Find Key</key><array><string>PageSize</string></array>
<key>ZUNB Replace Key</key><array><string>A4</string></array>
<key>WKS Find Key</key><array><string>PageSize</string><string>VLTray2</string></array>
<key>WKS Replace Key</key><array><string>A4</string><string>False</string></array>
<key>HX2 Find Key</key><array><string>PageSize</string></array>
<key>HX2 Replace Key</key><array><string>Letter</string></array>
</dict></plist>
)";

std::string TestPPD(const std::string& body, const std::string& nickName) {
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n"
           "*LanguageEncoding: ISOLatin1\n*NickName: \"" +
           nickName + "\"\n" + body;
}

QueueRun::QueueRun()
    : m_Resources("QUEUECONFIG_RESOURCE_DIR", (m_Dir.Path() / "res").string()),
      m_Support("QUEUECONFIG_SUPPORT_DIR", (m_Dir.Path() / "support").string()) {
    m_Dir.Write("res/queueconfig.plist", kTestPlist);
}

void QueueRun::Start(const std::string& uri, const std::string& ppd) {
    const std::string path = m_Dir.Write("queue.ppd", ppd).string();
    std::vector<std::string> storage{"queueconfig", uri, path};
    std::vector<char*> argv;
    for (auto& s : storage)
        argv.push_back(s.data());
    Argument arguments(static_cast<int>(argv.size()), argv.data());
    m_Utility.DoInit(&arguments);
}

std::string QueueRun::Rewrite(const char* code) {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&data, &size);
    EXPECT_NE(stream, nullptr);
    m_Utility.SetOutputStream(stream);
    EXPECT_EQ(m_Utility.OutputPPDFile(code), 0);
    std::fclose(stream);
    m_Utility.SetOutputStream(stdout);
    std::string text(data, size);
    std::free(data);
    return text;
}

void QueueRun::AddSupportFile(const std::string& name, const std::string& content) {
    m_Dir.Write(std::filesystem::path("support") / name, content);
}
