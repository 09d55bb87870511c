#pragma once
// Unique glyph names: a base followed by the first number from a start number upward for which no
// bitmap file base + number + ".bmp" exists in the output directory.

#include <QString>

#include <set>
#include <string>
#include <unordered_map>

// What a run of MakeUniqueName calls has learned: for each base, a number below which every name
// was found taken (or handed out) during this run. Keep one per command or batch run and drop it
// afterwards, so files that appear or vanish between runs are seen afresh.
class UniqueNameCache
{
public:
    int KnownTakenBelow(const std::string &base) const;
    void Learn(const std::string &base, int takenBelow);

    // Bitmap files (bare names) the run will delete before it writes: they count as free.
    std::set<QString> Vanishing;

private:
    std::unordered_map<std::string, int> m_takenBelow;
};

// base + decimal number (code page 936 bytes), the first number from start upward whose bitmap
// file does not exist in directory. With a cache, numbers this run already found taken are not
// probed again; the returned number itself is probed again next time, so a name handed out but
// never written is handed out again, exactly as probing from the start would.
// With reserve, the returned name counts as taken for the rest of the run even before its file
// exists: a run that names all its glyphs first and writes them afterwards gets the same names.
std::string MakeUniqueName(const std::string &base, int start, const QString &directory,
                           UniqueNameCache *cache = nullptr, bool reserve = false);
