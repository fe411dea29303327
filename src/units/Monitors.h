#pragma once
// Which monitor measures a guide, what its pixels measure, and the name its
// calibration is kept under.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Types.h"
#include "units/Calibration.h"
#include "units/Edid.h"
#include "units/Units.h"

namespace lumetra {

// The monitor that holds `point` (right and bottom edges excluded), else the
// one nearest to it, the first of equals; nothing for no monitors. A guide
// is measured with the monitor holding its measured area's centre.
std::optional<std::size_t> MonitorAt(std::span<const Rect> monitors, Point point);

// The key a monitor's calibration is stored under, the same after a restart
// and, where the monitor says who it is, on any port or computer:
//   "DEL2005-S2C8FJ8255K5E"  manufacturer, product code in hex, and the serial
//                            number descriptor ("-S") or else the serial number
//                            in hex ("-N"), or neither when the monitor gives none;
//   "PATH-DEL2005-5&1A2B3C&0&UID4353"  without a readable EDID, the hardware
//                            and instance parts of the monitor's device interface
//                            path, which last across restarts but not a move
//                            to another port.
// Capital letters, digits and "&_.-" only, so that the key is safe in the
// settings file and matches whatever letter case the system reports;
// empty when there is nothing to go by.
std::string MonitorIdentity(const std::optional<EdidIdentity>& edid, std::string_view interfacePath);

// Where a monitor's size came from, best first. The panel offers
// calibration for a monitor whose size is only assumed.
enum class SizeSource { Calibrated, Edid, System, Assumed };

struct MonitorFacts {
    PixelSize pixels;  // the monitor's whole area in device pixels now
    std::int32_t dpi = kDefaultDpi;
    std::optional<MillimetreSize> edidSize;    // as ReadEdid kept it
    std::optional<MillimetreSize> systemSize;  // what the system reports
    Calibration calibration;
    std::string identity;  // as MonitorIdentity gives it; empty: none
};

struct MonitorDensity {
    PixelDensity width;
    PixelDensity height;
    SizeSource source = SizeSource::Assumed;
    friend bool operator==(const MonitorDensity&, const MonitorDensity&) = default;
};

// Calibration first (a side not measured takes the measured one's density,
// pixels being square), then the EDID's size, then the system's when it is
// plausible, else the monitor's dpi pixels to the inch.
MonitorDensity DensityOf(const MonitorFacts& facts);

// Which monitor the shell asked about: the system's name for its display,
// where it lies and its dpi. A monitor whose area or dpi changed is asked
// again.
struct MonitorKey {
    std::string device;
    Rect area;
    std::int32_t dpi = kDefaultDpi;
    friend bool operator==(const MonitorKey&, const MonitorKey&) = default;
};

// What the shell learnt of the monitors (the system's size, the EDID and the
// identity are costly to ask for), kept until the displays change.
class MonitorFactsCache {
public:
    static constexpr std::size_t kMostMonitors = 16;

    // Nothing for a monitor not asked about since the last Forget.
    const MonitorFacts* Find(const MonitorKey& key) const;
    // Replaces what was kept for the key; past kMostMonitors the one kept
    // longest goes.
    const MonitorFacts& Remember(MonitorKey key, MonitorFacts facts);
    // After a change of the displays or their dpi: every monitor is asked again.
    void Forget() { entries_.clear(); }

private:
    std::vector<std::pair<MonitorKey, MonitorFacts>> entries_;
};

}  // namespace lumetra
