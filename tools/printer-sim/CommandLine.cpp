#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace {

using Values = std::map<std::string_view, std::string_view>;

Outcome<Values> CollectOptions(const std::vector<std::string_view>& args) {
    static constexpr std::string_view kKnown[] = {"--description", "--address", "--address-range",
                                                  "--log", "--lifeline"};
    Values values;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const auto name = args[i];
        if (std::find(std::begin(kKnown), std::end(kKnown), name) == std::end(kKnown))
            return Outcome<Values>::Fail("unknown argument '" + std::string(name) + "'");
        if (i + 1 == args.size())
            return Outcome<Values>::Fail(std::string(name) + " needs a value");
        if (!values.emplace(name, args[i + 1]).second)
            return Outcome<Values>::Fail(std::string(name) + " given twice");
    }
    return Outcome<Values>::Ok(std::move(values));
}

Outcome<AddressRange> AddressesOf(const Values& values) {
    const auto single = values.find("--address");
    const auto range = values.find("--address-range");
    if ((single == values.end()) == (range == values.end()))
        return Outcome<AddressRange>::Fail("give exactly one of --address and --address-range");
    if (range != values.end())
        return ParseAddressRange(range->second);
    const auto address = ParseLoopbackAddress(single->second);
    if (!address)
        return Outcome<AddressRange>::Fail(address.error);
    return Outcome<AddressRange>::Ok({*address.value, *address.value});
}

Outcome<int> DescriptorOf(std::string_view text) {
    int fd = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fd);
    if (error != std::errc() || end != text.data() + text.size() || fd < 0)
        return Outcome<int>::Fail("--lifeline takes a descriptor number, not '" +
                                  std::string(text) + "'");
    return Outcome<int>::Ok(fd);
}

} // namespace

Outcome<SimOptions> ParseCommandLine(const std::vector<std::string_view>& args) {
    const auto values = CollectOptions(args);
    if (!values)
        return Outcome<SimOptions>::Fail(values.error);
    const auto description = values.value->find("--description");
    if (description == values.value->end())
        return Outcome<SimOptions>::Fail("--description is missing");
    const auto addresses = AddressesOf(*values.value);
    if (!addresses)
        return Outcome<SimOptions>::Fail(addresses.error);
    SimOptions options;
    options.descriptionPath = description->second;
    options.addresses = *addresses.value;
    if (const auto log = values.value->find("--log"); log != values.value->end())
        options.logPath = log->second;
    if (const auto lifeline = values.value->find("--lifeline"); lifeline != values.value->end()) {
        const auto fd = DescriptorOf(lifeline->second);
        if (!fd)
            return Outcome<SimOptions>::Fail(fd.error);
        options.lifelineFd = *fd.value;
    }
    return Outcome<SimOptions>::Ok(std::move(options));
}
