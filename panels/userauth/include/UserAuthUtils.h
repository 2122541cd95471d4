/* Who is printing, and what the system knows about them: the login name,
 * the job-accounting user ID from the preference file, and the user's
 * user-authentication entry in the queue's PPD.
 *
 * Text here is Shift-JIS. A byte 0x81-0x9F or 0xE0-0xFC starts a
 * double-byte character, and the byte after it is never taken as a
 * separator, an escape or a line end.
 *
 * This file is a C header: the routines are exported from the VELUserAuthPS
 * plug-in under their plain names. Nothing keeps state between calls. */
#ifndef VELUSERAUTHPS_USERAUTHUTILS_H
#define VELUSERAUTHPS_USERAUTHUTILS_H

#include "EncryptDecrypt.h"

#include <cups/ppd.h>

#ifdef __cplusplus
extern "C" {
#endif

/* One line of the job-accounting preference file. Note the order: the
 * line's second field lands in userID, the third in extraValue. */
typedef struct JobAccountingRecord {
    char loginName[256];  /* field 1 */
    char extraValue[256]; /* field 3, read but not used */
    char userID[256];     /* field 2: the job-accounting user ID */
} JobAccountingRecord;

#ifdef __cplusplus
static_assert(sizeof(JobAccountingRecord) == 768, "JobAccountingRecord is 768 bytes");
#else
_Static_assert(sizeof(JobAccountingRecord) == 768, "JobAccountingRecord is 768 bytes");
#endif

/* The preference file: $VEL_PREFERENCES_DIR/QUORVAN/VLJA.prefs, with /etc
 * when the variable is unset. Lines end in LF; CR is ignored; fields are
 * separated by ","; fields longer than 255 bytes are cut. */
#define VEL_PREFERENCES_FOLDER "QUORVAN"
#define VEL_JOB_ACCOUNTING_PREFERENCES "VLJA.prefs"

/* The status of ReadUserAuthFile when there is no PPD or no entry. */
#define VEL_USERAUTH_PARAM_ERR (-50)

/* The first line `whoami` prints, cut at the first space, NUL, CR or LF,
 * into output (at most size - 2 characters). Returns its length, or -1
 * when the command cannot be started or prints nothing. */
VEL_USERAUTH_API int GetLoginName(char* output, int32_t size);

/* Fills record from the first line of the preference file whose first
 * field equals loginName. Returns 1, or 0 (record untouched) when nothing
 * matches or the file cannot be read. */
VEL_USERAUTH_API int GetJobAccountingPreferenceFromLoginName(const char* loginName,
                                                             JobAccountingRecord* record);

/* The same for the logged-in user. Returns 0 when the login name cannot be
 * found out. */
VEL_USERAUTH_API int GetJobAccountingPreference(JobAccountingRecord* record);

/* Reads the entry "UAData<login name>" (or "UAData" alone without a login
 * name) of the PPD: the unscrambled, unescaped user name and password and
 * the use flag ("1" switches user authentication on; "0" when the entry
 * has no fourth field). Each output is NUL-terminated within its size.
 * Returns 0, or VEL_USERAUTH_PARAM_ERR with the outputs untouched when
 * there is no PPD or no entry. */
VEL_USERAUTH_API int ReadUserAuthFile(char* userName, unsigned userNameSize, char* password,
                                      unsigned passwordSize, char* flag, unsigned flagSize,
                                      ppd_file_t* ppd);

#ifdef __cplusplus
}
#endif

#endif
