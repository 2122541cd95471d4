#pragma once
// What the tests read of the colour panel's state beyond its protocol.

#include "VELPSColorPDE.h"

struct VELPSColorPDETestPeer {
    struct Support {
        bool toner100;
        bool tonerSaving;
        bool mulTonerSaving;
        bool graphicPro;
        bool rgbUserColor;
        bool customCalibration;
        bool operator==(const Support&) const = default;
    };

    // The choice the panel holds for a PPD keyword of its model.
    static QString userChoice(const VELPSColorPDE& panel, const char* keyword);
    static Support support(const VELPSColorPDE& panel);
    static bool uiIsInited(const VELPSColorPDE& panel) { return panel.uiIsInited; }
};
