// The print queues the tool works on, as three index-parallel lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "../Platform/URL.h"

class PrintQueueArray {
public:
    PrintQueueArray() = default;
    ~PrintQueueArray() { Release(); }
    PrintQueueArray(const PrintQueueArray&) = delete;
    PrintQueueArray& operator=(const PrintQueueArray&) = delete;

    // Makes the list of the one queue behind a device URI: its name and ID are
    // the URI string, its URI the parsed URL (none when the text is no URL, so
    // that no port is made for it). 0 on success, -50 for no URI, -108 when
    // memory runs out; on failure the list stays empty.
    int CreateQueueWithName(const std::optional<std::string>& deviceURI);
    void Release();

    int GetCount() const { return m_Count; }
    const std::vector<std::string>& GetNames() const { return m_Names; }
    const std::vector<std::optional<URL>>& GetURIs() const { return m_URIs; }
    const std::vector<std::string>& GetIDs() const { return m_IDs; }

private:
    std::vector<std::string> m_Names;
    std::vector<std::optional<URL>> m_URIs;
    std::vector<std::string> m_IDs;
    int m_Count = 0;
};
