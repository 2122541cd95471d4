#include "VelprintJob.h"

#include "CupsJob.h"

#include <QFileInfo>

bool VelprintJob::run(const PDEHost& host, QTextStream& out, QString* error) const {
    const std::vector<PDEJobOption> options = host.jobOptions();
    if (dryRun) {
        for (const QString& line : CupsJob::optionLines(options)) {
            out << line << '\n';
        }
        out.flush();
        return true;
    }
    if (!outputFile.isEmpty()) {
        if (!CupsJob::filterToFile(host.ppd().path(), files.first(), outputFile, options, error)) {
            return false;
        }
        out << QStringLiteral("printed to %1").arg(outputFile) << '\n';
        out.flush();
        return true;
    }
    const int job = CupsJob::submit(queue, files, title(), options, error);
    if (job == 0) {
        return false;
    }
    out << QStringLiteral("request id is %1-%2 (%3 file(s))").arg(queue).arg(job).arg(files.size())
        << '\n';
    out.flush();
    return true;
}

PMDestinationType VelprintJob::destination() const {
    if (dryRun) {
        return PMDestinationType::kPMDestinationPreview;
    }
    return outputFile.isEmpty() ? PMDestinationType::kPMDestinationPrinter
                                : PMDestinationType::kPMDestinationFile;
}

QString VelprintJob::title() const {
    if (files.isEmpty()) {
        return QStringLiteral("velprint");
    }
    const QString first = QFileInfo(files.first()).fileName();
    return files.size() == 1 ? first : QStringLiteral("%1 (+%2)").arg(first).arg(files.size() - 1);
}
