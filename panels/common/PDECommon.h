#pragma once
// Fills and sets the panels' controls from PPD options, and builds summary
// rows. Every helper does nothing when a checked argument is null (a null
// pointer, or a null string for a choice keyword).
//
// Controls: a pop-up is a QComboBox whose item i carries the keyword of
// choice i as its data; a matrix is a QButtonGroup whose cell ids are the
// indexes of the PPD choices they stand for; a check box is on for "True".

#include <cups/ppd.h>

#include <QMap>
#include <QString>

class PDEBundle;
class QAbstractButton;
class QButtonGroup;
class QComboBox;

class PDECommon {
public:
    // One item per choice, in PPD order, titled with the choice's text.
    static void initializeUI_PopupButton(QComboBox* popupButton, const ppd_option_t* option);

    // Selects the item of the keyword; no item is selected when none has it.
    static void updateUI_PopupButton(QComboBox* popupButton, const QString& currentChoice);

    // Selects the cell of the keyword's choice index; the selection stays as
    // it was when the option has no such choice.
    static void updateUI_Matrix(QButtonGroup* matrix, const QString& currentChoice,
                                const ppd_option_t* option);

    // On for exactly "True", off for everything else.
    static void updateUI_CheckBox(QAbstractButton* checkBox, const QString& currentChoice);

    // Adds the row "localized key" -> "text of the current choice"; no row
    // when the keyword is not a choice of the option.
    static void addSummaryInfo(const PDEBundle* bundle, QMap<QString, QString>* summaryInfoDict,
                               const QString& localizedStringKey, const QString& currentChoice,
                               ppd_option_t* option);
};
