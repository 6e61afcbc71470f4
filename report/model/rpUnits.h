#pragma once

#include <QtGlobal>

// Units of the report model.
//
// Lengths are held as double. The engine's figures are given to at most 17 significant
// digits (26.45669291338583, 3.77953) and only ever multiplied by one of the constants below
// and rounded to whole pixels, which double carries without loss; double is also what Qt
// reads and writes with a shortest round-trip text form, so a template written and read
// back holds bit-identical values on every compiler (long double is 80-bit on GCC/x86 but
// plain double on MSVC, which would make stored values depend on the build).

// Object geometry is in report pixels (1/96 inch); paper and margins in millimetres.
// The constants are stored values, not derived from one another: 3.77953 is used exactly.
inline constexpr double rp01cm = 3.77953; // report pixels per millimetre
inline constexpr double rp1cm = 37.7953; // report pixels per centimetre
inline constexpr double rp01in = 9.6; // report pixels per tenth of an inch
inline constexpr int rp1in = 96; // report pixels per inch

// "No colour": the fill and colour value that draws nothing.
inline constexpr quint32 clTransparent = 0x1FFFFFFF;
inline constexpr quint32 clBlack = 0x00000000;

// Character set given to new fonts, and the ones the templates name.
inline constexpr int rpCharset = 1;
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int RUSSIAN_CHARSET = 204;

// The one rounding of the engine wherever a length becomes whole: to nearest, ties to even
// (0.5 gives 0, 1.5 and 2.5 give 2). Written out rather than left to the floating-point
// environment, which a printer driver or plug-in may have changed.
long long rpRound(double value);

// A paper dimension as the page stores it: rounded to 8 decimals, ties to even.
double rpRoundTo8(double value);
