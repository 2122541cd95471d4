// velprint: a print dialog that loads the print-dialog panels and prints
// files through CUPS.

#include "PDEHost.h"
#include "PDEPanelFolders.h"
#include "PrintDialog.h"
#include "VelprintArguments.h"

#include <cups/cups.h>

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

void Warn(const QString& message) {
    std::fprintf(stderr, "velprint: %s\n", qUtf8Printable(message));
}

int Fail(const QString& message, int status) {
    Warn(message);
    return status;
}

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// A file CUPS could not read is better told before the dialog opens.
QString UnreadableFile(const QStringList& files) {
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable()) {
            return file;
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QString error;
    const std::optional<VelprintArguments> arguments =
        ParseVelprintArguments(ArgumentList(argc, argv), &error);
    if (!arguments.has_value()) {
        return Fail(error + QStringLiteral(" (velprint --help tells more)"), 2);
    }
    if (arguments->help) {
        std::fputs(qUtf8Printable(VelprintUsage()), stdout);
        return 0;
    }
    if (const QString unreadable = UnreadableFile(arguments->files); !unreadable.isEmpty()) {
        return Fail(QStringLiteral("%1: not a readable file").arg(unreadable), 1);
    }
    VelprintJob job;
    job.queue = arguments->queue;
    job.files = arguments->files;
    job.dryRun = arguments->dryRun;
    job.outputFile = arguments->outputFile;
    if (job.queue.isEmpty() && arguments->ppdFile.isEmpty()) {
        const char* fallback = cupsGetDefault();
        if (fallback == nullptr) {
            return Fail(QStringLiteral("no default queue; name one with -P QUEUE"), 1);
        }
        job.queue = QString::fromUtf8(fallback);
    }

    QApplication app(argc, argv);
    std::unique_ptr<PDEHostPPD> ppd = arguments->ppdFile.isEmpty()
                                          ? PDEHostPPD::openQueue(job.queue, &error)
                                          : PDEHostPPD::openFile(arguments->ppdFile, &error);
    if (ppd == nullptr) {
        return Fail(error, 1);
    }
    PDEHost host(std::move(ppd));
    const QStringList folders = PDEPanelFolders();
    const QStringList bundles = PDEBundlesIn(folders);
    if (bundles.isEmpty()) {
        Warn(QStringLiteral("no print-dialog panels in %1").arg(folders.join(u':')));
    }
    for (const QString& diagnostic : host.loadBundles(bundles)) {
        Warn(diagnostic);
    }
    if (arguments->listPanels) {
        for (PDEPanel* panel : host.panels()) {
            std::printf("%s\t%s\n", qUtf8Printable(panel->panelName()),
                        qUtf8Printable(panel->panelKind()));
        }
        return 0;
    }
    PrintDialog dialog(host, job);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
