// Who is printing: the login name, the job-accounting preference file and
// the user's user-authentication entry in the queue's PPD.

#include "UserAuthUtils.h"

#include "ShiftJISBytes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kFieldRoom = 256;      // each field of a record, with its NUL
constexpr int32_t kLoginNameRoom = 128; // what callers reserve for a login name
constexpr size_t kEntryRoom = 256;      // the working copy of a PPD entry
constexpr size_t kDecryptedRoom = 512;

// Appends text to a NUL-terminated string in a buffer of room bytes.
void appendBounded(char* string, size_t room, const char* text) {
    size_t length = std::strlen(string);
    while (*text != '\0' && length + 1 < room) {
        string[length++] = *text++;
    }
    string[length] = '\0';
}

// ----- The job-accounting preference file -----

bool preferencesPath(char* path, size_t room) {
    const char* folder = std::getenv("VEL_PREFERENCES_DIR");
    if (folder == nullptr || *folder == '\0') {
        folder = "/etc";
    }
    const int written = std::snprintf(path, room, "%s/%s/%s", folder, VEL_PREFERENCES_FOLDER,
                                      VEL_JOB_ACCOUNTING_PREFERENCES);
    return written > 0 && static_cast<size_t>(written) < room;
}

// One line of the file as it is read. A field keeps at most 255 bytes; the
// rest of a longer one is dropped, so the record never overflows.
class PreferenceLine {
public:
    PreferenceLine() { start(); }

    void start() {
        std::memset(&m_Record, 0, sizeof m_Record);
        m_Field = 1;
        m_Position = 0;
        m_Skip = false;
        m_Trail = false;
    }

    // false when the byte ends the line.
    bool take(unsigned char byte) {
        if (m_Trail) {
            m_Trail = false;
            append(byte);
        } else if (IsShiftJISLeadByte(byte)) {
            m_Trail = true;
            append(byte);
        } else if (byte == '\r') {
            // ignored, so CR LF line ends read as LF
        } else if (byte == ',') {
            nextField();
        } else if (byte == '\n') {
            return false;
        } else {
            append(byte);
        }
        return true;
    }

    // The fields not reached on the line stay empty: the record was
    // cleared when the line started.
    void finish() {
        if (!m_Skip) {
            current()[m_Position] = '\0';
        }
    }

    bool matches(const char* loginName) const {
        // An empty line matches nobody, and neither does an empty name.
        return loginName[0] != '\0' && std::strcmp(m_Record.loginName, loginName) == 0;
    }

    const JobAccountingRecord& record() const { return m_Record; }

private:
    char* current() {
        switch (m_Field) {
        case 1:
            return m_Record.loginName;
        case 2:
            return m_Record.userID;
        default:
            return m_Record.extraValue;
        }
    }

    void append(unsigned char byte) {
        if (m_Skip || m_Position + 1 >= kFieldRoom) {
            return;
        }
        current()[m_Position++] = static_cast<char>(byte);
    }

    void nextField() {
        if (m_Skip) {
            return;
        }
        current()[m_Position] = '\0';
        m_Position = 0;
        if (m_Field < 3) {
            ++m_Field;
        } else {
            m_Skip = true;
        }
    }

    JobAccountingRecord m_Record;
    int m_Field;
    size_t m_Position;
    bool m_Skip;
    bool m_Trail;
};

// ----- The PPD's user-authentication entry -----

bool isEntrySeparator(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

// Takes the characters of one field of the entry, at most limit of them,
// up to "," CR LF or the end. The separator is consumed, the end is not.
size_t takeEntryField(const char** position, size_t limit, char* field) {
    const char* at = *position;
    size_t length = 0;
    while (length < limit && *at != '\0' && !isEntrySeparator(*at)) {
        if (field != nullptr) {
            field[length] = *at;
        }
        ++length;
        ++at;
    }
    if (field != nullptr) {
        field[length] = '\0';
    }
    if (isEntrySeparator(*at)) {
        ++at;
    }
    *position = at;
    return length;
}

// Undoes the backslash escaping of a stored user name or password: "\\"
// is one backslash, "\" makes the next character literal, and a "\" at the
// end is dropped. Double-byte characters pass as they are.
void unescape(const unsigned char* bytes, size_t length, char* output, size_t room) {
    if (room == 0) {
        return;
    }
    size_t written = 0;
    bool trail = false;
    bool escape = false;
    for (size_t i = 0; i < length && written + 1 < room; ++i) {
        const unsigned char byte = bytes[i];
        if (trail) {
            trail = false;
            escape = false;
        } else if (IsShiftJISLeadByte(byte)) {
            trail = true;
            escape = false;
        } else if (byte == '\\' && !escape) {
            escape = true;
            continue;
        } else {
            escape = false;
        }
        output[written++] = static_cast<char>(byte);
    }
    output[written] = '\0';
}

// One scrambled field of the entry into output: empty when its hex text
// cannot be unscrambled.
void readCredential(const char** position, char* output, unsigned room) {
    if (output == nullptr) {
        room = 0;
    }
    char hex[kDecryptedRoom + 1];
    const size_t length = takeEntryField(position, kDecryptedRoom, hex);
    unsigned char decrypted[kDecryptedRoom];
    uint32_t capacity = kDecryptedRoom;
    if (DecryptData(hex, static_cast<uint32_t>(length), decrypted, &capacity) == 1) {
        unescape(decrypted, capacity, output, room);
    } else if (room > 0) {
        output[0] = '\0';
    }
}

} // namespace

int GetLoginName(char* output, int32_t size) {
    // fgets needs room for one character and the NUL beyond its own limit.
    if (output == nullptr || size < 2) {
        return -1;
    }
    FILE* pipe = popen("whoami", "r");
    if (pipe == nullptr) {
        return -1;
    }
    if (std::fgets(output, size - 1, pipe) == nullptr) {
        pclose(pipe);
        return -1;
    }
    pclose(pipe);
    int length = 0;
    while (output[length] != '\0' && output[length] != ' ' && output[length] != '\r' &&
           output[length] != '\n') {
        ++length;
    }
    output[length] = '\0';
    return length;
}

int GetJobAccountingPreferenceFromLoginName(const char* loginName, JobAccountingRecord* record) {
    if (loginName == nullptr || record == nullptr) {
        return 0;
    }
    char path[4096];
    if (!preferencesPath(path, sizeof path)) {
        return 0;
    }
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    PreferenceLine line;
    for (;;) {
        // The second byte of a double-byte character never ends a line,
        // even when it is LF.
        const int byte = std::fgetc(file);
        if (byte != EOF && line.take(static_cast<unsigned char>(byte))) {
            continue;
        }
        line.finish();
        if (line.matches(loginName)) {
            std::memcpy(record, &line.record(), sizeof *record);
            std::fclose(file);
            return 1;
        }
        if (byte == EOF) {
            std::fclose(file);
            return 0;
        }
        line.start();
    }
}

int GetJobAccountingPreference(JobAccountingRecord* record) {
    char loginName[kLoginNameRoom];
    if (GetLoginName(loginName, kLoginNameRoom) <= 0) {
        return 0;
    }
    return GetJobAccountingPreferenceFromLoginName(loginName, record);
}

int ReadUserAuthFile(char* userName, unsigned userNameSize, char* password, unsigned passwordSize,
                     char* flag, unsigned flagSize, ppd_file_t* ppd) {
    char keyword[kEntryRoom] = "UAData";
    char loginName[kLoginNameRoom];
    if (GetLoginName(loginName, kLoginNameRoom) > 0) {
        appendBounded(keyword, sizeof keyword, loginName);
    }
    ppd_attr_t* entry = ppd == nullptr ? nullptr : ppdFindAttr(ppd, keyword, nullptr);
    if (entry == nullptr) {
        return VEL_USERAUTH_PARAM_ERR;
    }
    // The entry is read from a copy of 255 characters; a longer value is cut.
    char value[kEntryRoom] = "";
    if (entry->value != nullptr) {
        appendBounded(value, sizeof value, entry->value);
    }
    const char* position = value;
    readCredential(&position, userName, userNameSize);
    readCredential(&position, password, passwordSize);
    takeEntryField(&position, 2 * kDecryptedRoom, nullptr);
    // The use flag is the first character of the fourth field.
    if (flag != nullptr && flagSize >= 2) {
        flag[0] = *position != '\0' ? *position : '0';
        flag[1] = '\0';
    } else if (flag != nullptr && flagSize == 1) {
        flag[0] = '\0';
    }
    return 0;
}
