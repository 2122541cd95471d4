#pragma once
// Hands a job to CUPS: the files and the job options, to one queue on the
// server libcups is set to (CUPS_SERVER, ~/.cups/client.conf, or local).

#include "PDEHost.h"

#include <QStringList>

#include <vector>

class CupsJob {
public:
    // The job id; 0 with CUPS' own reason in *error when the server refused
    // the job or could not be reached.
    static int submit(const QString& queue, const QStringList& files, const QString& title,
                      const std::vector<PDEJobOption>& options, QString* error);

    // Prints to a file: the document through CUPS' filters for the PPD
    // (cupsfilter), as PostScript with the options' code in it, as the
    // printer would get it. false with the reason in *error.
    static bool filterToFile(const QString& ppdPath, const QString& document, const QString& output,
                             const std::vector<PDEJobOption>& options, QString* error);

    // The options as name=value lines, the form lp -o takes.
    static QStringList optionLines(const std::vector<PDEJobOption>& options);
};
