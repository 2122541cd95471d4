// panel_bench [RUNS]
//
// What the panels cost a print dialog on the example CL-7200 PPD. For the
// colour panel: the
// median, minimum and maximum of RUNS (51) runs of each step a dialog takes
// when it opens a job's sheet: making the panel (initWithCallback), loading
// its view and windows (four .ui files) and filling them (panelView and
// willShow), restoring the marked choices, and the summary. The PPD is
// parsed once beforehand, as the print dialog holds it. For the
// user-authentication panel: making it (one whoami and the PPD entry),
// loading and showing its view, and what printing costs it (one whoami,
// the preference file and four settings); and scrambling plus
// unscrambling a 32-byte credential 1000 times. Runs off screen.
// Exits 0, or 1 when a panel declines or has no view.
#include "EncryptDecrypt.h"
#include "PanelTestHost.h"
#include "StepFigures.h"
#include "VELPSColorPDE.h"
#include "VELUserAuthPSPDE.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

StepFigures Measure(int runs, const std::function<bool()>& step) {
    return MeasureStep("panel_bench", runs, step);
}

bool scrambleRoundTrips(int times) {
    const unsigned char credential[33] = "a 32-byte credential of the user";
    for (int i = 0; i < times; ++i) {
        char hex[65];
        uint32_t hexRoom = sizeof hex;
        unsigned char back[33];
        uint32_t backRoom = sizeof back;
        if (EncryptData(credential, 32, hex, &hexRoom) != 1 ||
            DecryptData(hex, hexRoom, back, &backRoom) != 1 || backRoom != 32) {
            return false;
        }
    }
    return true;
}

// What every panel costs first: being made, and its view loaded and shown.
template <typename Panel>
void benchMakeAndShow(int runs, PanelTestHost& host, const PDEBundle& bundle,
                      const std::string& prefix) {
    PrintStep((prefix + "initWithCallback").c_str(),
              Measure(runs, [&] { return Panel::initWithCallback(&host, bundle) != nullptr; }));
    PrintStep((prefix + "panelView + willShow").c_str(), Measure(runs, [&] {
                  auto panel = Panel::initWithCallback(&host, bundle);
                  if (panel == nullptr || panel->panelView() == nullptr) {
                      return false;
                  }
                  panel->willShow();
                  return true;
              }));
}

bool benchUserAuth(int runs, PanelTestHost& host) {
    const PDEBundle bundle(QC_USERAUTH_BUNDLE);
    benchMakeAndShow<VELUserAuthPSPDE>(runs, host, bundle, "user auth: ");
    auto panel = VELUserAuthPSPDE::initWithCallback(&host, bundle);
    if (panel == nullptr) {
        return false;
    }
    PrintStep("user auth: shouldPrint (switched off)",
              Measure(runs, [&] { return panel->shouldPrint(); }));
    PrintStep("user auth: 1000 scramble round trips",
              Measure(runs, [&] { return scrambleRoundTrips(1000); }));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    PanelTestHost host(QC_EXAMPLES_DIR "/Velmark-CL7200.ppd");
    const PDEBundle bundle(QC_COLOR_BUNDLE);

    benchMakeAndShow<VELPSColorPDE>(runs, host, bundle, "");
    auto panel = VELPSColorPDE::initWithCallback(&host, bundle);
    if (panel == nullptr || panel->panelView() == nullptr) {
        return 1;
    }
    panel->willShow();
    PrintStep("restoreValuesAndReturnError (shown)",
              Measure(runs, [&] { return panel->restoreValuesAndReturnError(nullptr); }));
    PrintStep("summaryInfo", Measure(runs, [&] { return !panel->summaryInfo().isEmpty(); }));
    return benchUserAuth(runs, host) ? 0 : 1;
}
