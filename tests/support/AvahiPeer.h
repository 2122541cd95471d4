// A real Avahi daemon for DNS-SD tests, on a D-Bus system bus of its own, and
// printer services announced through it with avahi-publish. Start it only
// inside a private network (PrivateNetwork.h): it answers on loopback alone.
#pragma once

#include "Process.h"
#include "TestSupport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AvahiPeer {
public:
    // The bus, then the daemon; waits (at most 10 s) until the daemon runs.
    // On failure: none, with the reason in *whyNot.
    static std::unique_ptr<AvahiPeer> Start(std::string* whyNot);
    // Withdraws every service, stops the daemon, then the bus.
    ~AvahiPeer();
    AvahiPeer(const AvahiPeer&) = delete;
    AvahiPeer& operator=(const AvahiPeer&) = delete;

    // The value of DBUS_SYSTEM_BUS_ADDRESS for clients of this daemon.
    const std::string& BusAddress() const { return m_BusAddress; }
    // The environment of a clean run (Process.h) that reaches this daemon.
    std::vector<std::string> Environment(std::vector<std::string> extra = {}) const;

    // Announces host `host` at `address` (IPv4 or IPv6), and on it the
    // "_pdl-datastream._tcp" service `name` on port 9100; waits (at most 10 s)
    // until both are established.
    bool Publish(const std::string& name, const std::string& host, const std::string& address,
                 std::string* whyNot);
    // Withdraws the service `name` (its host stays).
    void Withdraw(const std::string& name);

private:
    AvahiPeer() = default;
    bool giveAccountAnId(std::string* whyNot);
    bool launchBus(std::string* whyNot);
    bool launchDaemon(std::string* whyNot);
    bool daemonRuns();
    std::unique_ptr<Process> announce(std::vector<std::string> arguments) const;
    static bool established(Process& publisher, const std::string& what, std::string* whyNot);
    static void stop(std::unique_ptr<Process>& process);

    TempDir m_Folder;
    std::string m_BusAddress;
    std::unique_ptr<Process> m_Bus;
    std::unique_ptr<Process> m_Daemon;
    std::map<std::string, std::unique_ptr<Process>> m_Hosts;
    std::map<std::string, std::unique_ptr<Process>> m_Services;
};
