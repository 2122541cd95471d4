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

#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

struct Figures {
    double median, minimum, maximum;
};

Figures measure(int runs, const std::function<bool()>& step) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        if (!step()) {
            std::fprintf(stderr, "dialog_bench: a step failed\n");
            std::exit(1);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void print(const char* name, const Figures& f) {
    std::printf("%-48s median %7.3f ms  min %7.3f  max %7.3f\n", name, f.median, f.minimum,
                f.maximum);
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

    print("open the PPD, load both bundles", measure(runs, [] { return OpenHost() != nullptr; }));

    std::unique_ptr<PDEHost> host = OpenHost();
    if (host == nullptr) {
        return 1;
    }
    print("make the dialog, show every tab", measure(runs, [&] {
              PrintDialog dialog(*host, DryRun());
              dialog.show();
              return ShowEveryTab(dialog);
          }));
    print("accept a choice, refuse a conflicting one", measure(runs, [&] {
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
    print("dry-run Print (panels save and agree, options)", measure(runs, [&] {
              written.clear();
              dialog.print();
              return written.contains(QStringLiteral("VLUseUserAuth=0"));
          }));
    return 0;
}
