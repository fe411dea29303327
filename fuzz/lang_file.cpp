// Language files of arbitrary bytes through the entry reader into a table.
// What the format guarantees: every entry's key starts with a letter and
// holds no "=", a CR in a value only comes from a line continuation (CR LF),
// entries never hold more bytes than the file, and the table keeps each key
// once, in first-seen order, with its last value. Read in the file's own
// encoding (a UTF-8 mark, LangCodePage, else a single- or double-byte system
// code page chosen by the last byte), every key and value is valid UTF-8 and
// every key still starts with a letter.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "lang/LangTable.h"
#include "support/FakePlatformFiles.h"
#include "text/Unicode.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool CarriageReturnsAreLineJoints(const std::string& value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && (i + 1 == value.size() || value[i + 1] != '\n')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumetra::test::StringByteReader file(std::string(reinterpret_cast<const char*>(data), size));
    lumetra::LangTable table;
    std::map<std::string, std::string> lastValue;
    std::vector<std::string> firstSeen;
    std::size_t bytesRead = 0;

    std::string key = "stale";
    std::string value = "stale";
    while (lumetra::ReadLangEntry(file, key, value)) {
        FUZZ_CHECK(!key.empty() && IsAsciiLetter(key.front()), "a key does not start with a letter");
        FUZZ_CHECK(key.find('=') == std::string::npos, "a key holds '='");
        FUZZ_CHECK(CarriageReturnsAreLineJoints(value), "a value holds a CR that is no line joint");
        // Each entry costs at least its "=" and the CR that ends it.
        bytesRead += key.size() + value.size() + 2;
        FUZZ_CHECK(bytesRead <= size, "the entries hold more bytes than the file");
        if (lastValue.emplace(key, value).second) {
            firstSeen.push_back(key);
        } else {
            lastValue[key] = value;
        }
        table.Merge(key, value);
    }
    FUZZ_CHECK(key.empty() && value.empty(), "the end of the file leaves a partial entry behind");

    const auto& entries = table.Entries();
    FUZZ_CHECK(entries.size() == firstSeen.size(), "the table does not hold each key once");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i].first == firstSeen[i], "the table lost the order of first appearance");
        FUZZ_CHECK(entries[i].second == lastValue[firstSeen[i]], "a key does not hold its last value");
        FUZZ_CHECK(table.Text(entries[i].first) == entries[i].second, "a key does not look up its value");
    }
    // "=" can never start or be part of a key, so this is never defined.
    FUZZ_CHECK(table.Text("M=") == "M=", "an undefined key does not come back unchanged");

    lumetra::test::FakePlatformFiles platform;
    platform.systemCodePage = size > 0 && (data[size - 1] & 1) != 0 ? platform.kFakeDoubleByte : 1252;
    lumetra::test::StringByteReader again(std::string(reinterpret_cast<const char*>(data), size));
    lumetra::ReadLanguageFile(again, platform, [](std::string decodedKey, std::string decodedValue) {
        FUZZ_CHECK(!decodedKey.empty() && IsAsciiLetter(decodedKey.front()),
                   "a decoded key does not start with a letter");
        FUZZ_CHECK(lumetra::ValidUtf8(decodedKey) == decodedKey, "a decoded key is not UTF-8");
        FUZZ_CHECK(lumetra::ValidUtf8(decodedValue) == decodedValue, "a decoded value is not UTF-8");
    });
    return 0;
}
