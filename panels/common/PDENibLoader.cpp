#include "PDENibLoader.h"

#include "PDEBundle.h"
#include "PDEModalWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <QUiLoader>
#include <QWidget>

namespace {

class Loader : public QUiLoader {
public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        if (className == "QDialog" && parent == nullptr) {
            auto* window = new PDEModalWindow;
            window->setObjectName(name);
            return window;
        }
        return QUiLoader::createWidget(className, parent, name);
    }
};

QWidget* loadFile(const QString& path, QWidget* parent, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": " + file.errorString();
        return nullptr;
    }
    Loader loader;
    // Texts are translated afterwards through the bundle, not through the
    // host application's translators.
    loader.setTranslationEnabled(false);
    QWidget* view = loader.load(&file, nullptr);
    if (view == nullptr) {
        *error = path + ": " + loader.errorString();
        return nullptr;
    }
    if (parent != nullptr) {
        view->setParent(parent, view->windowFlags());
    }
    return view;
}

bool tagMatrices(QWidget* view, const QString& path, QString* error) {
    for (QButtonGroup* matrix : view->findChildren<QButtonGroup*>()) {
        QSet<int> tags;
        for (QAbstractButton* cell : matrix->buttons()) {
            bool isNumber = false;
            const int tag = cell->property("tag").toInt(&isNumber);
            if (!isNumber || tag < 0 || tags.contains(tag)) {
                *error = QString("%1: cell %2 of %3 has no tag of its own")
                             .arg(path, cell->objectName(), matrix->objectName());
                return false;
            }
            tags.insert(tag);
            matrix->setId(cell, tag);
        }
    }
    return true;
}

void translateTexts(QWidget* view, const PDEBundle& bundle, const QString& name) {
    auto tr = [&](const QString& text) { return bundle.localizedViewString(name, text); };
    view->setWindowTitle(tr(view->windowTitle()));
    for (QWidget* widget : view->findChildren<QWidget*>()) {
        if (!widget->toolTip().isEmpty()) {
            widget->setToolTip(tr(widget->toolTip()));
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(tr(label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(tr(button->text()));
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            box->setTitle(tr(box->title()));
        }
    }
}

} // namespace

QWidget* PDENibLoader::loadNibNamed(const PDEBundle& bundle, const QString& name, QWidget* parent,
                                    QString* error) {
    const QString path = bundle.pathForResource(name, "ui");
    QWidget* view = loadFile(path, parent, error);
    if (view == nullptr) {
        return nullptr;
    }
    if (!tagMatrices(view, path, error)) {
        delete view;
        return nullptr;
    }
    translateTexts(view, bundle, name);
    return view;
}
