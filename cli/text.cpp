// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include "bytes_as_hex.h"

#include <cstdio>

namespace tamo::cli {

namespace {

// Days since 1970-01-01 to a civil date (Howard Hinnant's algorithm): no gmtime, which
// differs between the C libraries.
void CivilFromDays(std::int64_t days, int &year, unsigned &month, unsigned &day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

std::string UtcTimestamp(std::int64_t unixMs, bool withMilliseconds)
{
    std::int64_t seconds = unixMs >= 0 ? unixMs / 1000 : (unixMs - 999) / 1000;
    const auto millis = static_cast<int>(unixMs - seconds * 1000);
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const auto secondOfDay = static_cast<int>(seconds - days * 86400);
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, year, month, day);
    char text[96];
    if (withMilliseconds)
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", year, month, day,
                      secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60, millis);
    else
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", year, month, day,
                      secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    return device::HexBytes(bytes);
}

std::string CsvField(std::string_view utf8)
{
    // OWASP's advice on CSV injection: these lead a formula (or hide one behind blanks).
    constexpr std::string_view formulaStart = "=+-@\t\r";
    std::string out = "\"";
    if (!utf8.empty() && formulaStart.find(utf8.front()) != formulaStart.npos)
        out.push_back('\'');
    for (const char c : Escaped(utf8)) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

} // namespace tamo::cli
