#include "depfile.h"

#include "output/atomicfile.h"

namespace {

void AppendEscaped(std::string &text, const QString &path)
{
    for (const char c : path.toUtf8()) {
        if (c == ' ' || c == '\t' || c == '#')
            text += '\\';
        else if (c == '$')
            text += '$';
        text += c;
    }
}

} // namespace

std::optional<std::string> DepfileText(const QString &target, const QStringList &inputs, QString *offending)
{
    const auto breaksLine = [](const QString &path) {
        return path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'));
    };
    std::string text;
    if (breaksLine(target)) {
        *offending = target;
        return std::nullopt;
    }
    AppendEscaped(text, target);
    text += ':';
    for (const QString &input : inputs) {
        if (breaksLine(input)) {
            *offending = input;
            return std::nullopt;
        }
        text += " \\\n  ";
        AppendEscaped(text, input);
    }
    text += '\n';
    return text;
}

Failure WriteDepfile(const QString &path, const std::string &text)
{
    AtomicFile file(path);
    if (!file.Open() || !file.Write(text) || !file.Commit())
        return file.Error();
    return {};
}
