#include "Platform/URL.h"

#include <gtest/gtest.h>

TEST(URLTest, SchemeAndHostAsWritten) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<std::string> scheme;
        std::optional<std::string> host;
    };
    const Case cases[] = {
        {"socket numeric", "socket://127.0.0.2", "socket", "127.0.0.2"},
        {"socket with port", "socket://127.0.0.2:9100", "socket", "127.0.0.2"},
        {"lpd with queue", "lpd://printer.example/queue1", "lpd", "printer.example"},
        {"ipp with user", "ipp://admin@print-host:631/ipp/print", "ipp", "print-host"},
        {"ipv6 literal", "ipp://[::1]:631/ipp", "ipp", "::1"},
        {"scheme case kept", "USB://Velmark/CL-5400", "USB", "Velmark"},
        {"usb query", "usb://Velmark/CL%205400?serial=A1", "usb", "Velmark"},
        {"dnssd escaped name", "dnssd://Velmark%20CL-5400._pdl-datastream._tcp.local./", "dnssd",
         "Velmark%20CL-5400._pdl-datastream._tcp.local."},
        {"opaque", "velusb:Velmark/CL-5400", "velusb", std::nullopt},
        {"empty authority", "socket:///path", "socket", std::nullopt},
        {"relative", "printer/queue", std::nullopt, std::nullopt},
        {"digit first is no scheme", "1socket://host", std::nullopt, std::nullopt},
        {"empty", "", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto url = URL::CreateWithString(c.text);
        ASSERT_TRUE(url) << c.name;
        EXPECT_EQ(url->GetString(), c.text) << c.name;
        EXPECT_EQ(url->GetScheme(), c.scheme) << c.name;
        EXPECT_EQ(url->GetHost(), c.host) << c.name;
    }
}

TEST(URLTest, TextThatNoURICanHoldIsRefused) {
    for (const char* text :
         {"socket://printer one", "socket://host/\"q\"", "usb://Velmark/CL\xc3\xa9",
          "socket://host/%", "socket://host/%4", "socket://host/%zz", "socket://host/{x}",
          "socket://host\\q", "socket://host/\t"})
        EXPECT_FALSE(URL::CreateWithString(text)) << text;
}
