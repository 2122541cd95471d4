#pragma once
// A critical alert as a person meets it: a modal message box with one
// button, which returns when they dismiss it.

#include <QString>

class QWidget;

void RunCriticalAlertPanel(QWidget* parent, const QString& title, const QString& message,
                           const QString& button);
