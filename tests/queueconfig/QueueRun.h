// One run of the driver inside the test process: a queue with a PPD of the
// test's, the tool's resources and support folder in a temporary folder, and
// the rewritten PPD caught in memory.
#pragma once

#include "Class/AutoConfigUtility.h"

#include <string>

#include "TestSupport.h"

// A URI whose scheme names no port: no printer is asked.
inline const char* kNoPortURI = "file:///dev/null";

// An option mapping in the shape of the installed one, small enough to read
// beside the tests.
extern const char* kTestPlist;

// The PPD header every fixture needs, the NickName "Test Printer".
std::string TestPPD(const std::string& body, const std::string& nickName = "Test Printer");

class QueueRun {
public:
    QueueRun();

    // Starts the driver on `uri` with `ppd` as the queue's PPD (the first
    // query pass runs, as at start-up).
    void Start(const std::string& uri, const std::string& ppd);
    // OutputPPDFile for `code`; the text it wrote.
    std::string Rewrite(const char* code);
    // Writes a file below the support folder (the replacement files' root).
    void AddSupportFile(const std::string& name, const std::string& content);

    AutoConfigUtility& Utility() { return m_Utility; }
    const TempDir& Folder() const { return m_Dir; }

private:
    TempDir m_Dir;
    ScopedEnv m_Resources;
    ScopedEnv m_Support;
    EventLoop m_Loop;
    AutoConfigUtility m_Utility{m_Loop};
};
