// Builds one icon file from one or more pixel-art pictures:
//   icongen <output.ico> <picture.txt> [<picture.txt> ...]
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "PixelArt.h"

namespace {

bool ReadFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: icongen <output.ico> <picture.txt>...\n";
        return 2;
    }
    std::vector<lumetra::icongen::Image> images;
    for (int i = 2; i < argc; ++i) {
        std::string text;
        if (!ReadFile(argv[i], text)) {
            std::cerr << argv[i] << ": cannot read\n";
            return 1;
        }
        auto result = lumetra::icongen::ParsePixelArt(text);
        if (!result.image) {
            std::cerr << argv[i] << ": " << result.error << '\n';
            return 1;
        }
        images.push_back(std::move(*result.image));
    }
    const std::vector<std::uint8_t> ico = lumetra::icongen::EncodeIco(images);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
    out.close();
    if (!out) {
        std::cerr << argv[1] << ": cannot write\n";
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
