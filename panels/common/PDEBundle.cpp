#include "PDEBundle.h"

#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <dlfcn.h>

namespace {

constexpr char kDefaultTable[] = "Localizable";

std::shared_ptr<QTranslator> loadTranslator(const PDEBundle& bundle, const QLocale& locale) {
    auto translator = std::make_shared<QTranslator>();
    const QString dir = bundle.resourcePath();
    if (translator->load(locale, bundle.bundleName(), "_", dir)) {
        return translator;
    }
    if (translator->load(bundle.bundleName() + "_en", dir)) {
        return translator;
    }
    return nullptr;
}

} // namespace

PDEBundle::PDEBundle(const QString& bundlePath, const QLocale& locale) : m_BundlePath(bundlePath) {
    if (!m_BundlePath.isEmpty()) {
        m_Translator = loadTranslator(*this, locale);
    }
}

PDEBundle PDEBundle::bundleForAddress(const void* code) {
    Dl_info info{};
    if (dladdr(code, &info) == 0 || info.dli_fname == nullptr) {
        return PDEBundle(QString());
    }
    return PDEBundle(QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath());
}

QString PDEBundle::bundleName() const {
    return QFileInfo(m_BundlePath).fileName();
}

QString PDEBundle::resourcePath() const {
    return QDir(m_BundlePath).filePath("Resources");
}

QString PDEBundle::pathForResource(const QString& name, const QString& type) const {
    return QDir(resourcePath()).filePath(name + "." + type);
}

QString PDEBundle::localizedStringForKey(const QString& key) const {
    return localizedViewString(kDefaultTable, key);
}

QString PDEBundle::localizedViewString(const QString& viewName, const QString& text) const {
    if (m_Translator == nullptr) {
        return text;
    }
    const QString translated =
        m_Translator->translate(viewName.toUtf8().constData(), text.toUtf8().constData());
    return translated.isEmpty() ? text : translated;
}
