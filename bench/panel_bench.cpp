// panel_bench [RUNS]
//
// What the colour panel costs a print dialog on the example CL-7200 PPD: the
// median, minimum and maximum of RUNS (51) runs of each step a dialog takes
// when it opens a job's sheet: making the panel (initWithCallback), loading
// its view and windows (four .ui files) and filling them (panelView and
// willShow), restoring the marked choices, and the summary. The PPD is
// parsed once beforehand, as the print dialog holds it. Runs off screen.
// Exits 0, or 1 when the panel declines or has no view.
#include "PanelTestHost.h"
#include "VELPSColorPDE.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
            std::fprintf(stderr, "panel_bench: a step failed\n");
            std::exit(1);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

void print(const char* name, const Figures& f) {
    std::printf("%-36s median %7.3f ms  min %7.3f  max %7.3f\n", name, f.median, f.minimum,
                f.maximum);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    PanelTestHost host(QC_EXAMPLES_DIR "/Velmark-CL7200.ppd");
    const PDEBundle bundle(QC_COLOR_BUNDLE);

    print("initWithCallback",
          measure(runs, [&] { return VELPSColorPDE::initWithCallback(&host, bundle) != nullptr; }));
    print("panelView + willShow", measure(runs, [&] {
              auto panel = VELPSColorPDE::initWithCallback(&host, bundle);
              if (panel == nullptr || panel->panelView() == nullptr) {
                  return false;
              }
              panel->willShow();
              return true;
          }));
    auto panel = VELPSColorPDE::initWithCallback(&host, bundle);
    if (panel == nullptr || panel->panelView() == nullptr) {
        return 1;
    }
    panel->willShow();
    print("restoreValuesAndReturnError (shown)",
          measure(runs, [&] { return panel->restoreValuesAndReturnError(nullptr); }));
    print("summaryInfo", measure(runs, [&] { return !panel->summaryInfo().isEmpty(); }));
    return 0;
}
