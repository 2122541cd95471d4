#include "PanelView.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

QWidget* ShowPanel(PDEPanel& panel) {
    QWidget* view = panel.panelView();
    if (view == nullptr) {
        ADD_FAILURE() << "the panel has no view";
        return nullptr;
    }
    view->show();
    panel.willShow();
    return view;
}

void WhileModalOpen(const std::function<void()>& open,
                    const std::function<void(QWidget*)>& whileOpen) {
    bool ran = false;
    // A timer of this call's own: should open() show nothing modal, it dies
    // here unfired rather than firing later into a finished test.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr) << "no modal window open";
        ran = true;
        whileOpen(window);
        if (!window->isVisible()) {
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
    });
    timer.start(0);
    open();
    EXPECT_TRUE(ran) << "the window never opened";
}
