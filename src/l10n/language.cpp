#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

struct Installed
{
    Language Current = Language::Chinese;
    std::unique_ptr<QTranslator> Translator;   // ours: English
    std::unique_ptr<QTranslator> QtTranslator; // Qt's own texts: Chinese
};

// Installs a translation loaded by load into slot; false when it could not be loaded.
template <typename Load>
bool Install(std::unique_ptr<QTranslator> &slot, Load load)
{
    auto translator = std::make_unique<QTranslator>();
    if (!load(*translator))
        return false;
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
}

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

bool SetLanguage(Language language, QtTexts qtTexts)
{
    Installed &state = State();
    for (std::unique_ptr<QTranslator> *slot : {&state.Translator, &state.QtTranslator}) {
        if (*slot)
            QCoreApplication::removeTranslator(slot->get());
        slot->reset();
    }
    state.Current = language;
    if (language == Language::Chinese && qtTexts == QtTexts::Follow)
        return Install(state.QtTranslator, [](QTranslator &translator) {
            return translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
                                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
    if (language == Language::Chinese)
        return true;
    // Compiled in (src/l10n/CMakeLists.txt); a build without it speaks the source texts.
    Install(state.Translator,
            [](QTranslator &translator) { return translator.load(QStringLiteral(":/i18n/dotrix_en.qm")); });
    return true;
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
