#include "units/Edid.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "settings/CaseName.h"
#include "units/Monitors.h"

namespace lumetra::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A block of the collection in tests/unit/units/edid/, as hex bytes.
Bytes RealBlock(const std::string& file) {
    std::ifstream in(std::string(LUMETRA_SOURCE_DIR) + "/tests/unit/units/edid/" + file);
    Bytes bytes;
    std::string hex;
    while (in >> hex) bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
    return bytes;
}

struct RealCase {
    const char* name;
    const char* file;
    EdidIdentity identity;
    std::optional<MillimetreSize> size;
    EdidSize note;
    PixelSize native;
    const char* key;  // MonitorIdentity
};

class RealEdid : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealEdid, GivesWhoAndHowLarge) {
    const RealCase& c = GetParam();
    const Bytes bytes = RealBlock(c.file);
    ASSERT_GE(bytes.size(), kEdidBlockSize);
    const std::optional<EdidInfo> info = ReadEdid(bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->identity, c.identity);
    EXPECT_EQ(info->size, c.size);
    EXPECT_EQ(info->sizeNote, c.note);
    EXPECT_EQ(info->nativePixels, c.native);
    EXPECT_EQ(MonitorIdentity(info->identity, "\\\\?\\DISPLAY#XXX0000#1&2&0&UID1#{e6f07b5f}"), c.key);
}

INSTANTIATE_TEST_SUITE_P(Values, RealEdid,
                         ::testing::Values(RealCase{"DesktopMonitor",
                                                    "dell-d1918h.hex",
                                                    {"DEL", 0x2005, 0x01010101, "2C8FJ8255K5E", "D1918H"},
                                                    MillimetreSize{410, 230},
                                                    EdidSize::Detailed,
                                                    {1366, 768},
                                                    "DEL2005-S2C8FJ8255K5E"},
                                           RealCase{"LaptopPanelMorePrecise",
                                                    "lgd-lp133wh2.hex",
                                                    {"LGD", 0x0217, 0, "", ""},
                                                    MillimetreSize{293, 165},
                                                    EdidSize::Detailed,
                                                    {1366, 768},
                                                    "LGD0217"},
                                           RealCase{"TelevisionWritesItsRatio",
                                                    "samsung-tv.hex",
                                                    {"SAM", 0x08FC, 0, "", "SAMSUNG"},
                                                    std::nullopt,
                                                    EdidSize::AspectOnly,
                                                    {1366, 768},
                                                    "SAM08FC"},
                                           RealCase{"ProjectorWithoutSize",
                                                    "optoma-1080p.hex",
                                                    {"OTM", 0x0027, 0x00000603, "Q72J6301539", "Optoma 1080P"},
                                                    std::nullopt,
                                                    EdidSize::NotGiven,
                                                    {1920, 1080},
                                                    "OTM0027-SQ72J6301539"}),
                         CaseName<RealCase>);

// The desktop monitor's block changed: sizes in bytes 21-22 (cm) and the
// first timing's bytes 66-68 (mm), with the checksum made good again unless
// the case damages it.
struct DamageCase {
    const char* name;
    std::function<void(Bytes&)> damage;
    bool fixChecksum;
    bool readable;
    std::optional<MillimetreSize> size;
    EdidSize note;
};

void SetCentimetres(Bytes& b, std::uint8_t w, std::uint8_t h) {
    b[21] = w;
    b[22] = h;
}

void SetMillimetres(Bytes& b, int w, int h) {
    b[66] = static_cast<std::uint8_t>(w & 0xFF);
    b[67] = static_cast<std::uint8_t>(h & 0xFF);
    b[68] = static_cast<std::uint8_t>(((w >> 8) << 4) | (h >> 8));
}

class DamagedEdid : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedEdid, KeepsOnlyATrustworthySize) {
    const DamageCase& c = GetParam();
    Bytes bytes = RealBlock("dell-d1918h.hex");
    c.damage(bytes);
    if (c.fixChecksum && bytes.size() >= kEdidBlockSize) {
        bytes[127] = 0;
        bytes[127] = static_cast<std::uint8_t>(256 - std::accumulate(bytes.begin(), bytes.begin() + 127, 0u) % 256);
    }
    const std::optional<EdidInfo> info = ReadEdid(bytes);
    ASSERT_EQ(info.has_value(), c.readable);
    if (!info) return;
    EXPECT_EQ(info->identity.manufacturer, "DEL");
    EXPECT_EQ(info->size, c.size);
    EXPECT_EQ(info->sizeNote, c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DamagedEdid,
    ::testing::Values(
        DamageCase{"CutShort", [](Bytes& b) { b.resize(127); }, false, false, std::nullopt, EdidSize::NotGiven},
        DamageCase{"NoHeader", [](Bytes& b) { b[1] = 0; }, true, false, std::nullopt, EdidSize::NotGiven},
        DamageCase{"BadChecksum", [](Bytes& b) { b[127] ^= 1; }, false, true, std::nullopt, EdidSize::BadChecksum},
        DamageCase{"TimingAlone", [](Bytes& b) { SetCentimetres(b, 0, 0); }, true, true, MillimetreSize{410, 230},
                   EdidSize::Detailed},
        DamageCase{"CentimetresAlone", [](Bytes& b) { SetMillimetres(b, 0, 0); }, true, true, MillimetreSize{410, 230},
                   EdidSize::Basic},
        DamageCase{"AspectRatioOfVersion14", [](Bytes& b) { SetCentimetres(b, 79, 0), SetMillimetres(b, 0, 0); }, true,
                   true, std::nullopt, EdidSize::NotGiven},
        DamageCase{"ProjectorStyleCentimetres", [](Bytes& b) { SetCentimetres(b, 160, 90), SetMillimetres(b, 0, 0); },
                   true, true, std::nullopt, EdidSize::AspectOnly},
        DamageCase{"LyingCentimetresTimingTrue", [](Bytes& b) { SetCentimetres(b, 160, 90); }, true, true,
                   MillimetreSize{410, 230}, EdidSize::Detailed},
        DamageCase{"LyingTimingCentimetresTrue", [](Bytes& b) { SetMillimetres(b, 1600, 1000); }, true, true,
                   MillimetreSize{410, 230}, EdidSize::Basic},
        DamageCase{"Disagreeing", [](Bytes& b) { SetMillimetres(b, 430, 242); }, true, true, std::nullopt,
                   EdidSize::Inconsistent},
        DamageCase{"TooSmall", [](Bytes& b) { SetCentimetres(b, 3, 2), SetMillimetres(b, 0, 0); }, true, true,
                   std::nullopt, EdidSize::Implausible},
        DamageCase{"NotThePixelsShape", [](Bytes& b) { SetCentimetres(b, 23, 41), SetMillimetres(b, 0, 0); }, true,
                   true, std::nullopt, EdidSize::Implausible},
        DamageCase{"TooFewPixelsPerMillimetre", [](Bytes& b) { SetMillimetres(b, 4000, 2250); }, true, true,
                   MillimetreSize{410, 230}, EdidSize::Basic}),
    CaseName<DamageCase>);

}  // namespace
}  // namespace lumetra::test
