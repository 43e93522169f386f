// SPDX-License-Identifier: GPL-3.0-or-later
#include "order_device.h"

#include "board_descriptors.h"
#include "board_identity.h"
#include "report_descriptor.h"
#include "virtual_device.h"

namespace tamo::orders {

namespace {

constexpr std::uint16_t kBoardInputLength = 8;

// The programs hand the kernel ASCII; the defaults are.
std::string Narrow(const std::optional<std::u16string> &text)
{
    std::string narrow;
    for (const char16_t c : text.value_or(u""))
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

void Apply(const TextOption &option, std::optional<std::string> &field)
{
    if (option.none)
        field.reset();
    else if (option.text)
        field = option.text;
}

} // namespace

bool DeviceFromOrder(const Order &order, OrderedDevice &made, std::string &error)
{
    const CreateOptions &options = order.create;
    const sim::VirtualDeviceDefinition definition =
        options.foreign ? sim::ForeignMouse() : sim::FamilyBoard(u"");
    made = {};
    made.vendorId = options.vendorId.value_or(definition.vendorId);
    made.productId = options.productId.value_or(definition.productId);
    made.version = options.version.value_or(definition.versionNumber);
    made.manufacturer = Narrow(definition.manufacturer);
    made.product = options.product.value_or(Narrow(definition.product));
    if (options.serial || !options.foreign)
        made.serial = options.serial.value_or(order.device);
    const auto marker = definition.indexedStrings.find(device::MARKER_STRING_INDEX);
    if (marker != definition.indexedStrings.end())
        made.marker = Narrow(marker->second);
    Apply(options.manufacturer, made.manufacturer);
    Apply(options.marker, made.marker);

    if (options.foreign) {
        made.reportDescriptor = definition.reportDescriptor;
        return true;
    }
    made.reportDescriptor =
        sim::BoardReportDescriptor(options.inputLength.value_or(kBoardInputLength));
    const device::DescriptorParse parse = device::ParseReportDescriptor(made.reportDescriptor);
    if (parse.collections.empty()) {
        error = "the board's descriptor does not parse: " + parse.error;
        return false;
    }
    const device::HIDP_CAPS &caps = parse.collections.front().caps;
    made.inputReportBytes = caps.InputReportByteLength;
    made.model.emplace(caps.FeatureReportByteLength, caps.InputReportByteLength);
    made.model->setInputMode(options.inputMode, options.streamPeriodMs);
    return true;
}

} // namespace tamo::orders
