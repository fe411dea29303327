// EDID blocks of arbitrary bytes, as a monitor or a damaged registry value
// might hand them over: reading never fails badly, a size is kept only when
// it is plausible for the monitor's pixels and says where it came from,
// anything after the base block changes nothing, and the identity made of
// what was read is a safe settings key.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "FuzzCheck.h"
#include "units/Edid.h"
#include "units/Monitors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<lumetra::EdidInfo> info = lumetra::ReadEdid(bytes);
    FUZZ_CHECK(!info || size >= lumetra::kEdidBlockSize, "a short block was read");
    if (!info) return 0;

    const bool kept = info->sizeNote == lumetra::EdidSize::Detailed || info->sizeNote == lumetra::EdidSize::Basic;
    FUZZ_CHECK(info->size.has_value() == kept, "a size without its source, or a source without its size");
    if (info->size) {
        const lumetra::PixelSize pixels = info->nativePixels.value_or(lumetra::PixelSize{});
        FUZZ_CHECK(lumetra::IsPlausibleSize(*info->size, pixels), "an implausible size was kept");
    }
    FUZZ_CHECK(info->identity.manufacturer.size() == 3, "a manufacturer is three letters");

    const std::optional<lumetra::EdidInfo> base = lumetra::ReadEdid(bytes.first(lumetra::kEdidBlockSize));
    FUZZ_CHECK(base && base->identity == info->identity && base->size == info->size, "an extension changed the base");

    const std::string key = lumetra::MonitorIdentity(info->identity, {});
    for (const char c : key) {
        const bool safe =
            (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '&' || c == '_' || c == '.' || c == '-';
        FUZZ_CHECK(safe, "an identity holds a character unsafe in a settings key");
    }
    return 0;
}
