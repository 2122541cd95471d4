#include "ColourPanelFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>

PDEBundle StagedColourBundle() {
    return PDEBundle(QC_COLOR_BUNDLE, QLocale(QLocale::English));
}

PDEBundle BundleWithoutTranslations() {
    return PDEBundle(QString());
}

QString CopyOfBundle(const TempDir& dir, const QString& staged, const QString& name) {
    const QString bundle = QString::fromStdString((dir.Path() / name.toStdString()).string());
    const QString resources = staged + "/Resources/";
    QDir().mkpath(bundle + "/Resources");
    for (const QString& file : QDir(resources).entryList(QDir::Files)) {
        if (!QFile::copy(resources + file, bundle + "/Resources/" + file)) {
            ADD_FAILURE() << "cannot copy " << file.toStdString();
        }
    }
    return bundle;
}

QString CopyOfColourBundle(const TempDir& dir) {
    return CopyOfBundle(dir, QC_COLOR_BUNDLE, "VELPSColor");
}

void EditResource(const QString& bundle, const QString& file,
                  const std::function<void(QString&)>& edit) {
    QFile resource(bundle + "/Resources/" + file);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << file.toStdString();
    QString text = QString::fromUtf8(resource.readAll());
    resource.close();
    edit(text);
    ASSERT_TRUE(resource.open(QIODevice::WriteOnly | QIODevice::Truncate));
    resource.write(text.toUtf8());
}

VELPSColorPDE* ColourPanelFixture::make(const std::vector<PPDEdit>& edits,
                                        const PDEBundle& bundle) {
    panel.reset();
    host = std::make_unique<PanelTestHost>(WriteColourPPD(dir, edits));
    panel = VELPSColorPDE::initWithCallback(host.get(), bundle);
    return panel.get();
}

void ColourPanelFixture::choose(const char* popupName, const char* keyword) {
    auto* popup = control<QComboBox>(popupName);
    const int index = popup->findData(QString::fromLatin1(keyword));
    ASSERT_GE(index, 0) << popupName << " has no " << keyword;
    popup->setCurrentIndex(index);
    emit popup->activated(index);
}

void ColourPanelFixture::whileWindowOpen(const char* openerName,
                                         const std::function<void(QDialog*)>& whileOpen) {
    QAbstractButton* opener = control<QAbstractButton>(openerName);
    ASSERT_NE(opener, nullptr);
    ASSERT_TRUE(opener->isEnabled()) << openerName << " is disabled";
    WhileModalOpen([&] { opener->click(); },
                   [&](QWidget* window) {
                       auto* dialog = qobject_cast<QDialog*>(window);
                       ASSERT_NE(dialog, nullptr) << "the window is no dialog";
                       whileOpen(dialog);
                   });
}

void ColourPanelFixture::clickInWindow(QDialog* window, const char* buttonName) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    ASSERT_NE(button, nullptr) << "no button " << buttonName;
    button->click();
}
