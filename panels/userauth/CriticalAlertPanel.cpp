#include "CriticalAlertPanel.h"

#include <QMessageBox>
#include <QPushButton>

void RunCriticalAlertPanel(QWidget* parent, const QString& title, const QString& message,
                           const QString& button) {
    // The title leads in the box itself too: window managers often show
    // little of a dialog's title bar.
    QMessageBox box(QMessageBox::Critical, title, title, QMessageBox::NoButton, parent);
    box.setInformativeText(message);
    box.setObjectName("criticalAlertPanel");
    QPushButton* ok = box.addButton(button, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
