#include "framework/graphics/FontSet.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace dsp {

namespace {

constexpr const char* kDefaultFamily = "DejaVu Sans";
constexpr const char* kChineseFamily = "Noto Sans CJK SC";

struct Substitution {
    std::string_view face;  // lower case
    const char* family;
};

// The one table that maps the face names of the system's forms and widgets to installed fonts.
constexpr std::array<Substitution, 30> kSubstitutions = {{
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"arial narrow", "Liberation Sans Narrow"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"tahoma", "DejaVu Sans"},
    {"ms sans serif", "DejaVu Sans"},
    {"microsoft sans serif", "DejaVu Sans"},
    {"ms shell dlg", "DejaVu Sans"},
    {"ms shell dlg 2", "DejaVu Sans"},
    {"verdana", "DejaVu Sans"},
    {"segoe ui", "DejaVu Sans"},
    {"system", "DejaVu Sans"},
    {"ms serif", "DejaVu Serif"},
    {"fixedsys", "DejaVu Sans Mono"},
    {"terminal", "DejaVu Sans Mono"},
    {"\xe5\xae\x8b\xe4\xbd\x93", kChineseFamily},  // SimSun in Chinese
    {"simsun", kChineseFamily},
    {"\xe6\x96\xb0\xe5\xae\x8b\xe4\xbd\x93", kChineseFamily},  // NSimSun in Chinese
    {"nsimsun", kChineseFamily},
    {"\xe9\xbb\x91\xe4\xbd\x93", kChineseFamily},  // SimHei in Chinese
    {"simhei", kChineseFamily},
    {"\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91", kChineseFamily},  // Microsoft YaHei
    {"microsoft yahei", kChineseFamily},
    {"\xe6\xa5\xb7\xe4\xbd\x93", kChineseFamily},  // KaiTi in Chinese
    {"kaiti", kChineseFamily},
    {"fangsong", kChineseFamily},
    {"dialog", "DejaVu Sans"},
}};

// Families that are installed and may be asked for by their own names.
constexpr std::array<const char*, 10> kInstalledFamilies = {
    "DejaVu Sans",      "DejaVu Sans Mono",       "DejaVu Serif",
    "Liberation Sans",  "Liberation Sans Narrow", "Liberation Serif",
    "Liberation Mono",  "Noto Sans CJK SC",       "Noto Serif CJK SC",
    "Noto Sans CJK TC",
};

std::string Lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Only these files of the Debian packages fonts-liberation, fonts-dejavu-core and
// fonts-noto-cjk are seen; whatever else a machine has installed is left out.
constexpr const char* kFontConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <dir>/usr/share/fonts/opentype/noto</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <selectfont>
    <acceptfont>
      <glob>/usr/share/fonts/truetype/liberation/Liberation*.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf</glob>
      <glob>/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf</glob>
      <glob>/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc</glob>
      <glob>/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc</glob>
      <glob>/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc</glob>
      <glob>/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc</glob>
    </acceptfont>
    <rejectfont>
      <glob>*</glob>
    </rejectfont>
  </selectfont>
  <alias binding="same"><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="same"><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias binding="same"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <match target="pattern">
    <edit name="family" mode="append_last">
      <string>DejaVu Sans</string>
      <string>Noto Sans CJK SC</string>
    </edit>
  </match>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcdnone</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
  <config><rescan><int>0</int></rescan></config>
</fontconfig>
)";

}  // namespace

bool PinFontSet() {
    static const bool pinned = [] {
        FcConfig* config = FcConfigCreate();
        if (config == nullptr) return false;
        const auto* xml = reinterpret_cast<const FcChar8*>(kFontConfiguration);
        if (!FcConfigParseAndLoadFromMemory(config, xml, FcTrue) || !FcConfigBuildFonts(config)) {
            FcConfigDestroy(config);
            return false;
        }
        // The current configuration holds its own reference from here on.
        const bool ok = FcConfigSetCurrent(config) == FcTrue;
        FcConfigDestroy(config);
        return ok;
    }();
    return pinned;
}

std::string SubstituteFontFamily(const std::string& faceName) {
    const std::string key = Lower(Trim(faceName));
    for (const Substitution& s : kSubstitutions)
        if (s.face == key) return s.family;
    for (const char* family : kInstalledFamilies)
        if (Lower(family) == key) return family;
    return kDefaultFamily;
}

bool IsFontFamilyInstalled(const std::string& faceName) {
    const std::string key = Lower(Trim(faceName));
    for (const Substitution& s : kSubstitutions)
        if (s.face == key) return true;
    for (const char* family : kInstalledFamilies)
        if (Lower(family) == key) return true;
    return false;
}

std::string ChineseFontFamily() { return kChineseFamily; }

}  // namespace dsp
