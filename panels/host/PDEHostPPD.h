#pragma once
// The job's PPD as the print dialog holds it: the queue's PPD with the
// defaults and the user's saved options marked, and the one place where a
// choice is marked, so that no change may add a constraint conflict.

#include <cups/cups.h>
#include <cups/ppd.h>

#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

// An option keyword with the keyword of its marked choice.
using PPDMarkedChoice = std::pair<QString, QString>;

class PDEHostPPD {
public:
    // The PPD at path with its defaults marked; null with the reason in
    // *error when libcups cannot read it.
    static std::unique_ptr<PDEHostPPD> openFile(const QString& path, QString* error);
    // The PPD of the CUPS queue (on the server libcups is set to), with the
    // defaults and then the user's saved options for the queue marked.
    static std::unique_ptr<PDEHostPPD> openQueue(const QString& queue, QString* error);

    ~PDEHostPPD();
    PDEHostPPD(const PDEHostPPD&) = delete;
    PDEHostPPD& operator=(const PDEHostPPD&) = delete;

    ppd_file_t* ppd() const { return m_PPD; }
    // The PPD file, for programs that read it themselves (cupsfilter); a
    // queue's PPD is a copy of the dialog's own, removed with it.
    QString path() const { return m_Path; }

    // Marks the choice. Refused (nothing, and every mark as it was) when the
    // option or choice is not in the PPD, or when marking it raises the
    // number of options in conflict. Accepted: every option whose marked
    // choice changed, the offered one first when it changed.
    std::optional<std::vector<PPDMarkedChoice>> offer(const QString& option, const QString& choice);

    // Every option with a marked choice, in the PPD's order.
    std::vector<PPDMarkedChoice> markedChoices() const;
    // The marked choice of the option; a null string when it has none.
    QString markedChoice(const QString& option) const;

private:
    PDEHostPPD(ppd_file_t* ppd, QString path) : m_PPD(ppd), m_Path(std::move(path)) {}
    static std::unique_ptr<PDEHostPPD> openQueueOn(http_t* http, const QString& queue,
                                                   QString* error);
    static std::unique_ptr<PDEHostPPD> fetchPPD(http_t* http, const QString& queue, QString* error);
    void restore(const std::vector<PPDMarkedChoice>& before);

    ppd_file_t* m_PPD;
    QString m_Path;
    bool m_OwnsFile = false;
};
