#include "lang/Texts.h"

#include <algorithm>

namespace lumetra {

std::vector<TextKey> AllTexts() {
    // The members' keys are made here, so they live as long as the program.
    static const std::vector<std::string> kMembers = [] {
        std::vector<std::string> keys;
        for (const TextFamily& family : {texts::MSRat, texts::MSOr, texts::MSA, texts::MSUnit, texts::MUnitSymbol}) {
            for (int i = 0; i < family.count; ++i) keys.push_back(family.Key(i));
        }
        return keys;
    }();
    std::vector<TextKey> all{
#define TEXT_ROW(name, args) texts::name,
#include "lang/Texts.inc"
#undef TEXT_ROW
    };
    for (const std::string& key : kMembers) {
        const bool withValue = std::ranges::any_of(texts::kRatioNamesWithValue,
                                                   [&key](int ratio) { return key == texts::MSRat.Key(ratio); });
        all.push_back({key, withValue ? "r" : ""});
    }
    return all;
}

}  // namespace lumetra
