#include "PanelTestHost.h"

#include <stdexcept>

PanelTestHost::PanelTestHost(const std::filesystem::path& ppdPath)
    : m_PPD(ppdOpenFile(ppdPath.c_str())) {
    if (m_PPD == nullptr) {
        throw std::runtime_error("cannot open " + ppdPath.string());
    }
    ppdMarkDefaults(m_PPD);
}

PanelTestHost::~PanelTestHost() {
    ppdClose(m_PPD);
}

void PanelTestHost::mark(const char* option, const char* choice) {
    ppdMarkOption(m_PPD, option, choice);
}

void PanelTestHost::unmark(const char* option) {
    ppd_option_t* found = ppdFindOption(m_PPD, option);
    for (int i = 0; found != nullptr && i < found->num_choices; ++i) {
        found->choices[i].marked = 0;
    }
}

std::vector<std::string> PanelTestHost::takeOffers() {
    std::vector<std::string> offers;
    offers.swap(m_Offers);
    return offers;
}

bool PanelTestHost::willChangePPDOptionKeyValue(const QString& option, const QString& choice) {
    const std::string key = option.toStdString();
    const std::string pair = key + "=" + choice.toStdString();
    m_Offers.push_back(pair);
    if (m_Refused.count(key) != 0 || m_Refused.count(pair) != 0) {
        return false;
    }
    mark(key.c_str(), choice.toUtf8().constData());
    return true;
}

bool PanelTestHost::setValue(const QString& key, const QString& value) {
    if (!acceptsSettings) {
        return false;
    }
    m_Settings.insert(key, value);
    return true;
}
