#pragma once
// The print dialog's core, apart from its widgets: the job's PPD, session
// and settings, the loaded panels, and the rule that every accepted change
// of a choice reaches every other panel that shows it.

#include "PDEHostCallback.h"
#include "PDEHostPPD.h"
#include "PDEHostPrintSession.h"
#include "PDEHostPrintSettings.h"
#include "PDEPluginInterface.h"

#include <QStringList>

#include <memory>
#include <vector>

class PDEPanelLoader;

// A job option as it goes to CUPS.
using PDEJobOption = std::pair<QString, QString>;

class PDEHost {
public:
    // Changes the dialog's own controls make come from here.
    static constexpr int kHostOrigin = -1;

    explicit PDEHost(std::unique_ptr<PDEHostPPD> ppd);
    ~PDEHost();
    PDEHost(const PDEHost&) = delete;
    PDEHost& operator=(const PDEHost&) = delete;

    // Loads each bundle and takes its panels for the panel type, then has
    // each panel restore its values from the marked choices. One diagnostic
    // line for each bundle that could not be loaded or declined the queue.
    QStringList loadBundles(const QStringList& bundlePaths);
    // Panels made elsewhere, taken as one more origin of changes.
    void addPanels(PDEPanelList panels);

    std::vector<PDEPanel*> panels() const;

    // Marks the choice for the origin (a bundle or the host); false when the
    // PPD refuses it. An accepted change is reported to every panel that
    // shows a changed option, except for the offered option to the panels
    // of the origin itself, which made it.
    bool changeChoice(int origin, const QString& option, const QString& choice);

    PDEHostPPD& ppd() { return *m_PPD; }
    const PDEHostPPD& ppd() const { return *m_PPD; }
    PDEHostPrintSession& session() { return m_Session; }
    PDEHostPrintSettings& settings() { return m_Settings; }

    // Asks every panel to save its values and then whether the job may go,
    // in tab order; false at the first that says no, with its error (if
    // any) in *error.
    bool panelsAgreeToPrint(QString* error);

    // Every marked PPD option, then every print setting; a setting replaces
    // a PPD option of the same name.
    std::vector<PDEJobOption> jobOptions() const;

private:
    struct Panel {
        int origin;
        std::unique_ptr<PDEPanel> panel;
    };

    int newOrigin();
    void notifyOthers(int origin, const QString& offered,
                      const std::vector<PPDMarkedChoice>& changed);

    std::unique_ptr<PDEHostPPD> m_PPD;
    PDEHostPrintSession m_Session;
    PDEHostPrintSettings m_Settings;
    // Declared before the panels: the panels go first, their code stays loaded.
    std::vector<std::unique_ptr<PDEPanelLoader>> m_Loaders;
    std::vector<std::unique_ptr<PDEHostCallback>> m_Callbacks;
    std::vector<Panel> m_Panels;
};
