#include "app/SingleInstance.h"

#include <cstdint>

#include "app/Startup.h"

namespace lumetra {

std::string InstanceKey(std::string_view settingsFilePath) {
    // FNV-1a over the path as Windows compares it: a fixed-length name
    // whatever the path holds.
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const char c : settingsFilePath) {
        char folded = c == '/' ? '\\' : c;
        if (folded >= 'a' && folded <= 'z') folded = static_cast<char>(folded - 'a' + 'A');
        hash ^= static_cast<unsigned char>(folded);
        hash *= 0x100000001B3u;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string key = "VelmoraLumetra-";
    for (int shift = 60; shift >= 0; shift -= 4) key += kDigits[(hash >> shift) & 0xFu];
    return key;
}

std::optional<ProgramCommand> HandOverCommand(std::uintptr_t request) {
    switch (static_cast<HandOverRequest>(request)) {
        case HandOverRequest::Present: return ProgramCommand::Present;
        case HandOverRequest::Close: return ProgramCommand::Exit;
    }
    return std::nullopt;
}

StartAction DecideStart(InstanceLock lock, const std::vector<std::string>& arguments) {
    if (lock == InstanceLock::Created || lock == InstanceLock::Failed) return StartAction::RunAlone;
    return StartedForRestart(arguments) ? StartAction::EndQuietly : StartAction::HandOver;
}

}  // namespace lumetra
