#include "units/Monitors.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace lumetra {
namespace {

std::int64_t DistanceSquared(const Rect& area, Point p) {
    const auto along = [](std::int64_t v, std::int64_t low, std::int64_t high) -> std::int64_t {
        if (v < low) return low - v;
        if (v >= high) return v - high + 1;  // the last pixel inside is high - 1
        return 0;
    };
    const std::int64_t dx = along(p.x, area.left, area.right);
    const std::int64_t dy = along(p.y, area.top, area.bottom);
    return dx * dx + dy * dy;
}

// Capital letters, digits and "&_.-"; anything else becomes "_".
std::string KeySafe(std::string_view text) {
    std::string out;
    for (const char c : text.substr(0, kLongestIdentityPart)) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80) {
            out += static_cast<char>(std::toupper(byte));
        } else {
            out += c == '&' || c == '.' || c == '-' ? c : '_';
        }
    }
    return out;
}

std::string Hex(std::uint32_t value, int digits) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 15u];
    return text;
}

// "\\?\DISPLAY#DEL2005#5&1a2b3c&0&UID4353#{e6f07b5f-...}": its second and
// third parts, the hardware and instance identifiers.
std::string PathIdentity(std::string_view path) {
    std::array<std::string_view, 4> parts{};
    std::size_t count = 0;
    std::string_view rest = path;
    while (count < parts.size()) {
        const std::size_t hash = rest.find('#');
        parts[count++] = rest.substr(0, hash);
        if (hash == std::string_view::npos) break;
        rest.remove_prefix(hash + 1);
    }
    if (count >= 3 && !parts[1].empty() && !parts[2].empty()) {
        return "PATH-" + KeySafe(parts[1]) + '-' + KeySafe(parts[2]);
    }
    return "PATH-" + KeySafe(path);
}

PixelDensity SideDensity(std::int32_t pixels, std::int32_t millimetres) {
    return {pixels, std::int64_t{millimetres} * kNanometresPerMillimetre};
}

std::optional<MonitorDensity> FromSize(const std::optional<MillimetreSize>& size, const PixelSize& pixels,
                                       SizeSource source) {
    if (!size || !IsPlausibleSize(*size, pixels)) return std::nullopt;
    const MonitorDensity density{SideDensity(pixels.width, size->width), SideDensity(pixels.height, size->height),
                                 source};
    if (!density.width.Valid() || !density.height.Valid()) return std::nullopt;
    return density;
}

}  // namespace

std::optional<std::size_t> MonitorAt(std::span<const Rect> monitors, Point point) {
    std::optional<std::size_t> nearest;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t distance = DistanceSquared(monitors[i], point);
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

std::string MonitorIdentity(const std::optional<EdidIdentity>& edid, std::string_view interfacePath) {
    if (edid) {
        std::string identity = KeySafe(edid->manufacturer) + Hex(edid->product, 4);
        if (!edid->serialText.empty()) {
            identity += "-S" + KeySafe(edid->serialText);
        } else if (edid->serialNumber != 0) {
            identity += "-N" + Hex(edid->serialNumber, 8);
        }
        return identity;
    }
    if (interfacePath.empty()) return {};
    return PathIdentity(interfacePath);
}

MonitorDensity DensityOf(const MonitorFacts& facts) {
    const Calibration& calibration = facts.calibration;
    if (!calibration.Empty()) {
        const PixelDensity width = calibration.width.value_or(*calibration.height);
        const PixelDensity height = calibration.height.value_or(*calibration.width);
        return {width, height, SizeSource::Calibrated};
    }
    if (auto density = FromSize(facts.edidSize, facts.pixels, SizeSource::Edid)) return *density;
    if (auto density = FromSize(facts.systemSize, facts.pixels, SizeSource::System)) return *density;
    const PixelDensity nominal = NominalDensity(facts.dpi);
    return {nominal, nominal, SizeSource::Assumed};
}

const MonitorFacts* MonitorFactsCache::Find(const MonitorKey& key) const {
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    return entry == entries_.end() ? nullptr : &entry->second;
}

const MonitorFacts& MonitorFactsCache::Remember(MonitorKey key, MonitorFacts facts) {
    std::erase_if(entries_, [&](const auto& e) { return e.first == key; });
    if (entries_.size() >= kMostMonitors) entries_.erase(entries_.begin());
    entries_.emplace_back(std::move(key), std::move(facts));
    return entries_.back().second;
}

}  // namespace lumetra
