/* Scrambling of the user-authentication credentials: a user name or a
 * password travels in the job's print settings and in the queue's PPD only
 * as hex text, never in plain.
 *
 * Each byte is rotated right within its 8 bits by a count that cycles
 * 1, 2, 3, 4, 1, ... over the string, then combined by exclusive-or with
 * VEL_USERAUTH_SCRAMBLE_MASK, and written as two lower-case hex digits.
 *
 * This file is a C header: the routines are exported from the VELUserAuthPS
 * plug-in under their plain names. All lengths and capacities count bytes. */
#ifndef VELUSERAUTHPS_ENCRYPTDECRYPT_H
#define VELUSERAUTHPS_ENCRYPTDECRYPT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VEL_USERAUTH_API __attribute__((visibility("default")))

/* The one mask byte of the scrambling, the same in both directions. It was
 * chosen once for the whole system and must never change: the entries in
 * the queues' PPD files, the job's print settings and whatever reads them
 * on the printer side all depend on it. */
#define VEL_USERAUTH_SCRAMBLE_MASK 0xA5u

/* Scrambles n input bytes into 2n hex characters followed by a NUL.
 * *capacity is the output's size on entry and 2n on success.
 * Returns 1, or 0 (nothing written, *capacity kept) when the output has
 * less than 2n + 1 bytes. An empty input writes nothing at all. */
VEL_USERAUTH_API int EncryptData(const unsigned char* input, uint32_t inputLength, char* output,
                                 uint32_t* capacity);

/* Unscrambles n hex characters (either letter case) into n / 2 bytes
 * followed by a NUL. *capacity is the output's size on entry and n / 2 on
 * success. Returns 1, or 0 (nothing written) when n is odd or the output
 * has less than n / 2 + 1 bytes. */
VEL_USERAUTH_API int DecryptData(const char* input, uint32_t inputLength, unsigned char* output,
                                 uint32_t* capacity);

#ifdef __cplusplus
}
#endif

#endif
