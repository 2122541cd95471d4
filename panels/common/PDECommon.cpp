#include "PDECommon.h"

#include "PDEBundle.h"
#include "PPDChoice.h"
#include "PPDString.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>

void PDECommon::initializeUI_PopupButton(QComboBox* popupButton, const ppd_option_t* option) {
    if (popupButton == nullptr || option == nullptr) {
        return;
    }
    popupButton->clear();
    if (option->num_choices < 1) {
        return;
    }
    // Items with the same text stay apart, so item i always stands for
    // choice i.
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t& choice = option->choices[i];
        popupButton->addItem(QStringForDisplayFromPPD(choice.text), QStringFromPPD(choice.choice));
    }
}

void PDECommon::updateUI_PopupButton(QComboBox* popupButton, const QString& currentChoice) {
    if (popupButton == nullptr || currentChoice.isNull()) {
        return;
    }
    popupButton->setCurrentIndex(popupButton->findData(currentChoice));
}

void PDECommon::updateUI_Matrix(QButtonGroup* matrix, const QString& currentChoice,
                                const ppd_option_t* option) {
    if (matrix == nullptr || currentChoice.isNull() || option == nullptr) {
        return;
    }
    const int index = PPDChoiceIndex(option, currentChoice);
    if (index < 0) {
        return;
    }
    if (QAbstractButton* cell = matrix->button(index)) {
        cell->setChecked(true);
    }
}

void PDECommon::updateUI_CheckBox(QAbstractButton* checkBox, const QString& currentChoice) {
    if (checkBox == nullptr || currentChoice.isNull()) {
        return;
    }
    checkBox->setChecked(currentChoice == QLatin1String("True"));
}

void PDECommon::addSummaryInfo(const PDEBundle* bundle, QMap<QString, QString>* summaryInfoDict,
                               const QString& localizedStringKey, const QString& currentChoice,
                               ppd_option_t* option) {
    if (bundle == nullptr || summaryInfoDict == nullptr || localizedStringKey.isNull() ||
        currentChoice.isNull() || option == nullptr) {
        return;
    }
    const int index = PPDChoiceIndex(option, currentChoice);
    if (index < 0) {
        return;
    }
    summaryInfoDict->insert(bundle->localizedStringForKey(localizedStringKey),
                            QStringForDisplayFromPPD(option->choices[index].text));
}
