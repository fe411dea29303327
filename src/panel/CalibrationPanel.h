#pragma once
// The calibration group of the panel's Advanced page. It says when the
// monitor measuring the guide has a size that is only assumed, and lets the
// user measure it: the guide laid over a payment card (the ready choice) or
// over anything of a width and height they type, then confirmed. The
// guide's sides in device pixels over those lengths become the monitor's
// calibration.
#include <array>
#include <string>

#include "units/Monitors.h"
#include "units/Units.h"

namespace lumetra {

class LangTable;
class TSettings;

enum class KnownSide { Width, Height };

class ICalibrationView {
public:
    virtual ~ICalibrationView() = default;
    // While open, the group shows in place of the page's other controls.
    virtual void ShowCalibration(bool open) = 0;
    // The note that the monitor's size is not known.
    virtual void ShowSizeUnknown(bool unknown) = 0;
    virtual std::string KnownText(KnownSide side) const = 0;
    virtual void ShowKnown(KnownSide side, const std::string& text) = 0;
};

// The monitor holding the centre of the guide being edited, as the shell
// knows it now.
class IMeasuringMonitor {
public:
    virtual ~IMeasuringMonitor() = default;
    virtual MonitorFacts MeasuringMonitor() const = 0;
};

// Whether the panel offers calibration with a note: the size is assumed
// (no EDID, and the system's size missing or implausible).
bool SizeIsUnknown(const MonitorFacts& facts);

// The unit the known lengths are typed in: the chosen one where it is
// physical, else millimetres.
Unit KnownLengthUnit(std::int32_t units);

class CalibrationController {
public:
    CalibrationController(ICalibrationView& view, const IMeasuringMonitor& monitor, const LangTable& texts)
        : view_(view), monitor_(monitor), texts_(texts) {}

    // Calibrates for this guide from now on; the group closes.
    void Bind(TSettings& settings);
    // The note as the monitor is now, while the group is open.
    void Refresh();

    // Opens the group with the card's sides as the lengths, or closes it
    // and changes nothing.
    void CalibrateClick(char decimalSeparator);
    // The card's sides as the lengths, and the guide sized to what a card
    // measures on this monitor as far as it is known, to be laid over one.
    void CardClick(char decimalSeparator);
    // The guide's sides over the lengths that read become the monitor's
    // calibration, and the group closes; with neither side readable, or a
    // monitor with no identity, nothing changes and the group stays open.
    void ConfirmClick(char decimalSeparator);

    bool Open() const { return open_; }

private:
    void ShowCard(char decimalSeparator);
    // The typed length in nanometres; nothing when it does not read. The
    // card's own text gives the card's exact side.
    std::optional<std::int64_t> KnownNanometres(KnownSide side, char decimalSeparator) const;

    ICalibrationView& view_;
    const IMeasuringMonitor& monitor_;
    const LangTable& texts_;
    TSettings* settings_ = nullptr;
    bool open_ = false;
    // What the card put into the fields, in KnownSide order.
    std::array<std::string, 2> cardTexts_;
};

}  // namespace lumetra
