#pragma once
// Pictures leaving the program: a bitmap on the clipboard, a PNG file
// written by the system's imaging component, and the standard save dialog.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "units/Units.h"
#include "win32/Win32.h"

namespace lumetra {

// Rows of `width` pixels, 0xAARRGGBB, top row first.
struct ExportPixels {
    std::span<const std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// A device-independent bitmap, which every program that pastes pictures
// takes; false when the clipboard could not be had.
bool CopyToClipboard(HWND owner, const ExportPixels& picture);

// Writes a PNG with its alpha channel, and with the resolution in its header
// when there is one; false when the file could not be written.
bool SavePng(const std::string& path, const ExportPixels& picture,
             const std::optional<PngResolution>& resolution = std::nullopt);

// One type of file the save dialog offers: "PNG picture" and "png".
struct SaveFileType {
    std::string name;
    std::string extension;
};

struct SaveChoice {
    std::string path;
    std::size_t type = 0;  // index into the types offered
};

// The standard save dialog, starting in `folder` (the last one used, or the
// system's choice when empty) with `fileName` proposed; nothing when the
// user cancels. The type is as ChooseFileType decides.
std::optional<SaveChoice> AskSavePath(HWND owner, const std::string& title, const std::string& folder,
                                      const std::string& fileName, const std::vector<SaveFileType>& types);

// The folder part of a path, with its final backslash.
std::string FolderOf(const std::string& path);

}  // namespace lumetra
