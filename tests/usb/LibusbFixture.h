// The fixture of the tests through real libusb calls: a testbed of fake
// devices and the bus on libusb that lists them. Members go in reverse
// order: the interfaces before the bus, the bus before the testbed.
#pragma once

#include "UsbTestbed.h"

#include "Platform/LibusbBus.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class LibusbFixture : public testing::Test {
protected:
    void SetUp() override;

    // The printer interfaces now on the bus, listed afresh; the test fails
    // unless the listing succeeds.
    const std::vector<std::unique_ptr<USBInterface>>& List();
    // The one printer interface on the bus.
    USBInterface& OnlyInterface();

    UsbTestbed m_Testbed;
    LibusbBus m_Bus;
    std::vector<std::unique_ptr<USBInterface>> m_Found;
};
