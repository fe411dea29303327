#pragma once
// The string table: every text the program shows is looked up here by key.
// Entries keep the order in which their keys were first loaded; loading a
// key again replaces its value. A key nothing defines comes back unchanged.
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/CodePages.h"

namespace lumetra {

class IByteReader;
class SettingsFile;

class LangTable {
public:
    // Replaces the value of an existing key (exact, case-sensitive) or
    // appends a new entry.
    void Merge(std::string key, std::string value);
    // The text for key, or key itself when nothing defines it.
    std::string Text(std::string_view key) const;
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
    // Key -> position in entries_, so a hostile file with very many keys
    // loads in n log n rather than quadratic time.
    std::map<std::string, std::size_t, std::less<>> index_;
};

// Reads the next entry of a language file, as its bytes stand. Both outputs
// are cleared first. False at the end of the file, where a partial entry is
// dropped. A lead byte and the byte after it are one character.
bool ReadLangEntry(IByteReader& file, std::string& key, std::string& value, const LeadBytes& leadBytes = {});

// The entry that names a language file's code page, when it is the first.
inline constexpr std::string_view kLangCodePageKey = "LangCodePage";

// Reads every entry of a language file in the file's own encoding and hands
// each one, as UTF-8, to `entry`: after a UTF-8 byte-order mark the file is
// UTF-8 (its first line an entry like any other); a file whose first entry
// is LangCodePage=N is in code page N when the system can decode it; any
// other file is in the system's code page. The LangCodePage entry itself is
// not handed on.
void ReadLanguageFile(IByteReader& file, const ICodePages& codePages,
                      const std::function<void(std::string key, std::string value)>& entry);

// Merges every entry of an open language file, read by ReadLanguageFile.
void MergeLanguageFile(LangTable& table, IByteReader& file, const ICodePages& codePages);

// Finds Name + ".lng" beside the program, then in the common and the
// per-user data folders, and merges the first one that opens. A name that
// could leave those folders or open a device (see IsSafeLanguageName) is
// not looked for at all.
void LoadLanguage(LangTable& table, const SettingsFile& folders, const std::string& name,
                  const std::string& commonSubPath, const std::string& userSubPath);

// The language every other is laid over: its file holds every text.
inline constexpr const char* kBaseLanguage = "English";

// The program's texts in the language of this name: the base language's
// file, then that language's over it, each found as LoadLanguage finds it
// in the program's own folders. A text the language lacks stays English.
void LoadProgramLanguage(LangTable& table, const SettingsFile& folders, const std::string& name);

// False for names that hold a path delimiter or drive colon, or name a
// reserved device (CON, NUL, COM1 ...): such a Lang value can only
// come from a damaged settings file, and reading a device could hang.
bool IsSafeLanguageName(std::string_view name);

// The process-wide table owned by this unit for the whole run.
LangTable& ProcessLangTable();
std::string LangText(std::string_view key);

}  // namespace lumetra
