#pragma once
// Language-file bytes held in memory, read the way the program reads a file.
#include <string>
#include <utility>
#include <vector>

#include "lang/LangTable.h"
#include "support/FakePlatformFiles.h"

namespace lumetra::test {

using StringReader = StringByteReader;
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
