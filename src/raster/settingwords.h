#pragma once
// The program's modes as types, and the one table of the words users type and
// read for them: dotrix-cli's option values and help, the window's remembered
// settings, and the command line an exported font records in its header all
// take their words from here.

#include "charset/charsetfile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The order in which a glyph's dots are read into values.
enum class ScanOrder {
  Horizontal, // row by row, each value a run of dots along the row
  Vertical,   // column by column in 8-dot-high bands, each value a run down the
              // column
  ZN,         // 8-dot bands like Vertical, one 8x8 block after another
};

// How a glyph's values are laid out as source text.
enum class SourceFormat {
  Typical,  // the plain list of values
  CArray,   // a C array
  AsmTable, // assembler DB lines
};

// What a batch makes besides the glyph files and All.c.
enum class DataFile {
  None, // All.c only
  Dat,  // and font.dat, offered to be saved as .dat
  Bin,  // and font.dat, offered to be saved as .bin
};

// The font file formats of the font export.
enum class ExportFormat {
  Lvgl, // LVGL's C font (lv_font_fmt_txt_dsc_t)
  Bdf,  // BDF 2.1, the bitmap font of X11, FreeType and u8g2's bdfconv
  Ubin, // the Unicode-keyed font file for firmware (docs/font-format.md)
  Vlw,  // the smooth font of TFT_eSPI, LovyanGFX and M5GFX: 8-bit coverage
};

// How far each glyph of a font export moves the pen.
enum class AdvanceMode {
  Font, // the font's own advance for the character at that size
  Cell, // the whole cell, every glyph: a monospaced grid
  Half, // single-byte characters half the cell, double-byte the whole cell
};

template <class Mode> using ModeWord = std::pair<Mode, const char *>;

// Each mode's words, in the mode's order. DataFile::None has no word: it is the
// absence of
// --data.
template <class Mode> struct ModeWords;
template <> struct ModeWords<ScanOrder> {
  static constexpr std::array<ModeWord<ScanOrder>, 3> Table = {
      {{ScanOrder::Horizontal, "h"},
       {ScanOrder::Vertical, "v"},
       {ScanOrder::ZN, "zn"}}};
  static constexpr int Count = 3;
};
template <> struct ModeWords<SourceFormat> {
  static constexpr std::array<ModeWord<SourceFormat>, 3> Table = {
      {{SourceFormat::Typical, "typical"},
       {SourceFormat::CArray, "c"},
       {SourceFormat::AsmTable, "asm"}}};
  static constexpr int Count = 3;
};
template <> struct ModeWords<DataFile> {
  static constexpr std::array<ModeWord<DataFile>, 2> Table = {
      {{DataFile::Dat, "dat"}, {DataFile::Bin, "bin"}}};
  static constexpr int Count = 3; // None as well
};
template <> struct ModeWords<ExportFormat> {
  static constexpr std::array<ModeWord<ExportFormat>, 4> Table = {
      {{ExportFormat::Lvgl, "lvgl"},
       {ExportFormat::Bdf, "bdf"},
       {ExportFormat::Ubin, "ubin"},
       {ExportFormat::Vlw, "vlw"}}};
  static constexpr int Count = 4;
};
template <> struct ModeWords<AdvanceMode> {
  static constexpr std::array<ModeWord<AdvanceMode>, 3> Table = {
      {{AdvanceMode::Font, "font"},
       {AdvanceMode::Cell, "cell"},
       {AdvanceMode::Half, "half"}}};
  static constexpr int Count = 3;
};
template <> struct ModeWords<CharacterSet> {
  static constexpr std::array<ModeWord<CharacterSet>, 2> Table = {
      {{CharacterSet::GB2312, "gb2312"}, {CharacterSet::GBK, "gbk"}}};
  static constexpr int Count = 2;
};

// The mode a word names, or nothing.
template <class Mode> std::optional<Mode> ModeOfWord(std::string_view word) {
  for (const auto &[mode, text] : ModeWords<Mode>::Table)
    if (word == text)
      return mode;
  return std::nullopt;
}

// The word of a mode; "" for a mode without one.
template <class Mode> const char *WordOfMode(Mode mode) {
  for (const auto &[value, text] : ModeWords<Mode>::Table)
    if (value == mode)
      return text;
  return "";
}

// Every word of a mode joined by separator: "h|v|zn", "h, v, zn".
template <class Mode>
std::string ModeWordList(std::string_view separator = "|") {
  std::string list;
  for (const auto &[mode, text] : ModeWords<Mode>::Table)
    list += (list.empty() ? "" : std::string(separator)) + text;
  return list;
}

// The mode at a position of its order (a combo box's item, a choice's index),
// or nothing when the position is outside it.
template <class Mode> std::optional<Mode> ModeAt(int position) {
  if (position < 0 || position >= ModeWords<Mode>::Count)
    return std::nullopt;
  return Mode(position);
}
