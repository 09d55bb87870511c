#pragma once
// BdfReaderLimits: what the common BDF readers cannot take, checked glyph by glyph as a BDF font
// is written. FreeType (and through it most programs) refuses a whole font in which one glyph's
// bitmap passes 65535 bytes (rows of whole bytes); u8g2's converter bdfconv codes each glyph in
// runs of ink and clear dots and refuses one that takes 255 bytes or more, and overruns its
// memory on a glyph of more than 1023 ink runs.

#include "exportglyph.h"

#include <QString>

class BdfReaderLimits
{
public:
    void Check(const ExportGlyph &glyph);
    // Which readers will not take the font written and why; empty when all will.
    QString Note() const;

    // The fewest bytes bdfconv can code the glyph in, over every run field width it chooses
    // between, its box fields as narrow as the glyph allows; the ink runs are counted in inkRuns.
    static int LeastU8g2Bytes(const ExportGlyph &glyph, int *inkRuns = nullptr);

private:
    QString m_freeType;
    QString m_u8g2;
};
