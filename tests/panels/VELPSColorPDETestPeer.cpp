#include "VELPSColorPDETestPeer.h"

#include "VELPSColorOption.h"

#include <stdexcept>

QString VELPSColorPDETestPeer::userChoice(const VELPSColorPDE& panel, const char* keyword) {
    for (const VELPSColorOption& option : VELPSColorPDE::colorOptions()) {
        if (qstrcmp(option.keyword, keyword) == 0) {
            return panel.*option.userChoice;
        }
    }
    throw std::invalid_argument(keyword);
}

VELPSColorPDETestPeer::Support VELPSColorPDETestPeer::support(const VELPSColorPDE& panel) {
    return {panel.supportToner100,   panel.supportTonerSaving,  panel.supportMulTonerSaving,
            panel.supportGraphicPro, panel.supportRGBUserColor, panel.supportCustomCalibration};
}
