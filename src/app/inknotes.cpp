#include "inknotes.h"

#include "failuretexts.h"

#include "l10n/language.h"

#include <QStatusBar>

QString InkNotes::Text(const InkTally &ink, const GlyphSettings &settings, bool moved)
{
    QStringList notes;
    if (moved)
        notes.append(CoreMessage(InkPlacedMessage).arg(settings.OffsetX).arg(settings.OffsetY));
    const QString loss = InkLossNote(ink, settings, [](const char *text) { return CoreMessage(text); });
    if (!loss.isEmpty())
        notes.append(loss);
    return notes.join(QStringLiteral("; "));
}

void InkNotes::ShowAfterRender(QStatusBar *bar, const std::string &character, const GlyphInk &ink,
                               const GlyphSettings &settings)
{
    // Shown until the next message, a glyph cut off is not news that may pass unseen; a glyph
    // that fits takes the note of the last one back.
    // A face that is not installed (one remembered from another machine, say) is named with it.
    const char *const shown = "dotrixInkNote";
    QString note;
    if (ink.Outside) {
        InkTally tally;
        tally.Add(character, ink, settings.Width);
        note = Text(tally, settings, false);
    }
    if (const QString missing = MissingFontNote(settings.GlyphFont); !missing.isEmpty())
        note = note.isEmpty() ? missing.mid(1) : note + missing; // the note's leading '；' joins two
    if (note.isEmpty()) {
        if (!bar->currentMessage().isEmpty() && bar->currentMessage() == bar->property(shown).toString())
            bar->clearMessage();
        return;
    }
    bar->setProperty(shown, note);
    bar->showMessage(note);
}
