// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any byte string as a settings file. The reader must never throw or crash;
// a refusal is a message safe to print, and a file it takes is complete and comes back the
// same through the writer.
#include "safe_text.h"
#include "settings_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tamo::settings_file;
using tamo::config::InvalidUtf8At;

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

constexpr std::string_view NAME = "fuzz.json";

// Valid UTF-8 without a control character: what a terminal may be shown.
bool SafeToPrint(const std::string &text)
{
    if (InvalidUtf8At(text))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (c < 0x20 || c == 0x7F || c1)
            return false;
    }
    return true;
}

bool SameSettings(const SettingsFile &a, const SettingsFile &b)
{
    return a.settings.encoderModes == b.settings.encoderModes
           && a.settings.pulseLengthIndex == b.settings.pulseLengthIndex
           && a.settings.aInputModeIndex == b.settings.aInputModeIndex
           && a.source.serialNumber == b.source.serialNumber
           && a.source.manufacturer == b.source.manufacturer && a.source.product == b.source.product
           && a.source.version == b.source.version;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string error;
    const auto file = ReadSettingsText(text, NAME, error);
    if (!file) {
        FUZZ_CHECK(error.starts_with(std::string(NAME) + ":"));
        FUZZ_CHECK(SafeToPrint(error));
        return 0;
    }
    FUZZ_CHECK(file->settings.complete());
    const std::string written = WriteSettingsText(*file);
    FUZZ_CHECK(!InvalidUtf8At(written));
    std::string again;
    const auto reread = ReadSettingsText(written, NAME, again);
    FUZZ_CHECK(reread && SameSettings(*file, *reread));
    return 0;
}
