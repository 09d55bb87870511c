#include "inknotes.h"

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
    const char *const shown = "dotrixInkNote";
    if (!ink.Outside) {
        if (!bar->currentMessage().isEmpty() && bar->currentMessage() == bar->property(shown).toString())
            bar->clearMessage();
        return;
    }
    InkTally tally;
    tally.Add(character, ink, settings.Width);
    const QString note = Text(tally, settings, false);
    bar->setProperty(shown, note);
    bar->showMessage(note);
}
