// The job's PPD: opening it from a file or from the CUPS server, and marking
// choices under the PPD's constraints.

#include "PDEHostPPD.h"

#include <cups/cups.h>

#include <QFile>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

QByteArray Bytes(const QString& text) {
    return text.toUtf8();
}

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// Options through the groups and their subgroups: unlike ppdFirstOption()
// this keeps no cursor that marking (which searches the options) would move.
template <typename Visit> void ForEachOption(ppd_file_t* ppd, Visit visit) {
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            visit(group.options[o]);
        }
        for (int s = 0; s < group.num_subgroups; ++s) {
            const ppd_group_t& sub = group.subgroups[s];
            for (int o = 0; o < sub.num_options; ++o) {
                visit(sub.options[o]);
            }
        }
    }
}

const ppd_choice_t* MarkedOf(const ppd_option_t& option) {
    for (int c = 0; c < option.num_choices; ++c) {
        if (option.choices[c].marked) {
            return &option.choices[c];
        }
    }
    return nullptr;
}

// libcups keeps the marks twice: in each choice and in the PPD's list of
// marked choices, which ppdFindMarkedChoice() reads.
void Unmark(ppd_file_t* ppd, ppd_option_t& option) {
    for (int c = 0; c < option.num_choices; ++c) {
        if (option.choices[c].marked) {
            option.choices[c].marked = 0;
            cupsArrayRemove(ppd->marked, &option.choices[c]);
        }
    }
}

} // namespace

std::unique_ptr<PDEHostPPD> PDEHostPPD::openFile(const QString& path, QString* error) {
    ppd_file_t* ppd = ppdOpenFile(QFile::encodeName(path).constData());
    if (ppd == nullptr) {
        int line = 0;
        const ppd_status_t status = ppdLastError(&line);
        *error =
            QStringLiteral("%1: %2 on line %3").arg(path, Text(ppdErrorString(status))).arg(line);
        return nullptr;
    }
    ppdMarkDefaults(ppd);
    return std::unique_ptr<PDEHostPPD>(new PDEHostPPD(ppd, path));
}

// Server connections give up after this long, so a server that does not
// answer cannot hold the dialog back for ever.
constexpr int kConnectTimeoutMs = 5000;

std::unique_ptr<PDEHostPPD> PDEHostPPD::openQueue(const QString& queue, QString* error) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kConnectTimeoutMs, nullptr);
    if (http == nullptr) {
        *error = QStringLiteral("the CUPS server %1 cannot be reached: %2")
                     .arg(Text(cupsServer()), Text(cupsLastErrorString()));
        return nullptr;
    }
    std::unique_ptr<PDEHostPPD> opened = openQueueOn(http, queue, error);
    httpClose(http);
    return opened;
}

std::unique_ptr<PDEHostPPD> PDEHostPPD::openQueueOn(http_t* http, const QString& queue,
                                                    QString* error) {
    const QByteArray name = Bytes(queue);
    cups_dest_t* dest = cupsGetNamedDest(http, name.constData(), nullptr);
    if (dest == nullptr) {
        *error = QStringLiteral("%1: %2").arg(queue, Text(cupsLastErrorString()));
        return nullptr;
    }
    std::unique_ptr<PDEHostPPD> opened = fetchPPD(http, queue, error);
    if (opened != nullptr) {
        // The server's defaults for the queue and the user's lpoptions.
        cupsMarkOptions(opened->m_PPD, dest->num_options, dest->options);
    }
    cupsFreeDests(1, dest);
    return opened;
}

// The queue's PPD as the server hands it out, from the server we are
// connected to: cupsGetPPD() would follow the name the server gives itself
// instead, which a server on a loopback address other than 127.0.0.1 does
// not answer to.
std::unique_ptr<PDEHostPPD> PDEHostPPD::fetchPPD(http_t* http, const QString& queue,
                                                 QString* error) {
    char file[1024];
    const int fd = cupsTempFd(file, sizeof file);
    if (fd < 0) {
        *error = QStringLiteral("%1: no temporary file for the PPD: %2")
                     .arg(queue, Text(std::strerror(errno)));
        return nullptr;
    }
    const QByteArray resource = "/printers/" + QUrl::toPercentEncoding(queue) + ".ppd";
    const http_status_t status = cupsGetFd(http, resource.constData(), fd);
    close(fd);
    std::unique_ptr<PDEHostPPD> opened;
    if (status == HTTP_STATUS_OK) {
        opened = openFile(QFile::decodeName(file), error);
    } else {
        *error =
            QStringLiteral("%1: no PPD from the server: %2").arg(queue, Text(httpStatus(status)));
    }
    if (opened != nullptr) {
        opened->m_OwnsFile = true;
    } else {
        unlink(file);
    }
    return opened;
}

PDEHostPPD::~PDEHostPPD() {
    ppdClose(m_PPD);
    if (m_OwnsFile) {
        QFile::remove(m_Path);
    }
}

std::vector<PPDMarkedChoice> PDEHostPPD::markedChoices() const {
    std::vector<PPDMarkedChoice> marked;
    ForEachOption(m_PPD, [&](const ppd_option_t& option) {
        if (const ppd_choice_t* choice = MarkedOf(option)) {
            marked.emplace_back(Text(option.keyword), Text(choice->choice));
        }
    });
    return marked;
}

QString PDEHostPPD::markedChoice(const QString& option) const {
    const ppd_choice_t* marked = ppdFindMarkedChoice(m_PPD, Bytes(option).constData());
    return marked != nullptr ? Text(marked->choice) : QString();
}

std::optional<std::vector<PPDMarkedChoice>> PDEHostPPD::offer(const QString& option,
                                                              const QString& choice) {
    const QByteArray keyword = Bytes(option);
    const QByteArray choiceKeyword = Bytes(choice);
    ppd_option_t* found = ppdFindOption(m_PPD, keyword.constData());
    if (found == nullptr || ppdFindChoice(found, choiceKeyword.constData()) == nullptr) {
        return std::nullopt;
    }
    const std::vector<PPDMarkedChoice> before = markedChoices();
    const int conflictsBefore = ppdConflicts(m_PPD);
    if (ppdMarkOption(m_PPD, keyword.constData(), choiceKeyword.constData()) > conflictsBefore) {
        restore(before);
        return std::nullopt;
    }
    std::vector<PPDMarkedChoice> changed;
    const QString offered = Text(found->keyword);
    for (const PPDMarkedChoice& now : markedChoices()) {
        if (std::find(before.cbegin(), before.cend(), now) == before.cend()) {
            changed.insert(now.first == offered ? changed.begin() : changed.end(), now);
        }
    }
    return changed;
}

// Puts every mark back: marking one option may have moved another
// (PageSize and PageRegion go together).
void PDEHostPPD::restore(const std::vector<PPDMarkedChoice>& before) {
    ForEachOption(m_PPD, [&](ppd_option_t& option) {
        const QString keyword = Text(option.keyword);
        if (std::none_of(before.cbegin(), before.cend(),
                         [&](const PPDMarkedChoice& was) { return was.first == keyword; })) {
            Unmark(m_PPD, option);
        }
    });
    for (const PPDMarkedChoice& was : before) {
        ppdMarkOption(m_PPD, Bytes(was.first).constData(), Bytes(was.second).constData());
    }
    ppdConflicts(m_PPD);
}
