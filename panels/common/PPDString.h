#pragma once
// Text crossing between libcups' PPD records (UTF-8 bytes) and Qt.

#include <QByteArray>
#include <QString>

// The PPD text as a string; a null string for a null pointer or bytes that
// are not UTF-8, so that a keyword that cannot be read matches nothing.
QString QStringFromPPD(const char* text);

// For texts that are only shown: bytes that are not UTF-8 are replaced
// rather than dropped, so a display text never disappears.
QString QStringForDisplayFromPPD(const char* text);

// The string as libcups takes it; empty for a null string.
QByteArray PPDBytesFromQString(const QString& text);
