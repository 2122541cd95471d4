#include "PDEHostPrintSettings.h"

namespace {

// Job options travel as name=value words; a name must survive that.
bool IsOptionName(const QString& key) {
    if (key.isEmpty()) {
        return false;
    }
    for (const QChar c : key) {
        if (c.isSpace() || c == u'=' || c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

} // namespace

bool PDEHostPrintSettings::setValue(const QString& key, const QString& value) {
    if (!IsOptionName(key)) {
        return false;
    }
    m_Values.insert(key, value);
    return true;
}
