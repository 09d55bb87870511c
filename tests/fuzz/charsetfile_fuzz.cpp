// Any bytes as a GB2312.txt/GBK.txt character set file. The first byte picks the file: a multiple
// of eight, the rest of the input repeated past the longest line that is read, so that the cut at
// the limit is tried with every alignment of characters (these run slowly: a megabyte each);
// otherwise the rest of the input as it is.
#include "fuzzsupport.h"

#include "charset/charsetfile.h"
#include "charset/cp936.h"

#include <string>
#include <string_view>

namespace {

// The list the file's first line should give: bytes up to and including the first LF, cut at
// the limit after the last character that ends within it when the line goes on past it.
std::string ExpectedList(std::string_view file)
{
    const size_t lineFeed = file.find('\n');
    const std::string_view line = file.substr(0, lineFeed == std::string_view::npos ? file.size() : lineFeed + 1);
    const size_t limit = size_t(MaxCharsetLineBytes);
    if (line.size() <= limit)
        return std::string(line);
    size_t end = 0;
    while (end < line.size()) {
        const size_t len = CharLengthAt(line, end);
        if (end + len > limit)
            break;
        end += len;
    }
    return std::string(line.substr(0, end));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string path = ScratchDir() + "/GBK.txt";
    std::string file(reinterpret_cast<const char *>(data + 1), size - 1);
    if (data[0] % 8 == 0 && !file.empty()) {
        const size_t wanted = size_t(MaxCharsetLineBytes) + (data[0] >> 3) % 4;
        file.reserve(2 * wanted);
        while (file.size() < wanted)
            file.append(file.data(), file.size());
        file.resize(wanted);
    }
    WriteScratchFile(path, reinterpret_cast<const uint8_t *>(file.data()), file.size());

    const CharsetImport import = ImportCharsetFile(QString::fromStdString(path));
    Require(import.Ok, "a readable file is imported");
    Require(import.Text == ExpectedList(file), "the list is the first line, cut only between characters");
    Require(import.Count == int(CountChars(import.Text)), "the count is the list's characters");
    return 0;
}
