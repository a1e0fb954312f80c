#pragma once

#include <string_view>

namespace qdx {

// The states a tooth is drawn in; each has its own full-chart picture "<stem>.bmp".
enum class PictureKind : int {
    Sound = 0,    // class 1
    Filling = 1,  // class 2
    Crown = 2,    // class 3
    Missing = 3,  // class 4
    NoInfo = 4,   // class 5
    Exist = 5,    // class 6: present, state unknown
    Select = 6,   // class digit 7 in the entry dialog
    Mismatch = 7, // a tooth that does not agree in a comparison
};

inline constexpr int kPictureKindCount = 8;
// The entry dialog draws kinds 0..6, the search windows 0..7.
inline constexpr int kEntryKindCount = 7;
inline constexpr int kSearchKindCount = 8;

// "sound", "filling", "crown", "missing", "noinfo", "exist", "select", "mismatch".
std::string_view pictureStem(PictureKind kind);
inline constexpr std::string_view kBackgroundStem = "GreyBackground";

// Kind of an effective class 1..6, and of the entry dialog's class digit 7 (Select).
// Anything else gives -1, which draws the tooth empty.
int kindOfClass(int effectiveClass);

} // namespace qdx
