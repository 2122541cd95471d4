#pragma once
// A print-dialog panel as the host sees it. Everything runs on the host's
// main thread.

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

class PDEPanel {
public:
    virtual ~PDEPanel() = default;

    virtual QString panelName() = 0;
    virtual QString panelKind() const = 0;

    // The panel's view, loaded on the first call; null when it cannot be
    // loaded. The host may put it into its own widgets; the panel deletes it
    // at the end only if it still exists.
    virtual QWidget* panelView() = 0;

    virtual void willShow() = 0;
    virtual bool shouldHide() = 0;
    virtual bool shouldShowHelp() = 0;

    // Only a panel that answers shouldPrint() may stop the job; the host
    // asks respondsToShouldPrint() first.
    virtual bool respondsToShouldPrint() const = 0;
    virtual bool shouldPrint() = 0;

    // The PPD option keywords the panel shows, or nothing when it shows none.
    virtual std::optional<QStringList> supportedPPDOptionKeys() = 0;
    // The host reports a choice changed elsewhere. A null string stands for
    // no value and is ignored.
    virtual void PPDOptionKeyValueDidChange(const QString& option, const QString& choice) = 0;

    // error may be null; the panels never write it.
    virtual bool restoreValuesAndReturnError(QString* error) = 0;
    virtual bool saveValuesAndReturnError(QString* error) = 0;

    // Localized setting titles mapped to the texts of the current choices.
    virtual QMap<QString, QString> summaryInfo() = 0;
};
