#pragma once
// velprint's command line:
// velprint [-P QUEUE] [--ppd FILE] [--dry-run | --output FILE] FILE...
// velprint [-P QUEUE] [--ppd FILE] --panels

#include <QString>
#include <QStringList>

#include <optional>

struct VelprintArguments {
    QString queue;   // -P; empty: the default queue
    QString ppdFile; // --ppd; empty: the queue's PPD from the server
    bool dryRun = false;
    QString outputFile; // --output; empty: the job goes to the queue
    bool help = false;
    bool listPanels = false; // --panels: list the panels for the queue, print nothing
    QStringList files;
};

// Nothing, with the reason in *error, for a command line that asks for no
// job that can be done.
std::optional<VelprintArguments> ParseVelprintArguments(const QStringList& arguments,
                                                        QString* error);

// The --help text.
QString VelprintUsage();
