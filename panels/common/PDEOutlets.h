#pragma once
// Finds a view's outlets by object name and type, and keeps the names of
// those it could not find, so a view that lacks one is refused as a whole
// instead of failing later at the first use.

#include <QObject>
#include <QString>
#include <QStringList>

class PDEOutlets {
public:
    template <class T> T* outlet(const QObject* view, const char* name) {
        T* found = view == nullptr ? nullptr : view->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            m_Missing << QString::fromLatin1(name);
        }
        return found;
    }

    bool complete() const { return m_Missing.isEmpty(); }
    QString missing() const { return m_Missing.join(", "); }

private:
    QStringList m_Missing;
};
