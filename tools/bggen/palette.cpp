#include "palette.h"

namespace bggen {

const Palette& palette(Season season) {
    static const Palette kSpring = {
        hex(0x6FA83A),
        hex(0xA8C05A),
        hex(0x4E8A34),
        {hex(0x7DB843), hex(0x93C952), hex(0x5E9E3A), hex(0xA6CF5E)},
        hex(0x2E5A36),
        hex(0x5A4636),
        hex(0x8C8A8E),
        hex(0x7A5C42),
        {hex(0x7CB342), hex(0xF2D633), hex(0x8AB84E), hex(0x7A5A40), hex(0xA9C95C), hex(0x6CA23C)},
        hex(0xF7D7E3),
        hex(0xF2F4F8)};
    static const Palette kSummer = {
        hex(0x4E8F2A),
        hex(0xC9B35E),
        hex(0x2F6420),
        {hex(0x3F7E22), hex(0x4C8C2A), hex(0x2F6A1E), hex(0x5A9A32)},
        hex(0x24492A),
        hex(0x4E3C2E),
        hex(0x8F8A86),
        hex(0x8A6A48),
        {hex(0xE0B84E), hex(0xD8A23C), hex(0xE8CF84), hex(0x3E7A22), hex(0xF2C21A), hex(0x5E9A30)},
        hex(0xFFFFFF),
        hex(0xF2F4F8)};
    static const Palette kAutumn = {
        hex(0x8C9A48),
        hex(0xB99A52),
        hex(0xB8622A),
        {hex(0xD9731E), hex(0xC2401C), hex(0xE6A825), hex(0x9E5A24), hex(0xE88A2A), hex(0x7E8A30)},
        hex(0x27452C),
        hex(0x4A3A30),
        hex(0x8A8480),
        hex(0x6E5038),
        {hex(0x6E5038), hex(0xBFA66E), hex(0x7F8E44), hex(0xCFAE62), hex(0x8A6A46)},
        hex(0xFFFFFF),
        hex(0xF2F4F8)};
    static const Palette kWinter = {hex(0xEEF2F8),
                                    hex(0xDDE4EE),
                                    hex(0x5E5650),
                                    {hex(0x6A5E56), hex(0x7A6E66)},
                                    hex(0x26402E),
                                    hex(0x4A4038),
                                    hex(0x6E6E78),
                                    hex(0x5A4A40),
                                    {hex(0xEEF2F8), hex(0xE4EAF2), hex(0xF4F6FA)},
                                    hex(0xFFFFFF),
                                    hex(0xF4F7FC)};
    switch (season) {
        case Season::kSpring:
            return kSpring;
        case Season::kSummer:
            return kSummer;
        case Season::kAutumn:
            return kAutumn;
        case Season::kWinter:
            return kWinter;
    }
    return kSpring;
}

}  // namespace bggen
