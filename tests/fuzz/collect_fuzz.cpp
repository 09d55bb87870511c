// Any bytes as a source file of every kind the collector reads, in both encodings: what it finds
// is sorted, once each, no control character, no surrogate; a plain text file gives exactly its
// characters; and the comments option only ever adds characters.
#include "fuzzsupport.h"

#include "charset/collect.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const CollectEncoding encoding : {CollectEncoding::Utf8, CollectEncoding::Cp936}) {
        std::vector<char32_t> text;
        const bool isText = CollectFromBytes(bytes, SourceKind::Text, {encoding, false}, text);
        for (const SourceKind kind : {SourceKind::C, SourceKind::Po, SourceKind::Json, SourceKind::Yaml}) {
            std::vector<char32_t> plain, withComments;
            Require(CollectFromBytes(bytes, kind, {encoding, false}, plain) == isText, "text or not, whatever the kind");
            CollectFromBytes(bytes, kind, {encoding, true}, withComments);
            for (const std::vector<char32_t> *found : {&plain, &withComments}) {
                Require(std::adjacent_find(found->begin(), found->end(), [](char32_t a, char32_t b) { return a >= b; })
                            == found->end(),
                        "in code point order, once each");
                for (char32_t c : *found)
                    Require(c >= 0x20 && c != 0x7F && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF),
                            "no control character, no surrogate");
            }
            Require(std::includes(withComments.begin(), withComments.end(), plain.begin(), plain.end()),
                    "the comments option only adds");
            if (kind != SourceKind::C)
                Require(withComments == plain, "comments count only in C sources");
            // Po, JSON and YAML give characters of the text only, never new ones (their escapes
            // aside, which give what they name: checked as a subset when there are none).
            if (bytes.find('\\') == std::string_view::npos && kind != SourceKind::C)
                Require(std::includes(text.begin(), text.end(), plain.begin(), plain.end()),
                        "no character that is not in the text");
        }
    }
    return 0;
}
