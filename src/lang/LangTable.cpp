#include "lang/LangTable.h"

namespace lumetra {

void LangTable::Merge(std::string key, std::string value) {
    if (const auto found = index_.find(key); found != index_.end()) {
        entries_[found->second].second = std::move(value);
        return;
    }
    index_.emplace(key, entries_.size());
    entries_.emplace_back(std::move(key), std::move(value));
}

std::string LangTable::Text(std::string_view key) const {
    if (const auto found = index_.find(key); found != index_.end()) {
        return entries_[found->second].second;
    }
    return std::string(key);
}

LangTable& ProcessLangTable() {
    static LangTable table;
    return table;
}

std::string LangText(std::string_view key) { return ProcessLangTable().Text(key); }

}  // namespace lumetra
