#include "PDEModalWindow.h"

PDEModalWindow::PDEModalWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
}

int PDEModalWindow::runModal() {
    return exec();
}

void PDEModalWindow::stopModalWithCode(int code) {
    done(code);
}

// QDialog's own reject() ends with 0, which here means OK.
void PDEModalWindow::reject() {
    done(kModalCancel);
}
