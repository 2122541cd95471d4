// The colour panel's view and windows: loading them, finding their outlets
// and connecting their actions.

#include "VELPSColorPDE.h"

#include "PDEModalWindow.h"
#include "PDENibLoader.h"
#include "PDEOutlets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

namespace {

PDEModalWindow* loadWindow(const PDEBundle& bundle, const char* name, QWidget* view) {
    QString error;
    QWidget* loaded = PDENibLoader::loadNibNamed(bundle, name, view, &error);
    if (loaded == nullptr) {
        qWarning("VELPSColor: %s", qPrintable(error));
        return nullptr;
    }
    auto* window = qobject_cast<PDEModalWindow*>(loaded);
    if (window == nullptr) {
        qWarning("VELPSColor: %s is not a dialog", name);
        delete loaded;
    }
    return window;
}

} // namespace

bool VELPSColorPDE::loadNibs() {
    QString error;
    std::unique_ptr<QWidget> view(
        PDENibLoader::loadNibNamed(pdeBundle, "VELPSColor", nullptr, &error));
    if (view == nullptr) {
        qWarning("VELPSColor: %s", qPrintable(error));
        return false;
    }
    // The windows are children of the view, so they go with it.
    officeColorDetailWindow = loadWindow(pdeBundle, "OfficeColorDetailWindow", view.get());
    graphicProDetailWindow = loadWindow(pdeBundle, "GraphicProDetailWindow", view.get());
    advancedSettingWindow = loadWindow(pdeBundle, "AdvancedSettingWindow", view.get());
    if (officeColorDetailWindow == nullptr || graphicProDetailWindow == nullptr ||
        advancedSettingWindow == nullptr) {
        return false;
    }
    pdeView = view.get();
    if (!bindOutlets()) {
        pdeView = nullptr;
        return false;
    }
    connectActions();
    pdeView = view.release();
    // Fresh controls are filled again, even if an earlier view was filled.
    uiIsInited = false;
    return true;
}

bool VELPSColorPDE::bindOutlets() {
    PDEOutlets outlets;
    QWidget* view = pdeView;
    colorModeMatrix = outlets.outlet<QButtonGroup>(view, "colorModeMatrix");
    officeColorDetailButton = outlets.outlet<QPushButton>(view, "officeColorDetailButton");
    graphicProDetailButton = outlets.outlet<QPushButton>(view, "graphicProDetailButton");
    tonerSavingButton = outlets.outlet<QCheckBox>(view, "tonerSavingButton");
    tonerSaving100Button = outlets.outlet<QCheckBox>(view, "tonerSaving100Button");
    MulTonerSavingLabel = outlets.outlet<QLabel>(view, "MulTonerSavingLabel");
    MulTonerSavingPopupButton = outlets.outlet<QComboBox>(view, "MulTonerSavingPopupButton");
    colorAdvancedButton = outlets.outlet<QPushButton>(view, "colorAdvancedButton");
    colorDefaultButton = outlets.outlet<QPushButton>(view, "colorDefaultButton");
    customCalibrationLabel = outlets.outlet<QLabel>(view, "customCalibrationLabel");
    customCalibrationPopupButton = outlets.outlet<QComboBox>(view, "customCalibrationPopupButton");

    QWidget* office = officeColorDetailWindow;
    rgbColorSettingPopupButton = outlets.outlet<QComboBox>(office, "rgbColorSettingPopupButton");
    rgbUserColorLabel = outlets.outlet<QLabel>(office, "rgbUserColorLabel");
    rgbUserColorPopupButton = outlets.outlet<QComboBox>(office, "rgbUserColorPopupButton");
    colorSimurationPopupButton = outlets.outlet<QComboBox>(office, "colorSimurationPopupButton");
    officeColorBlackFinishMatrix =
        outlets.outlet<QButtonGroup>(office, "officeColorBlackFinishMatrix");

    QWidget* pro = graphicProDetailWindow;
    colorMatchingTaskMatrix = outlets.outlet<QButtonGroup>(pro, "colorMatchingTaskMatrix");
    horizontalAllow01Label = outlets.outlet<QLabel>(pro, "horizontalAllow01Label");
    horizontalAllow02Label = outlets.outlet<QLabel>(pro, "horizontalAllow02Label");
    horizontalAllow03Label = outlets.outlet<QLabel>(pro, "horizontalAllow03Label");
    graphicProInputBox = outlets.outlet<QGroupBox>(pro, "graphicProInputBox");
    rgbProfilePopupButton = outlets.outlet<QComboBox>(pro, "rgbProfilePopupButton");
    verticalAllowLabel = outlets.outlet<QLabel>(pro, "verticalAllowLabel");
    cmykProfileMatrix = outlets.outlet<QButtonGroup>(pro, "cmykProfileMatrix");
    cmykInputProfilePopupButton = outlets.outlet<QComboBox>(pro, "cmykInputProfilePopupButton");
    preserveBlackButton = outlets.outlet<QCheckBox>(pro, "preserveBlackButton");
    simurationTargetProfileLabel = outlets.outlet<QLabel>(pro, "simurationTargetProfileLabel");
    simurationTargetProfilePopupButton =
        outlets.outlet<QComboBox>(pro, "simurationTargetProfilePopupButton");
    cmykLinkProfilePopupButton = outlets.outlet<QComboBox>(pro, "cmykLinkProfilePopupButton");
    graphicProOutputBox = outlets.outlet<QGroupBox>(pro, "graphicProOutputBox");
    printerOutputProfilePopupButton =
        outlets.outlet<QComboBox>(pro, "printerOutputProfilePopupButton");
    renderingIntentPopupButton = outlets.outlet<QComboBox>(pro, "renderingIntentPopupButton");
    colorMatchPrecisionBox = outlets.outlet<QGroupBox>(pro, "colorMatchPrecisionBox");
    colorMatchPrecisionSlider = outlets.outlet<QSlider>(pro, "colorMatchPrecisionSlider");
    graphicProBlackFinishLabel = outlets.outlet<QLabel>(pro, "graphicProBlackFinishLabel");
    graphicProBlackFinishPopupButton =
        outlets.outlet<QComboBox>(pro, "graphicProBlackFinishPopupButton");
    pureBlackTextButton = outlets.outlet<QCheckBox>(pro, "pureBlackTextButton");

    QWidget* advanced = advancedSettingWindow;
    alwaysPrinterHalftoneButton =
        outlets.outlet<QCheckBox>(advanced, "alwaysPrinterHalftoneButton");
    blackOverPrintButton = outlets.outlet<QCheckBox>(advanced, "blackOverPrintButton");
    optimizedGrayScaleHalftoneButton =
        outlets.outlet<QCheckBox>(advanced, "optimizedGrayScaleHalftoneButton");
    colorSeparationPopupButton = outlets.outlet<QComboBox>(advanced, "colorSeparationPopupButton");

    // The windows' own buttons are only connected, never read.
    for (const char* name :
         {"officeColorDetailsWindowDefaultButton", "officeColorDetailsWindowOkButton",
          "officeColorDetailsWindowCancelButton"}) {
        outlets.outlet<QAbstractButton>(office, name);
    }
    for (const char* name :
         {"graphicProDetailsWindowDefaultButton", "graphicProDetailsWindowOkButton",
          "graphicProDetailsWindowCancelButton"}) {
        outlets.outlet<QAbstractButton>(pro, name);
    }
    for (const char* name : {"advancedSettingWindowDefaultButton", "advancedSettingWindowOkButton",
                             "advancedSettingWindowCancelButton"}) {
        outlets.outlet<QAbstractButton>(advanced, name);
    }
    if (!outlets.complete()) {
        qWarning("VELPSColor: the view lacks %s", qPrintable(outlets.missing()));
        return false;
    }
    return true;
}

namespace {

template <class Action> void connectButton(QWidget* window, const char* name, Action action) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, action] { action(button); });
}

} // namespace

// User actions only: clicked, idClicked and activated are not sent when the
// panel itself sets a control.
void VELPSColorPDE::connectActions() {
    QObject::connect(colorModeMatrix, &QButtonGroup::idClicked, colorModeMatrix,
                     [this] { requestColorModeButton(colorModeMatrix); });
    QObject::connect(tonerSavingButton, &QCheckBox::clicked, tonerSavingButton,
                     [this] { requestTonerSavingButton(tonerSavingButton); });
    QObject::connect(MulTonerSavingPopupButton, &QComboBox::activated, MulTonerSavingPopupButton,
                     [this] { requestMulTonerSavingButton(MulTonerSavingPopupButton); });
    QObject::connect(tonerSaving100Button, &QCheckBox::clicked, tonerSaving100Button,
                     [this] { requestTonerSaving100Button(tonerSaving100Button); });
    QObject::connect(customCalibrationPopupButton, &QComboBox::activated,
                     customCalibrationPopupButton,
                     [this] { requestCustomCalibrationButton(customCalibrationPopupButton); });
    QObject::connect(colorDefaultButton, &QPushButton::clicked, colorDefaultButton,
                     [this] { requestColorDefaultButton(colorDefaultButton); });
    QObject::connect(
        officeColorDetailButton, &QPushButton::clicked, officeColorDetailButton,
        [this] { requestShowOfficeColorDetailsWindowButton(officeColorDetailButton); });
    QObject::connect(graphicProDetailButton, &QPushButton::clicked, graphicProDetailButton,
                     [this] { requestShowGraphicProDetailsWindowButton(graphicProDetailButton); });
    QObject::connect(colorAdvancedButton, &QPushButton::clicked, colorAdvancedButton,
                     [this] { requestShowAdvancedSettingWindowButton(colorAdvancedButton); });

    using Button = QAbstractButton*;
    connectButton(officeColorDetailWindow, "officeColorDetailsWindowDefaultButton",
                  [this](Button b) { requestOfficeColorDetailsWindowDefaultButton(b); });
    connectButton(officeColorDetailWindow, "officeColorDetailsWindowOkButton",
                  [this](Button b) { requestOfficeColorDetailsWindowOkButton(b); });
    connectButton(officeColorDetailWindow, "officeColorDetailsWindowCancelButton",
                  [this](Button b) { requestOfficeColorDetailsWindowCancelButton(b); });
    connectButton(graphicProDetailWindow, "graphicProDetailsWindowDefaultButton",
                  [this](Button b) { requestGraphicProDetailsWindowDefaultButton(b); });
    connectButton(graphicProDetailWindow, "graphicProDetailsWindowOkButton",
                  [this](Button b) { requestGraphicProDetailsWindowOkButton(b); });
    connectButton(graphicProDetailWindow, "graphicProDetailsWindowCancelButton",
                  [this](Button b) { requestGraphicProDetailsWindowCancelButton(b); });
    connectButton(advancedSettingWindow, "advancedSettingWindowDefaultButton",
                  [this](Button b) { requestAdvancedSettingWindowDefaultButton(b); });
    connectButton(advancedSettingWindow, "advancedSettingWindowOkButton",
                  [this](Button b) { requestAdvancedSettingWindowOkButton(b); });
    connectButton(advancedSettingWindow, "advancedSettingWindowCancelButton",
                  [this](Button b) { requestAdvancedSettingWindowCancelButton(b); });

    QObject::connect(colorMatchingTaskMatrix, &QButtonGroup::idClicked, colorMatchingTaskMatrix,
                     [this] { requestColorMatchingTaskButton(colorMatchingTaskMatrix); });
    QObject::connect(cmykProfileMatrix, &QButtonGroup::idClicked, cmykProfileMatrix,
                     [this] { requestCMYKProfileButton(cmykProfileMatrix); });
    QObject::connect(
        printerOutputProfilePopupButton, &QComboBox::activated, printerOutputProfilePopupButton,
        [this] { requestPrinterOutputProfilePopupButton(printerOutputProfilePopupButton); });
}
