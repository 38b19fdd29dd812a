#pragma once

#include "base/TColor.h"

// The colours of the "XP Style" look of a command bar and its menus. A
// map starts with the style's defaults; a window changes the few it wants.
class TColorMap {
public:
    TColor Color = clr::BtnFace;                        // the bar itself
    TColor FontColor = clr::BtnText;                    // item captions
    TColor MenuColor = clr::Window;                     // drop-down menus
    TColor HighlightColor = TColor::Rgb(239, 237, 222); // the menus' picture column
    TColor UnusedColor = TColor::Rgb(226, 224, 214);    // rarely used menu items
    TColor SelectedColor = TColor::Rgb(193, 210, 238);  // the item under the pointer
    TColor SelectedFontColor = clr::Black;
    TColor FrameColor = TColor::Rgb(49, 106, 197);        // the frame of that item
    TColor BtnSelectedColor = TColor::Rgb(152, 181, 226); // a pressed or checked button
    TColor DisabledFontColor = clr::GrayText;
    TColor SeparatorColor = TColor::Rgb(166, 166, 166);
    TColor ShadowColor = TColor::Rgb(128, 128, 128);
};
