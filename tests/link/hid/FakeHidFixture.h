#pragma once
// A fake HID bus installed for one test, with the processor's device (vendor 0x0168, product
// 0x0821, 64-byte input and output reports without report ID) and others made to order.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/hid/FakeHid.h"

namespace dsp::test {

// clang-format off
inline const std::vector<std::uint8_t> kProcessorReportDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,                                      // vendor page, application
    0x09, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x81, 0x02,  // 64 input bytes
    0x09, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x91, 0x02,  // 64 output bytes
    0xC0};
// clang-format on

inline TFakeHidDeviceConfig ProcessorConfig() {
    TFakeHidDeviceConfig s;
    s.vendorId = 0x0168;
    s.productId = 0x0821;
    s.versionNumber = 0x0100;
    s.manufacturer = "WQJ";
    s.product = "DSP Processor";
    s.serialNumber = "0001";
    s.reportDescriptor = kProcessorReportDescriptor;
    return s;
}

inline TFakeHidDeviceConfig OtherConfig(std::uint16_t vendor, std::uint16_t product) {
    TFakeHidDeviceConfig s = ProcessorConfig();
    s.vendorId = vendor;
    s.productId = product;
    s.product = "Other";
    return s;
}

class FakeHidFixture : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetHidBackend(bus_); }
    void TearDown() override { SetHidBackend(previous_); }

    std::shared_ptr<TFakeHidBus> bus_ = std::make_shared<TFakeHidBus>();

private:
    std::shared_ptr<IHidBackend> previous_;
};

}  // namespace dsp::test
