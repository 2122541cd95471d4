#pragma once
// The colour panel: binds the colour options of the queue's PPD to the
// controls of its view and of three modal detail windows. It writes no
// print settings and marks no choice itself: every choice the user commits
// is offered to the host, and stored only when the host accepts it.

#include "PDEBundle.h"
#include "PDEPanel.h"

#include <cups/ppd.h>

#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class PDEModalWindow;
struct VELPSColorOption;
class PDEPluginCallback;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

class VELPSColorPDE : public PDEPanel {
public:
    // The panel, or null when it declines: no PPD from the host (a host
    // without constraint handling gives none) or a required option missing.
    static std::unique_ptr<VELPSColorPDE> initWithCallback(PDEPluginCallback* callback,
                                                           const PDEBundle& bundle);
    ~VELPSColorPDE() override;

    VELPSColorPDE(const VELPSColorPDE&) = delete;
    VELPSColorPDE& operator=(const VELPSColorPDE&) = delete;

    // The panel protocol.
    QString panelName() override;
    QString panelKind() const override;
    QWidget* panelView() override;
    void willShow() override;
    bool shouldHide() override { return true; }
    bool shouldShowHelp() override { return true; }
    bool respondsToShouldPrint() const override { return false; }
    bool shouldPrint() override { return true; }
    std::optional<QStringList> supportedPPDOptionKeys() override;
    void PPDOptionKeyValueDidChange(const QString& option, const QString& choice) override;
    bool restoreValuesAndReturnError(QString* error) override;
    bool saveValuesAndReturnError(QString* error) override;
    QMap<QString, QString> summaryInfo() override;

    // Setters: store the keyword and nothing else (a null string too).
    void setNewColorModeUserChoice(const QString& choice);
    void setNewTonerSavingUserChoice(const QString& choice);
    void setNewTonerSaving100UserChoice(const QString& choice);
    void setNewCustomCalibrationUserChoice(const QString& choice);
    void setNewRGBColorSettingUserChoice(const QString& choice);
    void setNewRGBUserColorUserChoice(const QString& choice);
    void setNewColorSimurationUserChoice(const QString& choice);
    void setNewOfficeColorBlackFinishUserChoice(const QString& choice);
    void setNewColorMatchingTaskUserChoice(const QString& choice);
    void setNewColorMatchPrecisionUserChoice(const QString& choice);
    void setNewPreserveBlackUserChoice(const QString& choice);
    void setNewRGBProfileUserChoice(const QString& choice);
    void setNewCMYKProfileUserChoice(const QString& choice);
    void setNewCMYKInputProfileUserChoice(const QString& choice);
    void setNewCMYKLinkProfileUserChoice(const QString& choice);
    void setNewSimurationTargetProfileUserChoice(const QString& choice);
    void setNewPrinterOutputProfileUserChoice(const QString& choice);
    void setNewRenderingIntentUserChoice(const QString& choice);
    void setNewGraphicProBlackFinishUserChoice(const QString& choice);
    void setNewPureBlackTextUserChoice(const QString& choice);
    void setNewAlwaysPrinterHalftoneUserChoice(const QString& choice);
    void setNewBlackOverPrintUserChoice(const QString& choice);
    void setNewOptimizedGrayScaleHalftoneUserChoice(const QString& choice);
    void setNewColorSeparationUserChoice(const QString& choice);

    // Defaults: each choice takes its option's own PPD default.
    void setDefaults();
    void setDefaultsMainPanel();
    void setDefaultsOfficeColorDetailsWindow();
    void setDefaultsGraphicProDetailsWindow();
    void setDefaultsAdvancedSettingWindow();

    // Controls: filled once from the PPD, then set from the stored choices.
    // Each does nothing until initializeUI has run.
    void initializeUI();
    void updateUI();
    void updateUIMainPanel();
    void updateUIOfficeColorDetailsWindow();
    void updateUIGraphicProDetailsWindow();
    void updateUIGraphicProDetailsWindow_ShowHide();
    void updateUIAdvancedSettingWindow();

    // Actions of the main view.
    void requestColorModeButton(QButtonGroup* sender);
    void requestTonerSavingButton(QAbstractButton* sender);
    void requestMulTonerSavingButton(QComboBox* sender);
    void requestTonerSaving100Button(QAbstractButton* sender);
    void requestCustomCalibrationButton(QComboBox* sender);
    void requestColorDefaultButton(QAbstractButton* sender);
    void requestShowOfficeColorDetailsWindowButton(QAbstractButton* sender);
    void requestShowGraphicProDetailsWindowButton(QAbstractButton* sender);
    void requestShowAdvancedSettingWindowButton(QAbstractButton* sender);

    // Actions of the detail windows.
    void requestOfficeColorDetailsWindowDefaultButton(QAbstractButton* sender);
    void requestGraphicProDetailsWindowDefaultButton(QAbstractButton* sender);
    void requestAdvancedSettingWindowDefaultButton(QAbstractButton* sender);
    void requestOfficeColorDetailsWindowOkButton(QAbstractButton* sender);
    void requestGraphicProDetailsWindowOkButton(QAbstractButton* sender);
    void requestAdvancedSettingWindowOkButton(QAbstractButton* sender);
    void requestOfficeColorDetailsWindowCancelButton(QAbstractButton* sender);
    void requestGraphicProDetailsWindowCancelButton(QAbstractButton* sender);
    void requestAdvancedSettingWindowCancelButton(QAbstractButton* sender);
    void requestColorMatchingTaskButton(QButtonGroup* sender);
    void requestCMYKProfileButton(QButtonGroup* sender);
    void requestPrinterOutputProfilePopupButton(QComboBox* sender);

    // Compatibility hooks for a host without constraint handling; the
    // colour panel gives no PPD there, so it never exists on such a host.
    ppd_file_t* getPPDOnTiger() { return nullptr; }
    void getPPDSettingsFromPrintSettingsOnTiger() {}
    void writePPDSettingsToPrintSettingsOnTiger() {}

private:
    friend struct VELPSColorPDETestPeer;

    VELPSColorPDE(PDEPluginCallback* callback, const PDEBundle& bundle);

    // The colour options in the order of the model, with their members.
    static const std::vector<VELPSColorOption>& colorOptions();
    void setDefaultsOf(int window);

    bool findOptions();
    void decideSupport();
    bool loadNibs();
    bool bindOutlets();
    void connectActions();

    // Offers the choice to the host (with constraint handling) and stores
    // it through setter when accepted. false when refused.
    bool commitChoice(const char* keyword, const QString& choice,
                      void (VELPSColorPDE::*setter)(const QString&));
    // Whether the host takes the choice; always so without constraint
    // handling. A null choice (a pop-up without a selection) is not offered.
    bool hostAccepts(const char* keyword, const QString& choice);
    // The controls exist and are filled; until then no control is written.
    bool controlsReady() const;
    static QString checkBoxChoice(const QAbstractButton* checkBox);
    static QString popupChoice(const QComboBox* popupButton);
    // The keyword of the choice the selected cell stands for, or the
    // option's default when the cell's tag is not one of its choices.
    static QString matrixChoiceOrDefault(const QButtonGroup* matrix, const ppd_option_t* option);
    void initializeColorModeMatrix();
    void addSummaryRow(QMap<QString, QString>* summary, const char* key, const QString& choice,
                       ppd_option_t* option) const;
    void addGraphicProSummaryRows(QMap<QString, QString>* summary) const;
    int runDetailWindow(PDEModalWindow* window);
    void showICCProfileMatchingControls(const QString& cmykProfile);
    void showPrintSimulationControls();
    void hideProfileControls();

    PDEPluginCallback* pdePluginCallbackObject = nullptr;
    QPointer<QWidget> pdeView;

    QPointer<PDEModalWindow> officeColorDetailWindow;
    QPointer<PDEModalWindow> graphicProDetailWindow;
    QPointer<PDEModalWindow> advancedSettingWindow;

    QButtonGroup* colorModeMatrix = nullptr;
    QPushButton* officeColorDetailButton = nullptr;
    QPushButton* graphicProDetailButton = nullptr;
    QCheckBox* tonerSavingButton = nullptr;
    QCheckBox* tonerSaving100Button = nullptr;
    QLabel* MulTonerSavingLabel = nullptr;
    QComboBox* MulTonerSavingPopupButton = nullptr;
    QPushButton* colorAdvancedButton = nullptr;
    QPushButton* colorDefaultButton = nullptr;
    QLabel* customCalibrationLabel = nullptr;
    QComboBox* customCalibrationPopupButton = nullptr;
    QComboBox* rgbColorSettingPopupButton = nullptr;
    QLabel* rgbUserColorLabel = nullptr;
    QComboBox* rgbUserColorPopupButton = nullptr;
    QComboBox* colorSimurationPopupButton = nullptr;
    QButtonGroup* officeColorBlackFinishMatrix = nullptr;
    QButtonGroup* colorMatchingTaskMatrix = nullptr;
    QLabel* horizontalAllow01Label = nullptr;
    QLabel* horizontalAllow02Label = nullptr;
    QLabel* horizontalAllow03Label = nullptr;
    QGroupBox* graphicProInputBox = nullptr;
    QComboBox* rgbProfilePopupButton = nullptr;
    QLabel* verticalAllowLabel = nullptr;
    QButtonGroup* cmykProfileMatrix = nullptr;
    QComboBox* cmykInputProfilePopupButton = nullptr;
    QCheckBox* preserveBlackButton = nullptr;
    QLabel* simurationTargetProfileLabel = nullptr;
    QComboBox* simurationTargetProfilePopupButton = nullptr;
    QComboBox* cmykLinkProfilePopupButton = nullptr;
    QGroupBox* graphicProOutputBox = nullptr;
    QComboBox* printerOutputProfilePopupButton = nullptr;
    QComboBox* renderingIntentPopupButton = nullptr;
    QGroupBox* colorMatchPrecisionBox = nullptr;
    QSlider* colorMatchPrecisionSlider = nullptr;
    QLabel* graphicProBlackFinishLabel = nullptr;
    QComboBox* graphicProBlackFinishPopupButton = nullptr;
    QCheckBox* pureBlackTextButton = nullptr;
    QCheckBox* alwaysPrinterHalftoneButton = nullptr;
    QCheckBox* blackOverPrintButton = nullptr;
    QCheckBox* optimizedGrayScaleHalftoneButton = nullptr;
    QComboBox* colorSeparationPopupButton = nullptr;

    PDEBundle pdeBundle;

    bool useConstraintHandling = false;
    bool uiIsInited = false;
    bool supportToner100 = false;
    bool supportTonerSaving = false;
    bool supportMulTonerSaving = false;
    bool supportGraphicPro = false;
    bool supportRGBUserColor = false;
    bool supportCustomCalibration = false;

    QString thePDEName;

    ppd_file_t* ppd = nullptr;

    ppd_option_t* ppdColorMode = nullptr;
    ppd_option_t* ppdTonerSaving = nullptr;
    ppd_option_t* ppdTonerSaving100 = nullptr;
    ppd_attr_t* ppdSupportCustomCalibration = nullptr;
    ppd_option_t* ppdCustomCalibration = nullptr;
    ppd_option_t* ppdRGBColorSetting = nullptr;
    ppd_option_t* ppdRGBUserColor = nullptr;
    ppd_option_t* ppdColorSimuration = nullptr;
    ppd_option_t* ppdOfficeColorBlackFinish = nullptr;
    ppd_option_t* ppdColorMatchingTask = nullptr;
    ppd_option_t* ppdColorMatchPrecision = nullptr;
    ppd_option_t* ppdPreserveBlack = nullptr;
    ppd_option_t* ppdRGBProfile = nullptr;
    ppd_option_t* ppdCMYKProfile = nullptr;
    ppd_option_t* ppdCMYKInputProfile = nullptr;
    ppd_option_t* ppdCMYKLinkProfile = nullptr;
    ppd_option_t* ppdSimurationTargetProfile = nullptr;
    ppd_option_t* ppdPrinterOutputProfile = nullptr;
    ppd_option_t* ppdRenderingIntent = nullptr;
    ppd_option_t* ppdGraphicProBlackFinish = nullptr;
    ppd_option_t* ppdPureBlackText = nullptr;
    ppd_option_t* ppdPrintResolution = nullptr;
    ppd_option_t* ppdAlwaysPrinterHalftone = nullptr;
    ppd_option_t* ppdBlackOverPrint = nullptr;
    ppd_option_t* ppdOptimizedGrayScaleHalftone = nullptr;
    ppd_option_t* ppdColorSeparation = nullptr;

    QString colorModeUserChoice;
    QString tonerSavingUserChoice;
    QString tonerSaving100UserChoice;
    QString customCalibrationUserChoice;
    QString rgbColorSettingUserChoice;
    QString rgbUserColorUserChoice;
    QString colorSimurationUserChoice;
    QString officeColorBlackFinishUserChoice;
    QString colorMatchingTaskUserChoice;
    QString colorMatchPrecisionUserChoice;
    QString preserveBlackUserChoice;
    QString rgbProfileUserChoice;
    QString cmykProfileUserChoice;
    QString cmykInputProfileUserChoice;
    QString cmykLinkProfileUserChoice;
    QString simurationTargetProfileUserChoice;
    QString printerOutputProfileUserChoice;
    QString renderingIntentUserChoice;
    QString graphicProBlackFinishUserChoice;
    QString pureBlackTextUserChoice;
    QString alwaysPrinterHalftoneUserChoice;
    QString blackOverPrintUserChoice;
    QString optimizedGrayScaleHalftoneUserChoice;
    QString colorSeparationUserChoice;
};
