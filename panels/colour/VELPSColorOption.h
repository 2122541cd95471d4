#pragma once
// One colour option of the panel's model: its PPD keyword and the members
// that hold it. The table of them lives in VELPSColorPDEModel.cpp.

#include "VELPSColorPDE.h"

// Where an option's control lives; its Default button resets the window's
// options together.
enum VELPSColorWindow {
    kMainPanel,
    kOfficeColorDetailsWindow,
    kGraphicProDetailsWindow,
    kAdvancedSettingWindow,
};

struct VELPSColorOption {
    const char* keyword;
    ppd_option_t* VELPSColorPDE::*ppdOption;
    QString VELPSColorPDE::*userChoice;
    void (VELPSColorPDE::*setter)(const QString&);
    // The support flag that gates defaulting and restoring, or null.
    bool VELPSColorPDE::*gate;
    // Without a required option the panel declines.
    bool required;
    VELPSColorWindow window;
};

// supportedPPDOptionKeys() lists the keywords in this order.
inline constexpr const char* kVELPSColorSupportedKeyOrder[] = {
    "VLControl",          "VLOutputMode",       "VLOutputModeBlack", "VLTone",
    "VLColorRenderStyle", "VLUserColor",        "VLTargetColor",     "VLBlackSubstitution",
    "VLAlwaysPrnHT",      "VLOverPrint",        "VLScreenObo",       "VLSeparationorder",
    "VLColorICMS",        "VLColorMatch",       "VLPreserveBlack",   "VLRGBProfile",
    "VLCMYKProfile",      "VLCMYKInputProfile", "VLCMYKLinkProfile", "VLSimProfile",
    "VLOutProfile",       "VLColorRenderDict",  "VLBlackSubGra",     "VLPureBlack",
};
