#include "PDEHostCallback.h"

#include "PDEHost.h"

ppd_file_t* PDEHostCallback::ppdFile() {
    return m_Host.ppd().ppd();
}

bool PDEHostCallback::willChangePPDOptionKeyValue(const QString& option, const QString& choice) {
    return m_Host.changeChoice(m_Origin, option, choice);
}

PDEPrintSession* PDEHostCallback::printSession() {
    return &m_Host.session();
}

PDEPrintSettings* PDEHostCallback::printSettings() {
    return &m_Host.settings();
}
