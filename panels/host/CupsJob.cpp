#include "CupsJob.h"

#include <cups/cups.h>

#include <QFile>

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

QStringList CupsJob::optionLines(const std::vector<PDEJobOption>& options) {
    QStringList lines;
    for (const PDEJobOption& option : options) {
        lines << option.first + QLatin1Char('=') + option.second;
    }
    return lines;
}
