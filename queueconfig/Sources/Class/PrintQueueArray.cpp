#include "PrintQueueArray.h"

#include <new>

int PrintQueueArray::CreateQueueWithName(const std::optional<std::string>& deviceURI) {
    Release();
    if (!deviceURI)
        return -50;
    try {
        std::vector<std::string> names{*deviceURI};
        std::vector<std::optional<URL>> uris{URL::CreateWithString(*deviceURI)};
        std::vector<std::string> ids{*deviceURI};
        m_Names = std::move(names);
        m_URIs = std::move(uris);
        m_IDs = std::move(ids);
    } catch (const std::bad_alloc&) {
        Release();
        return -108;
    }
    m_Count = 1;
    return 0;
}

void PrintQueueArray::Release() {
    m_Names.clear();
    m_URIs.clear();
    m_IDs.clear();
    m_Count = 0;
}
