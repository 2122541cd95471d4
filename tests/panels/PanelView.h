#pragma once
// A panel's view as the tests meet it: shown as a print dialog shows it,
// and its controls found by name.

#include "PDEPanel.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Loads the view, shows it and sends willShow; null (a test failure) when
// the panel has no view.
QWidget* ShowPanel(PDEPanel& panel);

template <class T> T* PanelControl(PDEPanel& panel, const char* name) {
    QWidget* view = panel.panelView();
    T* found = view == nullptr ? nullptr : view->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << name;
    }
    return found;
}

// Runs open(), which opens a modal window, and whileOpen inside the
// window's modal run; the window is closed (a dialog rejected) afterwards
// if whileOpen left it open. A test failure when no modal window opened.
void WhileModalOpen(const std::function<void()>& open,
                    const std::function<void(QWidget*)>& whileOpen);
