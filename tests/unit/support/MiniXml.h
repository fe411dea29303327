#pragma once
// A small, strict XML reader for tests: it accepts only well-formed
// documents (one root, matching tags, quoted unique attributes, known
// entities, legal characters) and gives the element tree. Enough to check
// what the SVG exporter writes; no DTDs, comments or CDATA.
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::test {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::vector<XmlElement> children;
    std::string text;  // character data directly inside, entities resolved (UTF-8)

    std::string Attr(const std::string& key) const {
        const auto found = attributes.find(key);
        return found == attributes.end() ? std::string() : found->second;
    }

    // Every element below this one (depth first) with the given name.
    void Collect(std::string_view wanted, std::vector<const XmlElement*>& out) const {
        for (const XmlElement& child : children) {
            if (child.name == wanted) out.push_back(&child);
            child.Collect(wanted, out);
        }
    }
    std::vector<const XmlElement*> All(std::string_view wanted) const {
        std::vector<const XmlElement*> out;
        Collect(wanted, out);
        return out;
    }
};

class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MiniXmlParser {
public:
    explicit MiniXmlParser(std::string_view doc) : doc_(doc) {}

    XmlElement ParseDocument() {
        if (Peek("<?xml")) {
            const auto end = doc_.find("?>", pos_);
            if (end == std::string_view::npos) Fail("unterminated XML declaration");
            pos_ = end + 2;
        }
        SkipBlanks();
        XmlElement root = ParseElement();
        SkipBlanks();
        if (pos_ != doc_.size()) Fail("content after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw XmlError(what + " at offset " + std::to_string(pos_));
    }
    bool Peek(std::string_view text) const { return doc_.substr(pos_, text.size()) == text; }
    char Next() {
        if (pos_ >= doc_.size()) Fail("unexpected end");
        return doc_[pos_++];
    }
    void Expect(char c) {
        if (Next() != c) Fail(std::string("expected '") + c + "'");
    }
    void SkipBlanks() {
        while (pos_ < doc_.size() && IsBlank(doc_[pos_])) ++pos_;
    }
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsNameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == ':' || c == '.';
    }

    std::string ParseName() {
        const std::size_t start = pos_;
        while (pos_ < doc_.size() && IsNameChar(doc_[pos_])) ++pos_;
        if (start == pos_) Fail("expected a name");
        const char first = doc_[start];
        if ((first >= '0' && first <= '9') || first == '-' || first == '.') Fail("bad name");
        return std::string(doc_.substr(start, pos_ - start));
    }

    static void AppendUtf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    static bool IsXmlChar(std::uint32_t cp) {
        return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
               (cp >= 0x10000 && cp <= 0x10FFFF);
    }

    // Character data up to the next '<' (or the closing quote of a value).
    std::string ParseChars(char stop) {
        std::string out;
        while (pos_ < doc_.size() && doc_[pos_] != stop) {
            const char c = Next();
            if (c == '<') Fail("'<' in character data");
            if (c != '&') {
                // Bytes of 0x80 and above are UTF-8, which the document declares.
                const auto byte = static_cast<unsigned char>(c);
                if (byte < 0x80 && !IsXmlChar(byte)) Fail("control character");
                out += c;
                continue;
            }
            const auto semi = doc_.find(';', pos_);
            if (semi == std::string_view::npos || semi - pos_ > 10) Fail("bad entity");
            const std::string_view ref = doc_.substr(pos_, semi - pos_);
            pos_ = semi + 1;
            if (ref == "amp")
                out += '&';
            else if (ref == "lt")
                out += '<';
            else if (ref == "gt")
                out += '>';
            else if (ref == "quot")
                out += '"';
            else if (ref == "apos")
                out += '\'';
            else if (ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x';
                const std::string digits(ref.substr(hex ? 2 : 1));
                if (digits.empty() ||
                    digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
                    Fail("bad character reference");
                const auto cp = static_cast<std::uint32_t>(std::stoul(digits, nullptr, hex ? 16 : 10));
                if (!IsXmlChar(cp)) Fail("reference to an illegal character");
                AppendUtf8(out, cp);
            } else {
                Fail("unknown entity");
            }
        }
        return out;
    }

    XmlElement ParseElement() {
        Expect('<');
        XmlElement element;
        element.name = ParseName();
        for (;;) {
            const bool blank = pos_ < doc_.size() && IsBlank(doc_[pos_]);
            SkipBlanks();
            if (Peek("/>")) {
                pos_ += 2;
                return element;
            }
            if (Peek(">")) {
                ++pos_;
                break;
            }
            if (!blank) Fail("attributes need blanks between them");
            const std::string key = ParseName();
            SkipBlanks();
            Expect('=');
            SkipBlanks();
            const char quote = Next();
            if (quote != '"' && quote != '\'') Fail("unquoted attribute value");
            std::string value = ParseChars(quote);
            Expect(quote);
            if (!element.attributes.emplace(key, std::move(value)).second) Fail("duplicate attribute");
        }
        for (;;) {
            element.text += ParseChars('<');
            if (pos_ >= doc_.size()) Fail("unclosed element " + element.name);
            if (Peek("</")) {
                pos_ += 2;
                if (ParseName() != element.name) Fail("mismatched end tag of " + element.name);
                SkipBlanks();
                Expect('>');
                return element;
            }
            if (Peek("<!") || Peek("<?")) Fail("comments and instructions are not expected");
            element.children.push_back(ParseElement());
        }
    }

    std::string_view doc_;
    std::size_t pos_ = 0;
};

inline XmlElement ParseXml(std::string_view doc) { return MiniXmlParser(doc).ParseDocument(); }

}  // namespace lumetra::test
