// lumetra-render: draws a look of the proportion guides as SVG.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tools/common/StdPlatformFiles.h"
#include "tools/render/Render.h"

namespace {

// The tool's own path, so English.lng can be found beside it.
std::string ProgramPath(const char* argv0) {
#ifdef _WIN32
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) break;
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
#else
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.string();
#endif
    return argv0 != nullptr ? argv0 : "";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    lumetra::StdPlatformFiles platform(ProgramPath(argc > 0 ? argv[0] : nullptr));
    lumetra::RenderEnvironment env{platform, LUMETRA_FALLBACK_LANG_DIR, std::cout, std::cerr};
    return lumetra::RunRender(args, env);
}
