/* The routines' headers as a C program includes them: the record's layout
 * is fixed, and the routines link under their plain names. */
#include "EncryptDecrypt.h"
#include "UserAuthUtils.h"

#include <stddef.h>
#include <string.h>

_Static_assert(sizeof(JobAccountingRecord) == 768, "the record is 768 bytes");
_Static_assert(offsetof(JobAccountingRecord, loginName) == 0, "login name first");
_Static_assert(offsetof(JobAccountingRecord, extraValue) == 256, "the third field second");
_Static_assert(offsetof(JobAccountingRecord, userID) == 512, "the user ID last");

int UserAuthRoundTripFromC(void);

/* 1 when a text scrambled and unscrambled from C comes back as it was. */
int UserAuthRoundTripFromC(void) {
    static const unsigned char text[] = "from C";
    char hex[2 * sizeof text + 1];
    unsigned char back[sizeof text + 1];
    uint32_t hexCapacity = sizeof hex;
    uint32_t backCapacity = sizeof back;
    if (EncryptData(text, (uint32_t)strlen((const char*)text), hex, &hexCapacity) != 1) {
        return 0;
    }
    if (DecryptData(hex, hexCapacity, back, &backCapacity) != 1) {
        return 0;
    }
    return backCapacity == strlen((const char*)text) && memcmp(back, text, backCapacity) == 0;
}
