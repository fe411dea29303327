// The command line from any bytes: split and read into a command without a
// fault, every command holding only what its kind allows, and the splitter
// giving back exactly the words a correctly quoted line was made of.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "app/CommandLine.h"
#include "common/Text.h"

namespace {

using lumetra::LineCommandName;
using lumetra::ParsedLine;

// A word as a line must hold it to be split back into that word: in quotes,
// each quote escaped, the backslashes before a quote or the end doubled.
std::string Quoted(std::string_view word) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
        } else {
            out.append(c == '"' ? backslashes + 1 : 0, '\\');
            backslashes = 0;
        }
        out += c;
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

bool EndsWithPng(std::string_view path) {
    return path.size() > 4 && lumetra::EqualsIgnoringAsciiCase(path.substr(path.size() - 4), ".png");
}

void CheckCommand(const ParsedLine& parsed) {
    if (parsed.kind != ParsedLine::Kind::Command) return;
    const std::string& argument = parsed.command.argument;
    switch (parsed.command.name) {
        case LineCommandName::ClickThrough:
            FUZZ_CHECK(argument == "on" || argument == "off" || argument == "toggle", "a switch that is none");
            break;
        case LineCommandName::Look:
            FUZZ_CHECK(argument == "next" || lumetra::BuiltInLookNumber(argument) ||
                           argument.find_first_not_of("0123456789") != std::string::npos,
                       "a look number beyond the looks");
            break;
        case LineCommandName::Save:
            FUZZ_CHECK(EndsWithPng(argument) && argument.find_first_of("<>\"|?*") == std::string::npos,
                       "a file to save to that no PNG file can be");
            break;
        default: FUZZ_CHECK(argument.empty(), "an argument for a command that takes none");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string folder = in.ConsumeRandomLengthString(64);
    if (in.ConsumeBool()) {
        // Words of any bytes, quoted the documented way, split back.
        std::vector<std::string> words{"Lumetra.exe"};
        std::string line = words.front();
        while (in.remaining_bytes() > 0 && words.size() < 8) {
            std::string word = in.ConsumeRandomLengthString(32);
            std::erase(word, '\0');
            line += (in.ConsumeBool() ? " " : "\t") + Quoted(word);
            words.push_back(std::move(word));
        }
        FUZZ_CHECK(lumetra::SplitCommandLine(line) == words, "quoted words did not split back");
        return 0;
    }
    const std::string line = in.ConsumeRemainingBytesAsString();
    std::vector<std::string> words = lumetra::SplitCommandLine(line);
    FUZZ_CHECK(!words.empty(), "no program name");
    std::size_t length = 0;
    for (const std::string& word : words) length += word.size();
    FUZZ_CHECK(length <= line.size(), "the words hold more than the line");
    words.erase(words.begin());
    const ParsedLine parsed = lumetra::ParseCommandLine(words, folder);
    FUZZ_CHECK(!parsed.quiet || lumetra::EqualsIgnoringAsciiCase(words.front(), "/quiet"), "quiet unasked");
    CheckCommand(parsed);
    return 0;
}
