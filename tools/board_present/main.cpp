// tamo-board-present: lists the serial numbers of the attached boards of the family, one a
// line; exit status 0 when there is at least one. The start script uses it to choose between
// the tool and its demo.
#include "discovery.h"
#include "native_platform.h"

#include <iostream>
#include <vector>

namespace {

class SerialNumberCollector : public tamo::device::DiscoveryView {
public:
    std::vector<std::string> serials;
    void clearSerialNumbers() override { serials.clear(); }
    void setSerialNumbersEnabled(bool) override {}
    void addSerialNumber(const std::string &serial, int position) override
    {
        serials.insert(serials.begin() + position, serial);
    }
    void selectSerialNumber(int) override {}
    std::string shownSerialNumber() const override { return {}; }
    void setCapabilitiesReport(const std::string &) override {}
};

} // namespace

int main()
{
    const auto platform = tamo::device::CreateNativeHidPlatform();
    tamo::device::BoardConnection connection;
    tamo::device::ValueCapsArray valueCaps{};
    SerialNumberCollector view;
    tamo::device::Discovery discovery{*platform, connection, view, valueCaps};
    tamo::device::Scan_USB_devices(discovery);
    for (const std::string &serial : view.serials)
        std::cout << serial << "\n";
    return view.serials.empty() ? 1 : 0;
}
