// The print-dialog tests run on real Qt widgets, off screen, with a home
// folder of their own: libcups reads the user's saved options from it.

#include "TestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Before any libcups call: libcups takes HOME once.
    TempDir home;
    setenv("HOME", home.Path().c_str(), 1);
    unsetenv("CUPS_SERVER");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
