#include "text/CodePages.h"
#include "text/Unicode.h"

namespace lumetra {

std::string Utf8FromCodePage(const ICodePages& codePages, unsigned codePage, std::string_view bytes) {
    if (codePage == kUtf8CodePage) return ValidUtf8(bytes);
    return Utf8FromUtf16(codePages.DecodeCodePage(codePage, bytes));
}

}  // namespace lumetra
