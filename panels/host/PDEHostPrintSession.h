#pragma once
// The job's session: where the job goes and the PPD it is made for.

#include "PDEPluginCallback.h"

class PDEHostPrintSession : public PDEPrintSession {
public:
    explicit PDEHostPrintSession(ppd_file_t* ppd) : m_PPD(ppd) {}

    std::optional<PMDestinationType> destinationType() const override { return m_Destination; }
    ppd_file_t* ppdRef() override { return m_PPD; }

    void setDestinationType(PMDestinationType destination) { m_Destination = destination; }

private:
    ppd_file_t* m_PPD;
    PMDestinationType m_Destination = PMDestinationType::kPMDestinationPrinter;
};
