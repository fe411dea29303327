#pragma once
// Language-file bytes held in memory, read the way the program reads a file.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lang/LangTable.h"
#include "settings/SettingsFile.h"

namespace lumetra::test {

class StringReader : public IByteReader {
public:
    explicit StringReader(std::string bytes) : bytes_(std::move(bytes)) {}

    bool ReadByte(std::uint8_t& byte) override {
        if (pos_ >= bytes_.size()) {
            return false;
        }
        byte = static_cast<std::uint8_t>(bytes_[pos_++]);
        return true;
    }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

using LangEntries = std::vector<std::pair<std::string, std::string>>;

// Every entry ReadLangEntry delivers, in file order.
inline LangEntries ReadAllEntries(std::string bytes) {
    StringReader file(std::move(bytes));
    LangEntries entries;
    std::string key;
    std::string value;
    while (ReadLangEntry(file, key, value)) {
        entries.emplace_back(key, value);
    }
    return entries;
}

}  // namespace lumetra::test
