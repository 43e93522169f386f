// SPDX-License-Identifier: GPL-3.0-or-later
#include "linux_sysfs.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <system_error>

namespace tamo::device {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t ATTRIBUTE_LIMIT = 64 * 1024;

template<typename Number>
std::optional<Number> ParseNumber(const std::optional<std::string> &text, int base)
{
    if (!text)
        return std::nullopt;
    Number value{};
    const char *begin = text->data();
    const char *end = begin + text->size();
    const auto [stop, error] = std::from_chars(begin, end, value, base);
    if (error != std::errc{} || stop != end || begin == end)
        return std::nullopt;
    return value;
}

// Inside root and not root itself: the walk up must not leave the tree it was given.
bool StrictlyInside(const fs::path &directory, const fs::path &root)
{
    const fs::path relative = directory.lexically_relative(root);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

std::optional<std::string> NonEmpty(const std::optional<std::string> &text)
{
    if (text && !text->empty())
        return text;
    return std::nullopt;
}

std::optional<std::string> UeventField(const HidrawSysfs &device, std::string_view key)
{
    const auto found = device.hidUevent.find(key);
    if (found == device.hidUevent.end())
        return std::nullopt;
    return NonEmpty(found->second);
}

} // namespace

UeventFields ParseUevent(std::string_view text)
{
    UeventFields fields;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            continue;
        fields.insert_or_assign(std::string(line.substr(0, equals)),
                                std::string(line.substr(equals + 1)));
    }
    return fields;
}

std::optional<std::string> ReadSysfsAttribute(const fs::path &file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    // Attributes are short; read in small pieces up to the limit instead of zero-filling the
    // whole limit for every one of the many reads a scan makes.
    std::string text;
    char chunk[256];
    while (text.size() < ATTRIBUTE_LIMIT && stream) {
        const std::size_t want = std::min(sizeof chunk, ATTRIBUTE_LIMIT - text.size());
        stream.read(chunk, static_cast<std::streamsize>(want));
        text.append(chunk, static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad())
        return std::nullopt;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

std::optional<UsbParent> FindUsbParent(const fs::path &start, const fs::path &sysfsRoot)
{
    std::error_code error;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error)
        return std::nullopt;
    fs::path directory = fs::canonical(start, error);
    if (error)
        return std::nullopt;
    for (; StrictlyInside(directory, root); directory = directory.parent_path()) {
        const auto vendor =
            ParseNumber<std::uint16_t>(ReadSysfsAttribute(directory / "idVendor"), 16);
        const auto bcd =
            ParseNumber<std::uint16_t>(ReadSysfsAttribute(directory / "bcdDevice"), 16);
        if (!vendor || !bcd)
            continue;
        UsbParent parent;
        parent.directory = directory;
        parent.vendorId = *vendor;
        parent.bcdDevice = *bcd;
        parent.manufacturer = ReadSysfsAttribute(directory / "manufacturer");
        parent.product = ReadSysfsAttribute(directory / "product");
        parent.serial = ReadSysfsAttribute(directory / "serial");
        parent.busnum = ParseNumber<int>(ReadSysfsAttribute(directory / "busnum"), 10);
        parent.devnum = ParseNumber<int>(ReadSysfsAttribute(directory / "devnum"), 10);
        return parent;
    }
    return std::nullopt;
}

HidrawSysfs ReadHidrawSysfs(const fs::path &sysfsRoot, std::string_view nodeName)
{
    const fs::path hidDevice = sysfsRoot / "class" / "hidraw" / nodeName / "device";
    HidrawSysfs device;
    if (const auto uevent = ReadSysfsAttribute(hidDevice / "uevent"))
        device.hidUevent = ParseUevent(*uevent);
    device.usb = FindUsbParent(hidDevice, sysfsRoot);
    return device;
}

std::optional<std::string> ManufacturerOf(const HidrawSysfs &device)
{
    return device.usb ? NonEmpty(device.usb->manufacturer) : std::nullopt;
}

std::optional<std::string> ProductOf(const HidrawSysfs &device)
{
    return device.usb ? NonEmpty(device.usb->product) : UeventField(device, "HID_NAME");
}

std::optional<std::string> SerialOf(const HidrawSysfs &device)
{
    return device.usb ? NonEmpty(device.usb->serial) : UeventField(device, "HID_UNIQ");
}

std::vector<std::string> ListHidrawNodes(const fs::path &sysfsRoot, std::string &error)
{
    error.clear();
    const fs::path directory = sysfsRoot / "class" / "hidraw";
    std::vector<std::pair<unsigned long, std::string>> nodes;
    std::error_code code;
    fs::directory_iterator entry(directory, code);
    if (code == std::errc::no_such_file_or_directory)
        return {};
    for (; !code && entry != fs::directory_iterator(); entry.increment(code)) {
        const std::string name = entry->path().filename().string();
        constexpr std::string_view prefix = "hidraw";
        if (!name.starts_with(prefix))
            continue;
        const auto number = ParseNumber<unsigned long>(name.substr(prefix.size()), 10);
        if (number)
            nodes.emplace_back(*number, name);
    }
    if (code) {
        error = "opendir(" + directory.string() + "): " + code.message();
        return {};
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<std::string> names;
    names.reserve(nodes.size());
    for (auto &node : nodes)
        names.push_back(std::move(node.second));
    return names;
}

} // namespace tamo::device
