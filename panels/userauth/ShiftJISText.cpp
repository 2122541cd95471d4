#include "ShiftJISText.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kShiftJIS[] = "CP932";

// Converts all of input or nothing: empty on any byte that the target
// encoding cannot take.
QByteArray convert(const char* to, const char* from, const QByteArray& input) {
    if (input.isEmpty()) {
        return {};
    }
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        qWarning("VELUserAuthPS: no conversion from %s to %s: %s", from, to, std::strerror(errno));
        return {};
    }
    // Neither direction grows a text by more than three bytes per byte.
    QByteArray output(3 * input.size() + 4, '\0');
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char* out = output.data();
    size_t outLeft = static_cast<size_t>(output.size());
    const bool converted =
        iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) &&
        iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!converted || inLeft != 0) {
        return {};
    }
    output.truncate(static_cast<qsizetype>(out - output.data()));
    return output;
}

} // namespace

QByteArray ShiftJISFromQString(const QString& text) {
    return convert(kShiftJIS, "UTF-8", text.toUtf8());
}

QString QStringFromShiftJIS(const char* bytes) {
    if (bytes == nullptr) {
        return {};
    }
    return QString::fromUtf8(convert("UTF-8", kShiftJIS, QByteArray(bytes)));
}
