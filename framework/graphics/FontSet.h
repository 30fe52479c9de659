#pragma once
// The fonts of the project. Every face name a form or widget asks for is drawn with one of
// the families the project installs (Liberation, DejaVu, Noto CJK), and the font configuration
// is pinned to exactly those files, so that text renders the same on every machine.

#include <string>

namespace dsp {

// Restricts the host toolkit's font configuration to the project's font files and fixes
// antialiasing and hinting. Call it once at start-up, before the application object of the
// host toolkit exists; later calls do nothing. False when the configuration could not be
// installed, in which case the machine's own fonts are used.
bool PinFontSet();

// The installed family that draws the given face name ("Arial" -> "Liberation Sans",
// "Tahoma" -> "DejaVu Sans"); unknown names get the default family.
std::string SubstituteFontFamily(const std::string& faceName);

// Whether the project's fonts provide the face: a face of the substitution table or one of the
// installed families themselves.
bool IsFontFamilyInstalled(const std::string& faceName);

// The family that holds the Chinese glyphs; every font falls back to it.
std::string ChineseFontFamily();

}  // namespace dsp
