#include "PanelView.h"

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
