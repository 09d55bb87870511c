#include "sourcetree.h"

#include "charset/cp936.h"
#include "testutil.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <random>
#include <string>

namespace testutil {

namespace {

std::string U8(char32_t c)
{
    return QString::fromUcs4(&c, 1).toStdString();
}

std::string Hex(unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

class Generator
{
public:
    Generator(unsigned seed, bool cp936) : m_rng(seed), m_cp936(cp936) {}

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    // Characters for the places that are collected, and decoys for the places that are not: two
    // ranges of Chinese characters that do not meet (all in code page 936).
    char32_t Han() { return char32_t(0x4E00 + Pick(0, 0x2100)); }
    char32_t Decoy() { return char32_t(0x7000 + Pick(0, 0x2FA5)); }
    char32_t Letter() { return U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"[Pick(0, 51)]; }
    char32_t Emoji() { return char32_t(0x1F600 + Pick(0, 0x40)); }
    // A character of a value: mostly Chinese, some letters, a space now and then (never first or
    // last: values are trimmed).
    char32_t ValueChar(bool first) { return Pick(0, 9) < 6 ? Han() : (first || Pick(0, 5)) ? Letter() : U' '; }

    // The bytes of a character in the tree's encoding.
    std::string Bytes(char32_t c) const { return m_cp936 ? Utf8ToCp936(U8(c)) : U8(c); }

    std::string Collected(char32_t c)
    {
        tree.Collected.insert(c);
        return U8(c);
    }
    // A value's text with its characters collected; quote and backslash escaped as C, JSON and
    // YAML's double quotes want.
    std::string Value(int most, bool escapeQuotes)
    {
        std::string s;
        const int count = Pick(1, most);
        for (int i = 0; i < count; ++i) {
            char32_t c = ValueChar(i == 0 || i + 1 == count);
            if (escapeQuotes && Pick(0, 15) == 0)
                c = Pick(0, 1) ? U'"' : U'\\';
            if (c == '"' || c == '\\')
                s += '\\';
            s += Collected(c);
        }
        return s;
    }
    std::string DecoyText(int most)
    {
        std::string s;
        for (int i = Pick(1, most); i > 0; --i)
            s += U8(Decoy());
        return s;
    }
    // A comment's text: decoys, with quotes that must not start a literal.
    std::string CommentText()
    {
        std::string s = " " + DecoyText(4) + (Pick(0, 1) ? " it's \"" : " ") + DecoyText(3) + " ";
        for (char c : std::string(" it's\""))
            tree.Comments.insert(char32_t(c));
        DecodeInto(s, tree.Comments);
        return s;
    }
    static void DecodeInto(const std::string &utf8, std::set<char32_t> &into)
    {
        const QString text = QString::fromUtf8(utf8);
        for (char32_t c : text.toUcs4())
            into.insert(c);
    }

    std::string CLiteral()
    {
        switch (Pick(0, 14)) {
        case 0:
        default:
            return "\"" + Value(6, true) + "\"";
        case 1: {
            const char32_t c = Han();
            tree.Collected.insert(c);
            return "\"\\u" + Hex(c, 4) + "\"";
        }
        case 2: {
            const char32_t c = Emoji();
            tree.Collected.insert(c);
            return (Pick(0, 1) ? "U\"\\U" : "\"\\U") + Hex(c, 8) + "\"";
        }
        case 3: { // a character's bytes as \x escapes, split over adjacent literals
            const char32_t c = Han();
            tree.Collected.insert(c);
            const std::string bytes = Bytes(c);
            const size_t split = size_t(Pick(1, int(bytes.size()) - 1));
            std::string s = "\"";
            for (size_t i = 0; i < bytes.size(); ++i)
                s += (i == split ? "\" /*" + CommentText() + "*/ \"" : "") + "\\x" + Hex(static_cast<unsigned char>(bytes[i]), 2);
            return s + "\"";
        }
        case 4: { // octal escapes
            const char32_t c = Han();
            tree.Collected.insert(c);
            std::string s = "\"";
            for (unsigned char b : Bytes(c))
                s += "\\" + std::to_string(b >> 6) + std::to_string((b >> 3) & 7) + std::to_string(b & 7);
            return s + "\"";
        }
        case 5: {
            static const char *const prefixes[] = {"u8", "u", "U", "L"};
            return prefixes[Pick(0, 3)] + ("\"" + Value(5, true) + "\"");
        }
        case 6: {
            const char32_t c = Han();
            tree.Collected.insert(c);
            return "L\"\\x" + Hex(c, 4) + "\"";
        }
        case 7: { // a raw string over two lines, quotes and backslashes as they are
            static const char *const delimiters[] = {"", "x", "end1"};
            const std::string d = delimiters[Pick(0, 2)];
            std::string body = Value(4, false) + Collected('"') + Collected('\\') + "\n" + Value(4, false);
            return (Pick(0, 1) ? "u8R\"" : "R\"") + d + "(" + body + ")" + d + "\"";
        }
        case 8:
            return Pick(0, 1) ? "'" + Collected(Letter()) + "'" : "u'" + Collected(Han()) + "'";
        case 9:
            return "\"\\n\\t\\r\"";
        case 10:
            tree.Collected.insert('\'');
            return "'\\''";
        case 11:
            return "\"" + Value(3, true) + "\" \"" + Value(3, true) + "\"";
        case 12: { // a character past U+FFFF as its two UTF-16 halves, maybe in two literals
            const char32_t c = Emoji();
            tree.Collected.insert(c);
            const unsigned v = unsigned(c) - 0x10000;
            return "u\"\\x" + Hex(0xD800 + (v >> 10), 4) + (Pick(0, 1) ? "\" u\"" : "") + "\\x" + Hex(0xDC00 + (v & 0x3FF), 4) + "\"";
        }
        case 13: // a literal continued on the next line by a backslash at the line's end
            return "\"" + Value(3, true) + "\\\n" + Value(3, true) + "\"";
        case 14: { // joined to a wide literal, a plain one is wide too: its escape is a character
            const char32_t c = Han();
            tree.Collected.insert(c);
            return "L\"" + Value(3, true) + "\" \"\\x" + Hex(c, 4) + "\"";
        }
        }
    }

    std::string CFile()
    {
        std::string s = "#include \"" + Collected('m') + Collected('a') + Collected('.') + Collected('h') + "\"\n";
        s += "#define COUNT 1'000'000 /* " + CommentText() + "*/\n";
        if (Pick(0, 3) == 0) // a delimiter too long for a raw string: no literal, and the file goes on
            s += "const char *bad = R\"delimiter_too_long(" + DecoyText(3) + ")delimiter_too_long\";\n";
        for (int i = Pick(3, 25); i > 0; --i) {
            switch (Pick(0, 4)) {
            case 0:
                s += "//" + CommentText() + "\n";
                break;
            case 1: // a backslash at a line's end joins the lines: it is no text of the comment
                s += "/*" + CommentText() + (Pick(0, 1) ? "\\" : "") + "\n *" + CommentText() + "*/\n";
                tree.Comments.insert(U'*');
                break;
            default:
                s += "static const char *text_" + std::to_string(i) + " = " + CLiteral() + "; // " + CommentText() + "\n";
            }
        }
        s += "int digits = 0x1F + 1'024;\n#warning " + DecoyText(2) + "'s " + DecoyText(2) + "\n"; // no literal
        return s;
    }

    std::string PoFile()
    {
        std::string s = "# " + DecoyText(3) + "\nmsgid \"\"\nmsgstr \"\"\n\"Last-Translator: " + DecoyText(2) + "\\n\"\n\n";
        for (int i = Pick(1, 8); i > 0; --i) {
            s += "#: " + DecoyText(2) + "\nmsgctxt \"" + DecoyText(2) + "\"\nmsgid \"" + DecoyText(4) + "\"\n";
            if (Pick(0, 2) == 0) {
                s += "msgid_plural \"" + DecoyText(3) + "\"\n\"" + DecoyText(2) + "\"\n";
                s += "msgstr[0] \"" + Value(5, true) + "\"\nmsgstr[1] \"" + Value(5, true) + "\"\n\n";
            } else {
                // continued on the next line, or by a second string on the same line
                s += "msgstr \"" + Value(5, true) + (Pick(0, 1) ? "\"\n\"" : "\" \"") + Value(5, true) + "\\n\"\n\n";
            }
        }
        return s;
    }

    std::string JsonValue(int depth)
    {
        switch (depth > 2 ? Pick(0, 2) : Pick(0, 5)) {
        case 0:
            return "\"" + Value(6, true) + "\"";
        case 1: {
            const char32_t c = Han(), e = Emoji();
            tree.Collected.insert(c);
            tree.Collected.insert(e);
            const unsigned v = unsigned(e) - 0x10000;
            return "\"\\u" + Hex(c, 4) + " " + Collected(' ') + "\\u" + Hex(0xD800 + (v >> 10), 4) + "\\u"
                   + Hex(0xDC00 + (v & 0x3FF), 4) + "\"";
        }
        case 2:
            return Pick(0, 1) ? "12.5e3" : "true";
        case 3:
            return "[" + JsonValue(depth + 1) + ", " + JsonValue(depth + 1) + "]";
        default:
            return JsonObject(depth + 1);
        }
    }
    std::string JsonObject(int depth)
    {
        std::string s = "{";
        for (int i = Pick(1, 4); i > 0; --i)
            s += (Pick(0, 5) ? "" : "\n  // \"" + DecoyText(2) + "\" " + DecoyText(2)) // a comment, as .json files may have
                 + "\n  \"" + DecoyText(3) + "\": " + JsonValue(depth) + (i > 1 ? "," : "");
        return s + "\n}";
    }

    std::string YamlFile()
    {
        std::string s = "# " + DecoyText(3) + "\n---\n";
        for (int i = Pick(2, 10); i > 0; --i) {
            const std::string key = DecoyText(2);
            switch (Pick(0, 6)) {
            case 0:
                s += key + ": " + Value(6, false) + "  # " + DecoyText(2) + "\n";
                break;
            case 5: // a flow collection: quoted entries keep their commas, keys and comments do not count
                s += key + ": [" + Value(4, false) + ", \"" + Value(3, true) + Collected(',') + Value(3, true) + "\", {"
                     + DecoyText(2) + ": " + Value(4, false) + "}]  # " + DecoyText(2) + "\n";
                break;
            case 6: { // a block scalar under a sequence entry's key ends at the entry's next key;
                      // YAML's escapes: \x has two digits, \_ is a no-break space
                const char32_t letter = Letter();
                tree.Collected.insert({letter, U'\u00A0'});
                s += key + ":\n  - " + DecoyText(1) + ": |\n      " + Value(5, false) + "\n    " + DecoyText(1) + ": \"\\x"
                     + Hex(letter, 2) + Value(3, true) + "\\_\"\n";
                break;
            }
            case 1: { // double-quoted, maybe over two lines (the line break folds into a space)
                std::string value = Value(6, true);
                if (Pick(0, 2) == 0)
                    value += "\n    " + Value(4, true) + Collected(' ').substr(1);
                s += key + ": \"" + value + "\"\n";
                break;
            }
            case 2:
                s += key + ": '" + Value(3, false) + Collected('\'') + "'" + Value(3, false) + "'\n";
                break;
            case 3:
                s += key + ":\n  - " + Value(5, false) + "\n  - " + DecoyText(1) + ": " + Value(5, false) + "\n";
                break;
            default:
                s += key + ": |\n  " + Value(6, false) + "\n  " + Value(6, false) + "\n";
            }
        }
        return s;
    }

    std::string TextFile()
    {
        std::string s;
        for (int line = Pick(1, 6); line > 0; --line) {
            for (int i = Pick(0, 20); i > 0; --i)
                s += Collected(Pick(0, 1) ? Han() : Pick(0, 3) ? Letter() : U' ');
            if (!m_cp936 && Pick(0, 5) == 0)
                s += Collected(Emoji());
            s += "\n";
        }
        return s;
    }

    void Write(const QString &path, const std::string &utf8, bool raw = false)
    {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(WriteFileBytes(path, raw || !m_cp936 ? utf8 : Utf8ToCp936(utf8))) << path;
    }

    SourceTree tree;

private:
    std::mt19937 m_rng;
    bool m_cp936;
};

} // namespace

SourceTree WriteSourceTree(const QString &root, unsigned seed, int files, bool cp936)
{
    Generator g(seed, cp936);
    static const char *const folders[] = {"", "src/", "src/ui/", "lang/", "config/", "docs/"};
    static const char *const cSuffixes[] = {".c", ".h", ".cpp", ".hpp", ".cc", ".cxx", ".hh", ".ino", ".C"};
    for (int i = 0; i < files; ++i) {
        const QString name = root + QLatin1Char('/') + QLatin1String(folders[g.Pick(0, 5)]) + QStringLiteral("f%1").arg(i);
        switch (g.Pick(0, 5)) {
        case 0:
        case 1:
            g.Write(name + QLatin1String(cSuffixes[g.Pick(0, 8)]), g.CFile());
            break;
        case 2:
            g.Write(name + (g.Pick(0, 1) ? QLatin1String(".po") : QLatin1String(".pot")), g.PoFile());
            break;
        case 3:
            g.Write(name + QLatin1String(".json"), g.JsonObject(0) + "\n");
            break;
        case 4:
            g.Write(name + (g.Pick(0, 1) ? QLatin1String(".yaml") : QLatin1String(".yml")), g.YamlFile());
            break;
        default:
            g.Write(name + (g.Pick(0, 1) ? QLatin1String(".txt") : QLatin1String("")), g.TextFile());
        }
        ++g.tree.Files;
    }
    // What is skipped: binary files, files that are no text, build and version-control folders.
    const std::string decoyC = "const char *s = \"" + g.DecoyText(5) + "\";\n";
    g.Write(root + QLatin1String("/res/logo.bin"), g.DecoyText(3) + std::string(1, '\0') + g.DecoyText(3), true);
    g.Write(root + QLatin1String("/src/legacy.c"), decoyC + "\xFF\xFF", true);
    QFile::link(QStringLiteral("user@host.1234"), root + QLatin1String("/src/.#f0.c")); // an editor's lock: a link to nothing
    g.tree.Binary = 1;
    g.tree.NotText = 1;
    for (const char *folder : {"/build/", "/.git/", "/src/cmake-build-debug/", "/node_modules/x/"}) {
        g.Write(root + QLatin1String(folder) + QLatin1String("gen.c"), decoyC);
        ++g.tree.Folders;
    }
    return g.tree;
}

} // namespace testutil
