#pragma once
// A detail window run modally by its panel. OK and Cancel end the modal run
// with kModalOK and kModalCancel; closing the window or pressing Escape is a
// Cancel, never an OK.

#include <QDialog>

class PDEModalWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kModalOK = 0;
    static constexpr int kModalCancel = 1;

    explicit PDEModalWindow(QWidget* parent = nullptr);

    int runModal();
    void stopModalWithCode(int code);

    void reject() override;
};
