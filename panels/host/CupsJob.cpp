#include "CupsJob.h"

#include <cups/cups.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include <vector>

int CupsJob::submit(const QString& queue, const QStringList& files, const QString& title,
                    const std::vector<PDEJobOption>& options, QString* error) {
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const PDEJobOption& option : options) {
        count = cupsAddOption(option.first.toUtf8().constData(), option.second.toUtf8().constData(),
                              count, &cupsOptions);
    }
    std::vector<QByteArray> names;
    for (const QString& file : files) {
        names.push_back(QFile::encodeName(file));
    }
    std::vector<const char*> argv;
    for (const QByteArray& name : names) {
        argv.push_back(name.constData());
    }
    const int job = cupsPrintFiles(queue.toUtf8().constData(), int(argv.size()), argv.data(),
                                   title.toUtf8().constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job == 0) {
        *error = QString::fromUtf8(cupsLastErrorString());
    }
    return job;
}

namespace {

// cupsfilter lives in sbin, which a user's PATH may lack.
QString CupsFilterProgram() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("cupsfilter"));
    return found.isEmpty() ? QStringLiteral("/usr/sbin/cupsfilter") : found;
}

// A filter chain that does not end within this is taken as failed.
constexpr int kFilterTimeoutMs = 60000;

// cupsfilter's reason: its last line that is not a filter's debugging.
QString FilterReason(const QByteArray& err) {
    const QList<QByteArray> lines = err.trimmed().split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->startsWith("DEBUG") && !it->startsWith("INFO") && !it->trimmed().isEmpty()) {
            return QString::fromUtf8(it->trimmed());
        }
    }
    return QStringLiteral("cupsfilter failed without a reason");
}

} // namespace

bool CupsJob::filterToFile(const QString& ppdPath, const QString& document, const QString& output,
                           const std::vector<PDEJobOption>& options, QString* error) {
    QStringList arguments{QStringLiteral("-p"), ppdPath, QStringLiteral("-m"),
                          QStringLiteral("application/vnd.cups-postscript")};
    for (const QString& line : optionLines(options)) {
        arguments << QStringLiteral("-o") << line;
    }
    arguments << QStringLiteral("--") << document;
    // Into a file beside the output first: a failed run leaves the output
    // as it was, a good one replaces it whole.
    QTemporaryFile partial(output + QStringLiteral(".XXXXXX"));
    if (!partial.open()) {
        *error = QStringLiteral("%1: %2").arg(output, partial.errorString());
        return false;
    }
    partial.close();
    QProcess filter;
    filter.setStandardOutputFile(partial.fileName(), QIODevice::Truncate);
    filter.start(CupsFilterProgram(), arguments);
    if (!filter.waitForStarted()) {
        *error = QStringLiteral("%1: %2").arg(CupsFilterProgram(), filter.errorString());
        return false;
    }
    if (!filter.waitForFinished(kFilterTimeoutMs)) {
        filter.kill();
        filter.waitForFinished();
        *error = QStringLiteral("cupsfilter did not end within %1 s").arg(kFilterTimeoutMs / 1000);
        return false;
    }
    if (filter.exitStatus() != QProcess::NormalExit || filter.exitCode() != 0) {
        *error = FilterReason(filter.readAllStandardError());
        return false;
    }
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(partial.fileName()).toStdString(),
                            QFile::encodeName(output).toStdString(), failed);
    if (failed) {
        *error = QStringLiteral("%1: %2").arg(output, QString::fromStdString(failed.message()));
        return false;
    }
    partial.setAutoRemove(false);
    return true;
}

QStringList CupsJob::optionLines(const std::vector<PDEJobOption>& options) {
    QStringList lines;
    for (const PDEJobOption& option : options) {
        lines << option.first + QLatin1Char('=') + option.second;
    }
    return lines;
}
