// The failure table: every failure the core reports has a whole sentence in both languages.

#include "l10n/failuretext.h"
#include "l10n/language.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

// Every code, with a path, a reason and details filled in: Chinese and English each give a
// sentence of their own, the English one without Chinese, both naming the same of the path and
// the system's reason.
TEST(FailureText, EveryCodeHasAWholeSentenceInBothLanguages)
{
    const QString path = QStringLiteral("/work/dir/中.c");
    const QString reason = QStringLiteral("Permission denied");
    const QRegularExpression han(QStringLiteral("\\p{Han}"));
    int codes = 0;
    for (int code = 1;; ++code) {
        const Failure failure{FailureCode(code), path, reason, {"17", "v", "1"}};
        SetLanguage(Language::Chinese, QtTexts::English);
        const QString chinese = FailureText(failure);
        SetLanguage(Language::English, QtTexts::English);
        const QString english = FailureText(failure);
        SetLanguage(Language::Chinese, QtTexts::English);
        if (chinese.startsWith(path + QStringLiteral("：未知的错误")))
            break; // past the last code
        ++codes;
        SCOPED_TRACE(code);
        EXPECT_FALSE(chinese.isEmpty());
        EXPECT_NE(chinese, english) << "no English sentence: " << chinese.toStdString();
        EXPECT_FALSE(QString(english).remove(path).contains(han)) << english.toStdString();
        // A sentence that names the path in one language names it in the other.
        EXPECT_EQ(chinese.contains(path), english.contains(path)) << english.toStdString();
        EXPECT_EQ(chinese.contains(reason), english.contains(reason)) << english.toStdString();
    }
    EXPECT_EQ(codes, int(FailureCode::PatchMismatch));
    EXPECT_EQ(FailureText(Failure{}), QString());
}

// The file failures read in English as dotrix-cli has always worded them.
TEST(FailureText, FileFailuresKeepTheirEnglishWording)
{
    SetLanguage(Language::English, QtTexts::English);
    EXPECT_EQ(FailureText({FailureCode::Write, "/w/All.c", "No space left on device", {}}),
              "cannot write /w/All.c: No space left on device");
    EXPECT_EQ(FailureText({FailureCode::NotAFolder, "/w/x", {}, {}}), "/w/x is not a directory");
    EXPECT_EQ(FailureText({FailureCode::ExportBpp, {}, {}, {"3", "lvgl", "1, 2, 4, 8"}}),
              "3 bits per pixel: lvgl files take 1, 2, 4 or 8");
    SetLanguage(Language::Chinese, QtTexts::English);
    EXPECT_EQ(FailureText({FailureCode::Write, "/w/All.c", "No space left on device", {}}),
              "无法写入 /w/All.c：No space left on device");
}
