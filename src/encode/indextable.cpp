#include "indextable.h"

#include "output/outputdirectory.h"

std::string IndexTableText(const std::string &list)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string text = "unsigned char Index[]={\r\n";
    text.reserve(text.size() + list.size() * 7);
    for (size_t i = 1; i <= list.size(); ++i) {
        const auto byte = static_cast<unsigned char>(list[i - 1]);
        text += "0x";
        text += Hex[byte >> 4];
        text += Hex[byte & 0x0F];
        if (i == list.size()) {
            text += "};";
            break;
        }
        text += ',';
        if (i % 2 == 0)
            text += "  ";
        if (i % 10 == 0)
            text += "\r\n";
    }
    return text;
}

IndexTableResult WriteIndexTable(const std::string &list, OutputDirectory &output, QString *path, Failure *failure)
{
    if (list.empty())
        return IndexTableResult::EmptyList;
    const std::string text = IndexTableText(list);
    if (!output.WriteFile(IndexFileName, text, failure))
        return IndexTableResult::Failed;
    if (path)
        *path = output.FilePath(IndexFileName);
    return IndexTableResult::Written;
}
