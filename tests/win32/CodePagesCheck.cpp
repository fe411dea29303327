// The language-file reader on the system's own decoder, run under Wine by
// the end-to-end tests (and on Windows by hand): the same texts in code
// pages 1250, 1251, 1252, 932 and 936, each declared by LangCodePage, give
// the entries Unicode has for them. Prints each row that fails; exit code 0
// when none does.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "lang/LangTable.h"
#include "settings/win32/PlatformFiles.h"
#include "support/FakePlatformFiles.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

struct Row {
    const char* what;
    std::string file;
    Entries expected;  // UTF-8
};

std::string Shown(const Entries& entries) {
    std::string out;
    for (const auto& [key, value] : entries) out += "[" + key + "=" + value + "]";
    return out;
}

}  // namespace

int main() {
    const std::vector<Row> rows = {
        {"1252: letters, the euro sign, a dash and an unassigned byte",
         "LangCodePage=1252\r\nA=caf\xE9 \x80 \x96 \x81\r\n",
         {{"A", "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93 \xC2\x81"}}},
        {"1250: Polish",
         "LangCodePage=1250\r\nA=Zab\xB3\xEA"
         "dy \x9C\xB9\r\n",
         {{"A",
           "Zab\xC5\x82\xC4\x99"
           "dy \xC5\x9B\xC4\x85"}}},
        {"1251: Russian",
         "LangCodePage=1251\r\nA=\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\r\n",
         {{"A", "\xD0\x9D\xD0\xB0\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB9\xD0\xBA\xD0\xB8"}}},
        {"932: a trail byte 0x5C at a line end is no continuation",
         "LangCodePage=932\r\nA=\x95\x5C\r\nB=\x93\xFA\x96\x7B\x8C\xEA\r\n",
         {{"A", "\xE8\xA1\xA8"}, {"B", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"}}},
        {"932: a trail byte 0x5C before a letter", "LangCodePage=932\r\nA=\x83\x5Cn\r\n", {{"A", "\xE3\x82\xBDn"}}},
        {"936: Chinese, a trail byte 0x5C and the euro sign",
         "LangCodePage=936\r\nA=\xD6\xD0\xCE\xC4 \x81\x5C\r\nB=\x80\r\n",
         {{"A", "\xE4\xB8\xAD\xE6\x96\x87 \xE4\xB9\x97"}, {"B", "\xE2\x82\xAC"}}},
        {"a code page the system lacks falls back to the system's: ASCII reads the same",
         "LangCodePage=4242\r\nA=plain\r\n",
         {{"A", "plain"}}},
    };
    lumetra::Win32PlatformFiles platform;
    int failed = 0;
    for (const Row& row : rows) {
        lumetra::test::StringByteReader file(row.file);
        Entries got;
        lumetra::ReadLanguageFile(file, platform, [&](std::string key, std::string value) {
            got.emplace_back(std::move(key), std::move(value));
        });
        if (got != row.expected) {
            std::printf("FAILED %s: got %s, expected %s\n", row.what, Shown(got).c_str(), Shown(row.expected).c_str());
            ++failed;
        }
    }
    // The lead bytes the core splits characters by, as the system reports them.
    struct Lead {
        unsigned codePage;
        unsigned byte;
        bool lead;
    };
    for (const Lead& lead : {Lead{932, 0x81, true}, Lead{932, 0xA0, false}, Lead{932, 0xE0, true},
                             Lead{936, 0x81, true}, Lead{936, 0x80, false}, Lead{1252, 0x81, false}}) {
        const auto leadBytes = platform.CodePageLeadBytes(lead.codePage);
        if (!leadBytes || (*leadBytes)[lead.byte] != lead.lead) {
            std::printf("FAILED lead byte 0x%X of code page %u\n", lead.byte, lead.codePage);
            ++failed;
        }
    }
    std::printf("system code page %u\n%d failed\n", platform.SystemCodePage(), failed);
    return failed == 0 ? 0 : 1;
}
