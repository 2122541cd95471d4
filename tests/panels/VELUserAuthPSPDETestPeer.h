#pragma once
// What the tests read of the user-authentication panel's state beyond its
// protocol.

#include "VELUserAuthPSPDE.h"

struct VELUserAuthPSPDETestPeer {
    static QString useUserAuth(const VELUserAuthPSPDE& panel) {
        return panel.useUserAuthUserChoice;
    }
    static QString userName(const VELUserAuthPSPDE& panel) { return panel.userNameUserChoice; }
    static QString password(const VELUserAuthPSPDE& panel) { return panel.passwordUserChoice; }
    static bool uiIsInited(const VELUserAuthPSPDE& panel) { return panel.uiIsInited; }
};
