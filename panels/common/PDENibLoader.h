#pragma once
// Loads a bundle's view (a Qt Designer .ui file in its Resources) at run
// time. On top of QUiLoader it
// - makes each top-level QDialog a PDEModalWindow, so Escape means Cancel;
// - gives each cell of a matrix (a QButtonGroup of radio buttons) the id
//   that its integer property "tag" names, so a cell stands for the PPD
//   choice of that index;
// - translates the view's texts through the bundle, by the view's name.

#include <QString>

class PDEBundle;
class QWidget;

class PDENibLoader {
public:
    // The view, owned by parent when one is given and by the caller
    // otherwise; null with error set when the file is missing or malformed.
    static QWidget* loadNibNamed(const PDEBundle& bundle, const QString& name, QWidget* parent,
                                 QString* error);
};
