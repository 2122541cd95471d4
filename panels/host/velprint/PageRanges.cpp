#include "PageRanges.h"

#include <QStringList>

namespace {

std::optional<int> PageNumber(const QString& text) {
    bool ok = false;
    const int page = text.trimmed().toInt(&ok);
    if (!ok || page < 1 || text.trimmed().startsWith(u'+')) {
        return std::nullopt;
    }
    return page;
}

// "4", "2-6" or "7-" (to the end).
std::optional<QString> NormalizedRange(const QString& range) {
    const QStringList ends = range.split(u'-');
    if (ends.size() > 2) {
        return std::nullopt;
    }
    const std::optional<int> first = PageNumber(ends[0]);
    if (!first.has_value()) {
        return std::nullopt;
    }
    if (ends.size() == 1) {
        return QString::number(*first);
    }
    if (ends[1].trimmed().isEmpty()) {
        return QStringLiteral("%1-").arg(*first);
    }
    const std::optional<int> last = PageNumber(ends[1]);
    if (!last.has_value() || *last < *first) {
        return std::nullopt;
    }
    return QStringLiteral("%1-%2").arg(*first).arg(*last);
}

} // namespace

std::optional<QString> NormalizedPageRanges(const QString& text) {
    QStringList ranges;
    for (const QString& range : text.split(u',')) {
        const std::optional<QString> normalized = NormalizedRange(range);
        if (!normalized.has_value()) {
            return std::nullopt;
        }
        ranges << *normalized;
    }
    return ranges.join(u',');
}
