#include "AvahiPeer.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/mount.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr auto kStartBound = 10s;

std::string busConfig(const std::filesystem::path& socket) {
    return "<busconfig>\n"
           "  <type>system</type>\n"
           "  <listen>unix:path=" +
           socket.string() +
           "</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <policy context=\"default\">\n"
           "    <allow user=\"*\"/> <allow own=\"*\"/>\n"
           "    <allow send_destination=\"*\"/> <allow receive_sender=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

// Loopback only, IPv4 only, nothing announced but what a test publishes.
constexpr const char* kDaemonConfig = "[server]\n"
                                      "host-name=testhost\n"
                                      "use-ipv4=yes\n"
                                      "use-ipv6=no\n"
                                      "allow-interfaces=lo\n"
                                      "[wide-area]\n"
                                      "enable-wide-area=no\n"
                                      "[publish]\n"
                                      "publish-hinfo=no\n"
                                      "publish-workstation=no\n"
                                      "[reflector]\n"
                                      "enable-reflector=no\n";

// Whether `uid` has a user of this user namespace behind it.
bool uidMapped(uid_t uid) {
    std::ifstream map("/proc/self/uid_map");
    unsigned long inside, outside, count;
    while (map >> inside >> outside >> count)
        if (uid >= inside && uid - inside < count)
            return true;
    return false;
}

// `account`'s entries of a passwd or group file, moved to id 0 (the fields
// after the name and password are the ids).
std::string movedToRoot(const std::string& path, const std::string& account, int ids) {
    std::ifstream in(path);
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(account + ":")) {
            std::size_t at = line.find(':', account.size() + 1);
            for (int i = 0; i < ids && at != std::string::npos; ++i) {
                const std::size_t end = line.find(':', at + 1);
                line.replace(at + 1, (end == std::string::npos ? line.size() : end) - at - 1, "0");
                at = line.find(':', at + 1);
            }
        }
        out << line << "\n";
    }
    return out.str();
}

} // namespace

std::unique_ptr<AvahiPeer> AvahiPeer::Start(std::string* whyNot) {
    std::unique_ptr<AvahiPeer> peer(new AvahiPeer());
    if (!peer->giveAccountAnId(whyNot) || !peer->launchBus(whyNot) || !peer->launchDaemon(whyNot))
        return nullptr;
    return peer;
}

AvahiPeer::~AvahiPeer() {
    for (auto& [name, service] : m_Services)
        stop(service);
    for (auto& [name, host] : m_Hosts)
        stop(host);
    stop(m_Daemon);
    stop(m_Bus);
}

std::vector<std::string> AvahiPeer::Environment(std::vector<std::string> extra) const {
    extra.push_back("DBUS_SYSTEM_BUS_ADDRESS=" + m_BusAddress);
    return CleanEnvironment(std::move(extra));
}

// avahi-daemon wants its runtime folder to belong to the "avahi" account. In a
// user namespace that maps only the test's user (to root) that account has no
// id; here it becomes root, in this mount namespace's passwd and group alone.
bool AvahiPeer::giveAccountAnId(std::string* whyNot) {
    const passwd* account = getpwnam("avahi");
    if (!account || uidMapped(account->pw_uid))
        return true;
    for (const auto& [file, ids] : {std::pair{"passwd", 2}, std::pair{"group", 1}}) {
        const std::string system = std::string("/etc/") + file;
        const auto moved = m_Folder.Write(file, movedToRoot(system, "avahi", ids));
        if (mount(moved.c_str(), system.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            *whyNot = "cannot give the avahi account an id: mounting " + system + " failed";
            return false;
        }
    }
    return true;
}

bool AvahiPeer::launchBus(std::string* whyNot) {
    const auto socket = m_Folder.Path() / "system_bus_socket";
    m_BusAddress = "unix:path=" + socket.string();
    const auto config = m_Folder.Write("bus.conf", busConfig(socket));
    m_Bus = std::make_unique<Process>(
        std::vector<std::string>{"/usr/bin/dbus-daemon", "--config-file=" + config.string(),
                                 "--nofork", "--nosyslog", "--print-address"},
        CleanEnvironment());
    if (!m_Bus->AwaitOutput("unix:path=", kStartBound)) {
        *whyNot = "dbus-daemon did not start: " + m_Bus->Wait(0ms).err;
        return false;
    }
    return true;
}

bool AvahiPeer::launchDaemon(std::string* whyNot) {
    const auto config = m_Folder.Write("avahi-daemon.conf", kDaemonConfig);
    m_Daemon = std::make_unique<Process>(std::vector<std::string>{"/usr/sbin/avahi-daemon", "-f",
                                                                  config.string(), "--no-drop-root",
                                                                  "--no-chroot", "--no-rlimits"},
                                         Environment());
    const auto deadline = std::chrono::steady_clock::now() + kStartBound;
    while (!daemonRuns()) {
        if (m_Daemon->HasEnded() || std::chrono::steady_clock::now() >= deadline) {
            *whyNot = "avahi-daemon did not start: " + m_Daemon->Wait(0ms).err;
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// "Running" is state 2 of the daemon's server object.
bool AvahiPeer::daemonRuns() {
    Process ask({"/usr/bin/dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.Avahi",
                 "/", "org.freedesktop.Avahi.Server.GetState"},
                Environment());
    return ask.Wait(2s).out.find("int32 2") != std::string::npos;
}

std::unique_ptr<Process> AvahiPeer::announce(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"/usr/bin/avahi-publish", "-f"});
    return std::make_unique<Process>(std::move(arguments), Environment());
}

bool AvahiPeer::established(Process& publisher, const std::string& what, std::string* whyNot) {
    if (publisher.AwaitOutput("Established under name '" + what + "'", kStartBound))
        return true;
    *whyNot = "avahi-publish could not announce " + what + ": " + publisher.Wait(0ms).err;
    return false;
}

// Host and service probe their names at the same time, each for about a second.
bool AvahiPeer::Publish(const std::string& name, const std::string& host,
                        const std::string& address, std::string* whyNot) {
    std::unique_ptr<Process> newHost;
    if (!m_Hosts.count(host))
        newHost = announce({"-a", "-R", host, address});
    auto service = announce({"-s", "-H", host, name, "_pdl-datastream._tcp", "9100"});
    if (newHost) {
        if (!established(*newHost, host, whyNot))
            return false;
        m_Hosts[host] = std::move(newHost);
    }
    if (!established(*service, name, whyNot))
        return false;
    m_Services[name] = std::move(service);
    return true;
}

void AvahiPeer::Withdraw(const std::string& name) {
    auto it = m_Services.find(name);
    if (it == m_Services.end())
        return;
    stop(it->second);
    m_Services.erase(it);
}

// SIGTERM lets a publisher withdraw its records and the daemon say goodbye.
void AvahiPeer::stop(std::unique_ptr<Process>& process) {
    if (!process)
        return;
    process->Stop(SIGTERM, 3s);
    process.reset();
}
