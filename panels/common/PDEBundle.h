#pragma once
// A panel bundle on disk: a folder named after the bundle that holds the
// plug-in library and a Resources folder with the views (Qt Designer .ui
// files) and the translations (<bundle>_<language>.qm, English being the
// base used when the user's language has none).

#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;

class PDEBundle {
public:
    explicit PDEBundle(const QString& bundlePath, const QLocale& locale = QLocale::system());

    // The bundle whose library holds the given code address: the folder of
    // that library. An empty path when the address lies in no library.
    static PDEBundle bundleForAddress(const void* code);

    QString bundlePath() const { return m_BundlePath; }
    QString bundleName() const;
    QString resourcePath() const;
    QString pathForResource(const QString& name, const QString& type) const;

    // The translation of key in the default table; the key itself when the
    // bundle has none for it.
    QString localizedStringForKey(const QString& key) const;
    // The translation of a view's text, by the view's name.
    QString localizedViewString(const QString& viewName, const QString& text) const;

private:
    QString m_BundlePath;
    std::shared_ptr<QTranslator> m_Translator;
};
