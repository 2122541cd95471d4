#pragma once
// What one bundle's panels see of the dialog. Each bundle gets its own, so
// that the dialog knows which panel a change came from and tells the others.

#include "PDEPluginCallback.h"

class PDEHost;

class PDEHostCallback : public PDEPluginCallback {
public:
    PDEHostCallback(PDEHost& host, int origin) : m_Host(host), m_Origin(origin) {}

    bool respondsToWillChangePPDOptionKeyValue() const override { return true; }
    ppd_file_t* ppdFile() override;
    bool willChangePPDOptionKeyValue(const QString& option, const QString& choice) override;
    PDEPrintSession* printSession() override;
    PDEPrintSettings* printSettings() override;

private:
    PDEHost& m_Host;
    int m_Origin;
};
