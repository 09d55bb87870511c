#include "language.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

namespace {

struct Installed
{
    Language Current = Language::Chinese;
    std::unique_ptr<QTranslator> Translator;
};

Installed &State()
{
    static Installed state;
    return state;
}

} // namespace

std::optional<Language> ParseLanguage(QStringView code)
{
    if (code == u"zh")
        return Language::Chinese;
    if (code == u"en")
        return Language::English;
    return std::nullopt;
}

QString LanguageCode(Language language)
{
    return language == Language::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

Language LanguageOfLocale(const QLocale &locale)
{
    return locale.language() == QLocale::Chinese ? Language::Chinese : Language::English;
}

std::optional<QString> LanguageArgument(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--"))
            break;
        if (arg == option)
            return arguments.value(i + 1);
        if (arg.startsWith(option + QLatin1Char('=')))
            return arg.mid(option.size() + 1);
    }
    return std::nullopt;
}

void SetLanguage(Language language)
{
    Installed &state = State();
    if (state.Translator) {
        QCoreApplication::removeTranslator(state.Translator.get());
        state.Translator.reset();
    }
    state.Current = language;
    if (language == Language::Chinese)
        return;
    auto translator = std::make_unique<QTranslator>();
    // Compiled in by qt_add_translations; a build without it speaks the source texts.
    if (translator->load(QStringLiteral(":/i18n/dotrix_en.qm"))) {
        QCoreApplication::installTranslator(translator.get());
        state.Translator = std::move(translator);
    }
}

Language CurrentLanguage()
{
    return State().Current;
}

QString CoreMessage(const char *text)
{
    return QCoreApplication::translate("CoreMessage", text);
}

QString CoreMessage(const QString &text)
{
    return CoreMessage(text.toUtf8().constData());
}
