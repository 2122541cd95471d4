#pragma once
// The byte classes of Shift-JIS that the credential routines and the
// panel's check share: a lead byte starts a double-byte character, and the
// byte after it is never read as a separator, an escape or a line end.

inline bool IsShiftJISLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool IsShiftJISTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}
