#include "PPDString.h"

#include <QStringDecoder>

QString QStringFromPPD(const char* text) {
    if (text == nullptr) {
        return {};
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder(QByteArrayView(text));
    if (decoder.hasError()) {
        return {};
    }
    // An empty text is a value, not a missing one.
    return decoded.isNull() ? QStringLiteral("") : decoded;
}

QString QStringForDisplayFromPPD(const char* text) {
    if (text == nullptr) {
        return {};
    }
    return QString::fromUtf8(text);
}

QByteArray PPDBytesFromQString(const QString& text) {
    return text.toUtf8();
}
