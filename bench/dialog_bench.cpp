// dialog_bench [RUNS]
//
// What velprint's dialog costs on the example CL-7200 PPD with both staged
// panel bundles: opening the PPD and loading the bundles (QPluginLoader,
// each panel made and restored); making the dialog and showing every tab;
// one choice accepted and one refused under the PPD's constraints; and a
// dry-run Print (every panel saves and agrees, the job options written).
// The median, minimum and maximum of RUNS (51) runs of each, off screen.
// Exits 0, or 1 when a step fails.
#include "PDEHost.h"
#include "PDEPanelFolders.h"
#include "PrintDialog.h"
#include "StepFigures.h"

#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

StepFigures Measure(int runs, const std::function<bool()>& step) {
    return MeasureStep("dialog_bench", runs, step);
}

std::unique_ptr<PDEHost> OpenHost() {
    QString error;
    std::unique_ptr<PDEHostPPD> ppd =
        PDEHostPPD::openFile(QStringLiteral(QC_EXAMPLES_DIR "/Velmark-CL7200.ppd"), &error);
    if (ppd == nullptr) {
        return nullptr;
    }
    auto host = std::make_unique<PDEHost>(std::move(ppd));
    if (!host->loadBundles(PDEBundlesIn({QStringLiteral(QC_STAGED_PANELS)})).isEmpty() ||
        host->panels().size() != 2) {
        return nullptr;
    }
    return host;
}

VelprintJob DryRun() {
    VelprintJob job;
    job.files = {QStringLiteral("/dev/null")};
    job.dryRun = true;
    return job;
}

bool ShowEveryTab(PrintDialog& dialog) {
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tabs"));
    if (tabs == nullptr) {
        return false;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
    }
    tabs->setCurrentIndex(0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    PrintStep("open the PPD, load both bundles",
              Measure(runs, [] { return OpenHost() != nullptr; }));

    std::unique_ptr<PDEHost> host = OpenHost();
    if (host == nullptr) {
        return 1;
    }
    PrintStep("make the dialog, show every tab", Measure(runs, [&] {
                  PrintDialog dialog(*host, DryRun());
                  dialog.show();
                  return ShowEveryTab(dialog);
              }));
    PrintStep("accept a choice, refuse a conflicting one", Measure(runs, [&] {
                  const bool accepted =
                      host->changeChoice(PDEHost::kHostOrigin, "VLOutputModeBlack", "True");
                  const bool refused = !host->changeChoice(0, "VLControl", "Graph");
                  return accepted && refused &&
                         host->changeChoice(PDEHost::kHostOrigin, "VLOutputModeBlack", "False");
              }));

    PrintDialog dialog(*host, DryRun());
    QString written;
    QTextStream out(&written);
    dialog.setOutput(&out);
    dialog.show();
    ShowEveryTab(dialog);
    PrintStep("dry-run Print (panels save and agree, options)", Measure(runs, [&] {
                  written.clear();
                  dialog.print();
                  return written.contains(QStringLiteral("VLUseUserAuth=0"));
              }));
    return 0;
}
