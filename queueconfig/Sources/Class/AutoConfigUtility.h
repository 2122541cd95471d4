// The driver of one run: start-up, the two timers that drive and bound the
// printer queries, the user-code and option queries, the rewriting of the PPD
// to standard output, the option-mapping property list and the end-of-run alert.
#pragma once

#include <chrono>
#include <cstdio>
#include <cups/ppd.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../Platform/EventLoop.h"
#include "../Platform/PropertyList.h"
#include "../Platform/SocketCalls.h"
#include "Argument.h"
#include "PrintQueueArray.h"
#include "PrinterPort.h"
#include "Utility.h"

class ReplaceTable;

class AutoConfigUtility {
public:
    static constexpr std::chrono::milliseconds kIdleInterval{1000};
    static constexpr std::chrono::milliseconds kQuitInterval{10000};
    // Fixed buffers the texts below must fit, NUL included.
    static constexpr std::size_t kTextBufferSize = ::kTextBufferSize;
    static constexpr int kAnswerBufferSize = 41;
    static constexpr int kLineBufferSize = 8192;
    static constexpr std::size_t kOptionNameBufferSize = 1024;
    static constexpr std::size_t kMediaPatternBufferSize = 1024;

    // The custom media names that the printer gave, as ".MediaType UserTypeN/"
    // patterns. The list owns its strings and lets each go through
    // deleteLineArrayReleaseCallback.
    struct MediaPatternRelease {
        void operator()(const std::string* pattern) const;
    };
    using MediaPattern = std::unique_ptr<const std::string, MediaPatternRelease>;
    using MediaPatternList = std::vector<MediaPattern>;

    explicit AutoConfigUtility(EventLoop& eventLoop, SocketCalls& sockets = SocketCalls::System());
    ~AutoConfigUtility();
    AutoConfigUtility(const AutoConfigUtility&) = delete;
    AutoConfigUtility& operator=(const AutoConfigUtility&) = delete;

    // Reads the device URI and PPD path, starts the timers, makes the queue
    // list and runs the first query pass. Exits the process with status 1 when
    // the PPD path is missing.
    void DoInit(const Argument* arguments);
    void InstallTimeoutEventHandler();

    // Makes one port per queue and runs the first query pass; its result.
    bool CreateAutoConfigwithPrinter();
    // One query pass; true when every queue's printer has given its user code.
    bool GetAutoConfig();

    // The printer's current choice of an installable option, asked with the
    // PJL or PostScript query that the PPD holds for it, into `answer`
    // (cut to size - 1 bytes). False when the PPD has no query for the option,
    // there is no port, or the printer gave no usable answer.
    bool getQueryDefaultOption(const char* keyword, char* answer, int size);
    // The first "VLPJL<keyword>" choice attribute, in PPD order, whose value
    // occurs in the reply; *match is it, or null when none matches.
    bool getDefaultOptionPJL(ppd_file_t* ppd, const char* keyword, const char* reply,
                             ppd_attr_t** match);
    // The replacement of the first "<code> Find <kind>" entry that begins
    // `text`, from the index-parallel "<code> Replace <kind>" array, into
    // `out` (cut to size - 1 bytes).
    bool isReplacePPD(const char* text, char* out, int size, const PropertyList* plist,
                      const char* code, const char* kind);

    // Writes the PPD once per port, with that port's user code.
    void SaveAutoConfigwithJobID();
    // Writes the PPD, rewritten for a printer with `code` (possibly empty), to
    // the output stream. Returns 0.
    int OutputPPDFile(const char* code);
    // Whether the colour ("ColorUtility", "PPDCCM") or tone ("GammaUtility",
    // "PPDGAM") replacement file of the PPD's model exists and is readable.
    bool findColorSetting(ppd_file_t* ppd, const char* kind, const char* fileName);
    // Copies that replacement file to the output stream, byte for byte.
    bool insertColor(ppd_file_t* ppd, const char* kind, const char* fileName);
    // Asks the printer for the name of the line's custom media type and, when
    // it gives one, rebuilds the "*MediaType UserTypeN/name: ..." line with it
    // into `out` and adds the type's translation pattern to *list.
    bool replaceCustomMediaName(const char* line, char* out, int size, int* number,
                                std::optional<MediaPatternList>* list);
    static void deleteLineArrayReleaseCallback(const void* value);

    static void DoIdleEventProc(EventLoop& loop, void* userData);
    static void DoQuitEventProc(EventLoop& loop, void* userData);

    // Shows the message of `type` when the PPD's alert switch is "True". Returns 0.
    int showAlert(int type);
    // Stores the option-mapping property list in `out` when it can be read,
    // and leaves `out` as it was otherwise. Returns 0.
    int getPlist(std::optional<PropertyList>& out) const;

    // Where the PPD goes: standard output unless a test says otherwise.
    void SetOutputStream(std::FILE* stream) { m_Output = stream; }

    const PrintQueueArray& GetPrintQueueArray() const { return m_PrintQueueArray; }
    const std::optional<std::string>& GetDeviceURI() const { return m_DeviceURI; }
    const std::optional<std::string>& GetPPDPath() const { return m_PPDPath; }
    // The user code of queue `index`; none until its printer has answered.
    std::optional<std::string> GetUserCode(std::size_t index) const;

private:
    struct OutputState;
    struct ReplacedBlock;

    PrintQueueArray m_PrintQueueArray;
    std::optional<std::vector<std::unique_ptr<PrinterPort>>> m_PortArray;
    std::optional<std::vector<std::optional<std::string>>> m_UserCodeArray;
    std::optional<std::string> m_DeviceURI;
    std::optional<std::string> m_PPDPath;
    EventLoop& m_EventLoop;
    SocketCalls& m_Sockets;
    std::FILE* m_Output = stdout;
    // The PPD parsed once for the whole run: the file does not change while
    // the tool reads it, and every option query would otherwise parse it again.
    struct PPDCloser {
        void operator()(ppd_file_t* ppd) const;
    };
    std::unique_ptr<ppd_file_t, PPDCloser> m_PPD;
    bool m_PPDParsed = false;
    // The option mapping, read once for the run for the same reason.
    std::optional<PropertyList> m_OptionMapping;
    bool m_OptionMappingRead = false;

    ppd_file_t* parsedPPD();
    // The option-mapping property list of the run; null when there is none.
    const PropertyList* optionMapping();
    std::optional<std::string> ppdPathText() const;
    PrinterPort* firstPort() const;
    std::optional<std::string> askUserCode(PrinterPort& port) const;
    // Sends a PJL query to `port`; the value behind the echoed `header`.
    std::optional<std::string> askPJLValue(PrinterPort& port, const char* request,
                                           unsigned long length, const char* header) const;
    // Sends an option query to the first port; the codec's text of the reply.
    std::optional<std::string> askOption(const char* format, const char* query,
                                         _CommandLanguage language) const;
    std::optional<std::string> replacementFilePath(ppd_file_t* ppd, const char* kind,
                                                   const char* fileName);

    // The rules of OutputPPDFile, each for one line (or piece of a line).
    void writeLine(const char* line, std::size_t length);
    void writeText(const char* text);
    void rewriteLine(OutputState& state, const char* line, std::size_t length);
    bool replaceBlockLine(ReplacedBlock& block, ppd_file_t* ppd, const char* line,
                          std::size_t length);
    bool writeDefaultLine(OutputState& state, const char* line);
    bool keyReplacementApplies(OutputState& state, const char* name, char* replacement);
    void writeMediaTranslationLine(const OutputState& state, const char* line, std::size_t length);
};
