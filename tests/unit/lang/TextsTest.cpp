// The texts' table: a key that stood for two texts would show one of them in
// both places, whatever the language files say.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "lang/Texts.h"
#include "support/LangCatalogue.h"

namespace lumetra::test {
namespace {

struct KeySource {
    const char* name;
    std::function<std::vector<std::string>()> keys;
};

std::vector<std::string> TableKeys() {
    std::vector<std::string> keys;
    for (const TextKey& text : AllTexts()) keys.emplace_back(text.key);
    return keys;
}

std::vector<std::string> CatalogueKeys() {
    std::vector<std::string> keys;
    for (const CatalogueKey& key : LangCatalogue()) keys.push_back(key.key);
    return keys;
}

// Each a place where a repeated key would slip in: a row beside a family's
// member, or a look named by a key the program uses for another text.
const KeySource kSources[] = {
    {"texts and the families' members", TableKeys},
    {"texts and the looks' names", CatalogueKeys},
};

TEST(TextsTable, NamesEveryTextByAKeyOfItsOwn) {
    for (const KeySource& source : kSources) {
        std::set<std::string> seen;
        for (const std::string& key : source.keys()) {
            EXPECT_TRUE(seen.insert(key).second) << source.name << ": " << key << " twice";
            EXPECT_FALSE(key.empty()) << source.name;
        }
    }
}

}  // namespace
}  // namespace lumetra::test
