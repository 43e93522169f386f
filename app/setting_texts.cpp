// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_texts.h"

#include "device_texts.h"

#include <QCoreApplication>
#include <array>
#include <string_view>

namespace tamo::app {

namespace {

class SettingTexts {
    Q_DECLARE_TR_FUNCTIONS(SettingTexts)
};

constexpr std::array<const char *, 4> kEncoderModes = {
    //: An encoder list's item: the pair of inputs works as two plain buttons.
    QT_TRANSLATE_NOOP("SettingTexts", "off"),
    //: An encoder list's item: one button pulse per detent of the encoder (a ratio; keep it
    //: as it is unless your language writes ratios otherwise).
    QT_TRANSLATE_NOOP("SettingTexts", "1:1"),
    //: An encoder list's item: one pulse every second detent (a ratio).
    QT_TRANSLATE_NOOP("SettingTexts", "1:2"),
    //: An encoder list's item: one pulse every fourth detent (a ratio).
    QT_TRANSLATE_NOOP("SettingTexts", "1:4"),
};

constexpr std::array<const char *, 5> kAInputModes = {
    //: A mode of the analogue "A" input: the board finds out what is wired to it.
    QT_TRANSLATE_NOOP("SettingTexts", "Auto"),
    QT_TRANSLATE_NOOP("SettingTexts", "Potentiometer"),
    //: A mode of the "A" input: a rotary switch whose every position sends one pulse.
    QT_TRANSLATE_NOOP("SettingTexts", "Rotary Switch, Pulsed"),
    //: A mode of the "A" input: a rotary switch whose position is held as a pressed button.
    QT_TRANSLATE_NOOP("SettingTexts", "Rotary Switch, Latched"),
    //: A mode of the "A" input: it acts as button number 21.
    QT_TRANSLATE_NOOP("SettingTexts", "Button 21"),
};

// The source texts are the board's names, item for item.
template<std::size_t N, std::size_t M>
constexpr bool SameItems(const std::array<const char *, N> &ours,
                         const std::array<std::string_view, M> &board)
{
    if (N != M)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (std::string_view(ours[i]) != board[i])
            return false;
    return true;
}
static_assert(SameItems(kEncoderModes, config::ENCODER_MODE_ITEMS));
static_assert(SameItems(kAInputModes, config::A_INPUT_MODE_ITEMS));

template<std::size_t N>
QString Item(const std::array<const char *, N> &items, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return {};
    return SettingTexts::tr(items[static_cast<std::size_t>(index)]);
}

} // namespace

QString EncoderModeText(int index)
{
    return Item(kEncoderModes, index);
}

QString AInputModeText(int index)
{
    return Item(kAInputModes, index);
}

} // namespace tamo::app
