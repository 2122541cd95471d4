#pragma once
// The job's print settings: the string store panels write into and that
// the dialog sends with the job as job options.

#include "PDEPluginCallback.h"

#include <QMap>

class PDEHostPrintSettings : public PDEPrintSettings {
public:
    // Refuses (false) a key that cannot be a job option name: empty, or
    // holding a space, '=' or a control character.
    bool setValue(const QString& key, const QString& value) override;
    QString value(const QString& key) const override { return m_Values.value(key); }

    // The dialog's own settings come and go with its controls.
    void remove(const QString& key) { m_Values.remove(key); }

    // Every setting, by key.
    const QMap<QString, QString>& values() const { return m_Values; }

private:
    QMap<QString, QString> m_Values;
};
