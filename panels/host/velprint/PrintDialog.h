#pragma once
// The print dialog: the job's basics, one tab per panel and a summary of
// every panel's settings. Print asks every panel, then sends the job.

#include "PDEHost.h"
#include "VelprintJob.h"

#include <QDialog>
#include <QMap>

#include <functional>
#include <memory>

class QComboBox;
class QTextStream;

namespace Ui {
class PrintDialog;
}

class PrintDialog : public QDialog {
    Q_OBJECT

public:
    // Shows a message to the person (title, text).
    using MessagePanel = std::function<void(const QString&, const QString&)>;

    PrintDialog(PDEHost& host, VelprintJob job, QWidget* parent = nullptr);
    ~PrintDialog() override;

    // Replaces the modal message box (tests record the messages instead).
    void setMessagePanel(MessagePanel panel) { m_MessagePanel = std::move(panel); }
    // Where the job's report (or a dry run's options) goes; standard output
    // by default.
    void setOutput(QTextStream* out) { m_Out = out; }

    // The panel shown in the tab, or null for the dialog's own tabs.
    PDEPanel* panelOfTab(int index) const;

public slots:
    void print();

private:
    QString destinationText() const;
    void addPanelTabs();
    void setUpChoiceBox(QComboBox* box, QWidget* label, const char* keyword);
    void showChoices();
    void chooseFromBox(QComboBox* box, const char* keyword);
    void tabChanged(int index);
    void showSummary();
    bool storeBasics();
    void showMessage(const QString& title, const QString& text);

    std::unique_ptr<Ui::PrintDialog> m_Ui;
    PDEHost& m_Host;
    VelprintJob m_Job;
    MessagePanel m_MessagePanel;
    QTextStream* m_Out;
    QMap<QWidget*, PDEPanel*> m_PanelOfPage;
    QMap<QComboBox*, const char*> m_KeywordOfBox;
    int m_CurrentTab = 0;
};
