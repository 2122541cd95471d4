#include "LibusbFixture.h"

#include <umockdev.h>

#include <stdexcept>
#include <string>

void LibusbFixture::SetUp() {
    ASSERT_TRUE(umockdev_in_mock_environment())
        << "run the USB tests under umockdev-wrapper, or libusb sees the machine's own bus";
}

const std::vector<std::unique_ptr<USBInterface>>& LibusbFixture::List() {
    EXPECT_EQ(m_Bus.PrinterInterfaces(&m_Found), kUSBSuccess);
    return m_Found;
}

USBInterface& LibusbFixture::OnlyInterface() {
    List();
    if (m_Found.size() != 1)
        throw std::runtime_error("expected one printer interface, found " +
                                 std::to_string(m_Found.size()));
    return *m_Found.front();
}
