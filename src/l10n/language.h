#pragma once
// The language both programs speak: Chinese, the texts as the code writes them, or English, the
// translation in translations/dotrix_en.ts compiled into the programs. Messages that the core
// libraries return are Chinese and marked QT_TRANSLATE_NOOP("CoreMessage", ...); CoreMessage shows
// them in the language in use.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

enum class Language { Chinese, English };

// "zh" or "en"; nothing for any other code.
std::optional<Language> ParseLanguage(QStringView code);
QString LanguageCode(Language language);

// A Chinese locale (zh_CN, zh_TW, ...; LANGUAGE=zh... counts) speaks Chinese, every other English.
Language LanguageOfLocale(const QLocale &locale = QLocale::system());

// The value of a "--lang CODE" or "--lang=CODE" argument (the program's name first, the options
// ending at "--"), or nothing. The programs set their language from it before they parse the rest,
// so that what the parser says is in that language.
std::optional<QString> LanguageArgument(const QStringList &arguments);

// Installs the English translation or removes it for Chinese; Qt then sends every widget a
// LanguageChange event. Needs a QCoreApplication. The window's Qt texts (file, font and print
// dialogs, message box buttons, decoder and port errors) follow the language; dotrix-cli's stay
// English like its own messages. False when Qt's Chinese texts are not installed
// (qt6-translations-l10n): Qt's dialogs then stay in English.
enum class QtTexts { Follow, English };
bool SetLanguage(Language language, QtTexts qtTexts = QtTexts::Follow);
Language CurrentLanguage();

// A message of the core libraries (its Chinese text) in the language in use.
QString CoreMessage(const char *text);
QString CoreMessage(const QString &text);
