// A discovery view that records what discovery writes into SerNo and Text4.
#pragma once

#include "discovery.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tamo::test {

class RecordingView : public device::DiscoveryView {
public:
    std::vector<std::string> serials;
    int selected = -1;
    bool enabled = false;
    std::string shown;
    std::string capabilitiesReport;

    void clearSerialNumbers() override
    {
        serials.clear();
        selected = -1;
    }
    void setSerialNumbersEnabled(bool on) override { enabled = on; }
    void addSerialNumber(const std::string &serial, int position) override
    {
        serials.insert(serials.begin() + std::clamp<int>(position, 0, serials.size()), serial);
    }
    void selectSerialNumber(int index) override
    {
        selected = index;
        if (index >= 0 && index < static_cast<int>(serials.size()))
            shown = serials[index];
    }
    std::string shownSerialNumber() const override { return shown; }
    void setCapabilitiesReport(const std::string &report) override { capabilitiesReport = report; }
};

} // namespace tamo::test
