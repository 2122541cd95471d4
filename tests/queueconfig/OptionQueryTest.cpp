// The printer's answers in the rewritten PPD: user codes, installable-option
// defaults, the duplex condition of the Key tables and custom media names,
// against a simulated printer on loopback.
#include <gtest/gtest.h>

#include "Class/Error.h"
#include "QueueRun.h"
#include "SimulatedPrinter.h"

namespace {

const char* kUserCodeOID = "1.3.6.1.4.1.3172.1.1.1.1.1.3000.0";

// One printer answers every test of this file; each query asks for a name of
// its own, so the request log shows which queries were sent.
const std::string kPrinter = std::string("snmp ") + kUserCodeOID +
                             " = HX2\n"
                             "pjl BOTH = ON\n"
                             "ps /BothQuery = False\n"
                             "ps /PSOnly = True\n"
                             "pjl ONOFF = OFF ON\n"
                             "ps /LongAnswer = 0123456789012345678901234567890123456789EXTRA\n"
                             "ps /CarriageReturn = True\\r\n"
                             "pjl DUPLEXYES = INSTALLED\n"
                             "pjl DUPLEXNO = NOT INSTALLED\n"
                             "ps /Tray2Query = True\n"
                             "pjl VELUSER1MEDIATYPE = Letterhead\n"
                             "pjl VELUSER3MEDIATYPE = Bond: Heavy\n"
                             "pjl VELUSER12MEDIATYPE = Card 300g\n";

std::string pjlOption(const std::string& keyword, const std::string& query,
                      const std::string& choices) {
    return "*OpenUI *" + keyword + "/" + keyword + ": PickOne\n*Default" + keyword +
           ": Unset\n*?VLPJL" + keyword + ": \"" + query + "\"\n" + choices + "*CloseUI: *" +
           keyword + "\n";
}

std::string psOption(const std::string& keyword, const std::string& query) {
    return "*OpenUI *" + keyword + "/" + keyword + ": PickOne\n*Default" + keyword + ": Unset\n*?" +
           keyword + ": \"" + query + "\"\n*End\n*CloseUI: *" + keyword + "\n";
}

std::string group(const std::string& name, const std::string& options) {
    return "*OpenGroup: " + name + "/" + name + "\n" + options + "*CloseGroup: " + name + "\n";
}

const std::string kTray2 = psOption("VLTray2", "/Tray2Query");
const std::string kGeneral = group("General", "*OpenUI *PageSize/Page Size: PickOne\n"
                                              "*DefaultPageSize: A5\n*PageSize A5/A5: \"\"\n"
                                              "*CloseUI: *PageSize\n");

class OptionQueryTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string whyNot;
        s_Printer = SimulatedPrinter::Start(kPrinter, &whyNot).release();
        ASSERT_NE(s_Printer, nullptr) << whyNot;
    }
    static void TearDownTestSuite() {
        delete s_Printer;
        s_Printer = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(s_Printer, nullptr);
        SetLastErrorType(kErrorNone);
    }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    std::string rewrite(const std::string& body, const char* code = "") {
        run.Start("socket://" + s_Printer->Address(), TestPPD(body));
        return run.Rewrite(code);
    }
    static bool asked(const std::string& text) {
        return s_Printer->Log().find(text) != std::string::npos;
    }
    static bool has(const std::string& out, const std::string& line) {
        return out.find(line) != std::string::npos;
    }

    static SimulatedPrinter* s_Printer;
    QueueRun run;
};

SimulatedPrinter* OptionQueryTest::s_Printer = nullptr;

TEST_F(OptionQueryTest, TheFirstPassTakesTheUserCodeFromSNMP) {
    run.Start("socket://" + s_Printer->Address(), TestPPD(""));
    EXPECT_EQ(run.Utility().GetUserCode(0), "HX2");
    EXPECT_TRUE(run.Utility().GetAutoConfig());
    EXPECT_FALSE(asked("DINQUIRE VELUSER\\r\\n"));
}

TEST_F(OptionQueryTest, InstallableOptionDefaultsAreThePrintersAnswers) {
    const std::string onOff = "*VLPJL%s True: \"ON\"\n*VLPJL%s False: \"OFF\"\n";
    const auto choices = [&](const std::string& keyword) {
        std::string text = onOff;
        for (std::size_t at; (at = text.find("%s")) != std::string::npos;)
            text.replace(at, 2, keyword);
        return text;
    };
    const std::string options =
        pjlOption("OptBoth", "@PJL DINQUIRE BOTH", choices("OptBoth")) +
        "*?OptBoth: \"/BothQuery\"\n" + psOption("OptPS", "/PSOnly") +
        pjlOption("OptFirst", "@PJL DINQUIRE ONOFF", choices("OptFirst")) +
        psOption("OptLong", "/LongAnswer") +
        pjlOption("OptNoMatch", "@PJL DINQUIRE BOTH",
                  "*VLPJLOptNoMatch Yes: \"YES\"\n*VLPJLOptNoMatch No: \"NO\"\n") +
        pjlOption("OptUnknown", "@PJL DINQUIRE NOSUCHNAME", choices("OptUnknown")) +
        psOption("OptCR", "/CarriageReturn") +
        "*OpenUI *OptNone/OptNone: PickOne\n*DefaultOptNone: Unset\n*CloseUI: *OptNone\n";
    const std::string out = rewrite(group("InstallableOptions", options));

    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"PJL before PostScript", "*DefaultOptBoth: True\n"},
        {"PostScript alone", "*DefaultOptPS: True\n"},
        {"first choice attribute in PPD order", "*DefaultOptFirst: True\n"},
        {"answer cut to 40 bytes", "*DefaultOptLong: 0123456789012345678901234567890123456789\n"},
        {"no choice attribute matches", "*DefaultOptNoMatch: Unset\n"},
        {"printer has no value", "*DefaultOptUnknown: Unset\n"},
        {"answer with CR LF", "*DefaultOptCR: True\n"},
        {"no query", "*DefaultOptNone: Unset\n"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(has(out, c.line)) << c.name << "\n" << out;
    EXPECT_FALSE(asked("/BothQuery")) << "the PostScript query of an option with a PJL query";
}

TEST_F(OptionQueryTest, AKeyEntryOfAnInstallableOptionFollowsTheGroupOrder) {
    struct Case {
        const char* name;
        std::string body;
        std::string lines;
        bool asksPrinter;
    };
    const Case cases[] = {
        {"InstallableOptions first", group("InstallableOptions", kTray2) + kGeneral,
         "*DefaultVLTray2: True\n*DefaultVLTray2: False\n", true},
        {"another group first", kGeneral + group("InstallableOptions", kTray2),
         "*DefaultVLTray2: False\n*?VLTray2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t logBefore = s_Printer->Log().size();
        const std::string out = rewrite(c.body, "WKS");
        EXPECT_TRUE(has(out, c.lines)) << out;
        EXPECT_EQ(s_Printer->Log().find("/Tray2Query", logBefore) != std::string::npos,
                  c.asksPrinter);
    }
}

TEST_F(OptionQueryTest, QRTAndZUNBReplaceDefaultsOnlyWithTheDuplexUnitInstalled) {
    const std::string duplexChoices =
        "*VLPJLVLDuplexUnit False: \"NOT INSTALLED\"\n*VLPJLVLDuplexUnit True: \"INSTALLED\"\n";
    struct Case {
        const char* name;
        const char* code;
        std::string query;
        std::string pageSize;
    };
    const Case cases[] = {
        {"QRT, installed", "QRT", "@PJL DINQUIRE DUPLEXYES", "Letter"},
        {"QRT, not installed", "QRT", "@PJL DINQUIRE DUPLEXNO", "A5"},
        {"QRT, no answer", "QRT", "@PJL DINQUIRE NOSUCHNAME", "A5"},
        {"ZUNB, installed", "ZUNB", "@PJL DINQUIRE DUPLEXYES", "A4"},
        {"ZUNB, not installed", "ZUNB", "@PJL DINQUIRE DUPLEXNO", "A5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string body =
            group("InstallableOptions", pjlOption("VLDuplexUnit", c.query, duplexChoices)) +
            kGeneral;
        const std::string out = rewrite(body, c.code);
        EXPECT_TRUE(has(out, "*DefaultPageSize: " + c.pageSize + "\n")) << out;
    }
}

TEST_F(OptionQueryTest, CustomMediaTypesTakeThePrintersNamesAndLoseTheirTranslations) {
    const std::string body = "*MediaType UserType1/Before The Switch: \"\"\n"
                             "*VLCustomMediaMode: 1\n"
                             "*MediaType UserType1/User 1: \"<</MediaType(U1)>>setpagedevice\"\r\n"
                             "*MediaType UserType2/User 2: \"\"\n"
                             "*MediaType UserType3/User 3: \"\"\n"
                             "*MediaType UserType12/User 12: \"\"\n"
                             "*de.MediaType UserType1/Benutzer 1: \"\"\n"
                             "*de.MediaType UserType2/Benutzer 2: \"\"\n"
                             "*fr.MediaType UserType12/Utilisateur 12: \"\"\n";
    const std::string expected =
        "*MediaType UserType1/Before The Switch: \"\"\n"
        "*VLCustomMediaMode: 1\n"
        "*MediaType UserType1/Letterhead: \"<</MediaType(U1)>>setpagedevice\"\r\n"
        "*MediaType UserType2/User 2: \"\"\n" // the printer has no name for it
        "*MediaType UserType3/User 3: \"\"\n" // a ':' in the name would end it early
        "*MediaType UserType12/Card 300g: \"\"\n"
        "*%de.MediaType UserType1/Benutzer 1: \"\"\n"
        "*de.MediaType UserType2/Benutzer 2: \"\"\n"
        "*%fr.MediaType UserType12/Utilisateur 12: \"\"\n";
    EXPECT_EQ(rewrite(body), TestPPD(expected));
}

TEST_F(OptionQueryTest, AMediaTypeLineWithoutRoomForTheNameKeepsItsOwn) {
    const std::string tail = ": \"" + std::string(2030, 'x') + "\"\n";
    const std::string body = "*VLCustomMediaMode: 1\n*MediaType UserType1/U" + tail +
                             "*de.MediaType UserType1/B: \"\"\n";
    // The line is too long for the rebuilt one, but the name was given, so
    // the translation is commented out all the same.
    EXPECT_EQ(rewrite(body), TestPPD("*VLCustomMediaMode: 1\n*MediaType UserType1/U" + tail +
                                     "*%de.MediaType UserType1/B: \"\"\n"));
}

} // namespace
