#pragma once
// The user-authentication panel hands its text to the credential routines
// as Shift-JIS bytes (Microsoft's code page 932, a superset of Shift-JIS,
// as the printers read it).

#include <QByteArray>
#include <QString>

// The text's Shift-JIS bytes; empty when some character has no Shift-JIS
// form, so such a text counts as no text at all.
QByteArray ShiftJISFromQString(const QString& text);

// The text of NUL-terminated Shift-JIS bytes; empty for a null pointer or
// bytes that are not Shift-JIS.
QString QStringFromShiftJIS(const char* bytes);
