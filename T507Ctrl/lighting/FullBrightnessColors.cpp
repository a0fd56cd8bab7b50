#include "lighting/FullBrightnessColors.h"

#include "link/DebugTrace.h"
#include "link/HandleConfig.h"

#include <cwctype>

namespace {

constexpr size_t kValueCapacity = 16;
constexpr wchar_t kRedKey[] = L"maxR";
constexpr wchar_t kGreenKey[] = L"maxG";
constexpr wchar_t kBlueKey[] = L"maxB";

std::wstring Decimal(uint8_t value)
{
    return std::to_wstring(static_cast<unsigned>(value));
}

}  // namespace

uint32_t TracedFullValueColor(ChannelBytes color)
{
    HsvColor hsv;
    const uint32_t word = FullValueColor(color, &hsv);
    DEBUG_TRACE(L"H:%f,S:%f,V:%f\r\n", hsv.hue, hsv.saturation, hsv.value);
    return word;
}

std::wstring FullBrightnessColors::SectionName(uint8_t location)
{
    return L"hanlde_" + std::to_wstring(static_cast<int>(location));
}

uint8_t FullBrightnessColors::ParseChannel(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    // Unsigned arithmetic wraps where a signed parse would overflow; only the low byte counts.
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) value = value * 10 + (text[i] - L'0');
    if (negative) value = 0u - value;
    return static_cast<uint8_t>(value & 0xFF);
}

ChannelBytes FullBrightnessColors::Read(uint8_t location, const HandleConfig* record)
{
    const std::wstring section = SectionName(location);
    const std::wstring red = settings_.Read(section, kRedKey, L"", kValueCapacity);
    const std::wstring green = settings_.Read(section, kGreenKey, L"", kValueCapacity);
    const std::wstring blue = settings_.Read(section, kBlueKey, L"", kValueCapacity);

    ChannelBytes color{255, 255, 255};
    if (!red.empty() && !green.empty() && !blue.empty()) {
        color = {ParseChannel(red), ParseChannel(green), ParseChannel(blue)};
    } else if (location <= 1 && record != nullptr) {
        const ChannelBytes recorded{record->red, record->green, record->blue};
        color = record->brightness == 255 ? recorded : ColorWordBytes(TracedFullValueColor(recorded));
        Write(location, color);
    }
    DEBUG_TRACE(L"ReadMaxRGBSettings,location:%u,r:%u,g:%u,B:%u\r\n", unsigned{location}, unsigned{color.red},
                unsigned{color.green}, unsigned{color.blue});
    return color;
}

void FullBrightnessColors::Write(uint8_t location, ChannelBytes color)
{
    const std::wstring section = SectionName(location);
    settings_.Write(section, kRedKey, Decimal(color.red));
    settings_.Write(section, kGreenKey, Decimal(color.green));
    settings_.Write(section, kBlueKey, Decimal(color.blue));
    DEBUG_TRACE(L"WriteMaxRGBSettings,location:%u,r:%u,g:%u,B:%u\r\n", unsigned{location}, unsigned{color.red},
                unsigned{color.green}, unsigned{color.blue});
}
