#pragma once
// A print dialog for the panel tests: it holds the queue's PPD with the
// defaults marked, records every choice a panel offers, and accepts it
// (marking it in the PPD) unless the test told it to refuse.

#include "PDEPluginCallback.h"

#include <QMap>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

class PanelTestHost : public PDEPluginCallback, public PDEPrintSession, public PDEPrintSettings {
public:
    explicit PanelTestHost(const std::filesystem::path& ppdPath);
    ~PanelTestHost() override;
    PanelTestHost(const PanelTestHost&) = delete;
    PanelTestHost& operator=(const PanelTestHost&) = delete;

    // "VLControl" refuses every choice of the option, "VLControl=Graph" only
    // that one.
    void refuse(const std::string& optionOrChoice) { m_Refused.insert(optionOrChoice); }
    // Marks a choice as the host's other panels would.
    void mark(const char* option, const char* choice);
    // Leaves the option without a marked choice.
    void unmark(const char* option);

    // Every offer so far, as "option=choice", in order; cleared by takeOffers.
    const std::vector<std::string>& offers() const { return m_Offers; }
    std::vector<std::string> takeOffers();

    bool constraintHandling = true;
    // Nothing: the host cannot tell where the job goes.
    std::optional<PMDestinationType> destination = PMDestinationType::kPMDestinationPrinter;
    // Whether the print session also hands out the PPD.
    bool sessionHasPPD = true;
    bool acceptsSettings = true;

    // PDEPluginCallback
    bool respondsToWillChangePPDOptionKeyValue() const override { return constraintHandling; }
    ppd_file_t* ppdFile() override { return m_PPD; }
    bool willChangePPDOptionKeyValue(const QString& option, const QString& choice) override;
    PDEPrintSession* printSession() override { return this; }
    PDEPrintSettings* printSettings() override { return this; }

    // PDEPrintSession
    std::optional<PMDestinationType> destinationType() const override { return destination; }
    ppd_file_t* ppdRef() override { return sessionHasPPD ? m_PPD : nullptr; }

    // PDEPrintSettings
    bool setValue(const QString& key, const QString& value) override;
    QString value(const QString& key) const override { return m_Settings.value(key); }

private:
    ppd_file_t* m_PPD = nullptr;
    std::set<std::string> m_Refused;
    std::vector<std::string> m_Offers;
    QMap<QString, QString> m_Settings;
};
