// A discovery view that keeps what discovery tells the window, for tests below the window.
#pragma once

#include "discovery.h"

#include <functional>
#include <string>
#include <vector>

namespace tamo::test {

class RecordingDiscoveryView : public device::DiscoveryView {
public:
    std::vector<std::string> items;
    int selected = -1;
    bool enabled = false;
    std::string report;
    // Raised on every selection, as the window's list raises its click event.
    std::function<void()> onSelect;

    void clearSerialNumbers() override
    {
        items.clear();
        selected = -1;
    }
    void setSerialNumbersEnabled(bool on) override { enabled = on; }
    void addSerialNumber(const std::string &serial, int position) override
    {
        items.insert(items.begin() + position, serial);
    }
    void selectSerialNumber(int index) override
    {
        selected = index;
        if (onSelect)
            onSelect();
    }
    std::string shownSerialNumber() const override
    {
        return selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected] : "";
    }
    void setCapabilitiesReport(const std::string &text) override { report = text; }
};

} // namespace tamo::test
