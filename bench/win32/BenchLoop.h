#pragma once
// What the Windows benchmark programs share: the median of their samples,
// handling the window messages queued between two measurements, and the
// links of guides that no one clicks.
#include "win32/Win32.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "common/Links.h"

namespace lumetra::bench {

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

inline void PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// A benchmark's guides open nothing.
class NoLinks final : public ILinks {
public:
    void Open(const std::string& /*target*/) override {}
    void OpenWebPage(WebPage /*page*/) override {}
};

}  // namespace lumetra::bench
