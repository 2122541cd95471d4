#pragma once
// Where the dialog's job goes when the person presses Print: to a CUPS
// queue, into a file as the printer would get it, or, on a dry run, as
// name=value lines to an output stream.

#include "PDEHost.h"

#include <QStringList>
#include <QTextStream>

class VelprintJob {
public:
    QString queue;
    QStringList files;
    bool dryRun = false;
    // Not empty: the job goes into this file, filtered for the PPD, not to the queue.
    QString outputFile;

    // Submits (or on a dry run writes) the host's job options; false with
    // the reason in *error.
    bool run(const PDEHost& host, QTextStream& out, QString* error) const;

    // Where the job goes, as the panels see it: a dry run is a preview.
    PMDestinationType destination() const;

    // The job's title: the file's name, or the first one's with a count.
    QString title() const;
};
