#include "VelprintArguments.h"

namespace {

// The value of an option given as "-P QUEUE", "-PQUEUE", "--ppd FILE" or "--ppd=FILE".
bool TakeValue(const QStringList& arguments, int& i, const QString& shortName,
               const QString& longName, QString* value, QString* error) {
    const QString& word = arguments[i];
    if (!longName.isEmpty() && word.startsWith(longName + u'=')) {
        *value = word.mid(longName.size() + 1);
    } else if (!shortName.isEmpty() && word.startsWith(shortName) && word != shortName) {
        *value = word.mid(shortName.size());
    } else if (i + 1 < arguments.size()) {
        *value = arguments[++i];
    } else {
        *error = QStringLiteral("%1 needs a value").arg(word);
        return false;
    }
    if (value->isEmpty()) {
        *error = QStringLiteral("%1 needs a value").arg(word);
        return false;
    }
    return true;
}

bool IsOption(const QString& word, const QString& shortName, const QString& longName) {
    return (!shortName.isEmpty() && word.startsWith(shortName)) || word == longName ||
           (!longName.isEmpty() && word.startsWith(longName + u'='));
}

} // namespace

std::optional<VelprintArguments> ParseVelprintArguments(const QStringList& arguments,
                                                        QString* error) {
    VelprintArguments parsed;
    bool filesOnly = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (filesOnly || word == u'-' || !word.startsWith(u'-')) {
            parsed.files << word;
        } else if (word == QLatin1String("--")) {
            filesOnly = true;
        } else if (word == QLatin1String("-h") || word == QLatin1String("--help")) {
            parsed.help = true;
            return parsed;
        } else if (word == QLatin1String("--panels")) {
            parsed.listPanels = true;
        } else if (word == QLatin1String("--dry-run")) {
            parsed.dryRun = true;
        } else if (IsOption(word, QStringLiteral("-P"), QString())) {
            if (!TakeValue(arguments, i, QStringLiteral("-P"), QString(), &parsed.queue, error)) {
                return std::nullopt;
            }
        } else if (IsOption(word, QString(), QStringLiteral("--output"))) {
            if (!TakeValue(arguments, i, QString(), QStringLiteral("--output"), &parsed.outputFile,
                           error)) {
                return std::nullopt;
            }
        } else if (IsOption(word, QString(), QStringLiteral("--ppd"))) {
            if (!TakeValue(arguments, i, QString(), QStringLiteral("--ppd"), &parsed.ppdFile,
                           error)) {
                return std::nullopt;
            }
        } else {
            *error = QStringLiteral("unknown option %1").arg(word);
            return std::nullopt;
        }
    }
    if (parsed.listPanels) {
        if (!parsed.files.isEmpty() || parsed.dryRun || !parsed.outputFile.isEmpty()) {
            *error =
                QStringLiteral("--panels prints nothing: it takes no file, --output or --dry-run");
            return std::nullopt;
        }
        return parsed;
    }
    if (parsed.files.isEmpty()) {
        *error = QStringLiteral("no file to print");
        return std::nullopt;
    }
    if (parsed.files.contains(QStringLiteral("-"))) {
        *error = QStringLiteral("standard input cannot be printed; name a file");
        return std::nullopt;
    }
    if (parsed.dryRun && !parsed.outputFile.isEmpty()) {
        *error = QStringLiteral("--dry-run and --output cannot go together");
        return std::nullopt;
    }
    if (!parsed.outputFile.isEmpty() && parsed.files.size() != 1) {
        *error = QStringLiteral("--output takes one file to print");
        return std::nullopt;
    }
    if (!parsed.ppdFile.isEmpty() && parsed.queue.isEmpty() && !parsed.dryRun &&
        parsed.outputFile.isEmpty()) {
        *error = QStringLiteral("--ppd needs -P QUEUE to print to, --output or --dry-run");
        return std::nullopt;
    }
    return parsed;
}

QString VelprintUsage() {
    return QStringLiteral(
        "Usage: velprint [-P QUEUE] [--ppd FILE] [--dry-run | --output FILE] FILE...\n"
        "       velprint [-P QUEUE] [--ppd FILE] --panels\n"
        "Shows a print dialog with the print-dialog panels installed for the\n"
        "queue's printer, then prints the files on the queue through CUPS.\n"
        "\n"
        "  -P QUEUE      the CUPS queue to print to (default: the default queue)\n"
        "  --ppd FILE    take the options from this PPD instead of the queue's\n"
        "  --output OUT  print the one FILE into OUT, as PostScript for the printer\n"
        "  --dry-run     print nothing; write the job's options as name=value lines\n"
        "  --panels      list the panels the dialog shows for the queue, then end\n"
        "  -h, --help    show this text\n"
        "\n"
        "Panels are loaded from $VEL_PANEL_DIR, then from the installed panels folder.\n"
        "The CUPS server is the one libcups uses (CUPS_SERVER, client.conf).\n"
        "Exit status: 0 printed, 1 not printed (cancelled or refused), 2 bad command line.\n");
}
