#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::skingen {

enum class Destination {
    Skins,      // the program folder's "skins" (names may hold "mouse/")
    Resources,  // compiled into the program, by the names the resource loader asks for
};

struct Picture {
    std::string name;  // "combo2_nr.png", "mouse/mouse_nr.png", "364.bmp"
    Destination destination = Destination::Skins;
    QImage image;
};

// Every picture of the program: the 106 skin files and the five resources. Returns an empty
// list, with a reason on standard error, when the layout does not give a size the pictures need.
std::vector<Picture> DrawAllPictures();

// The size of the controls that load `skin` (as the system names it, "skins\\combo2_nr.png"),
// from the main window's layout; an invalid size when no control loads it.
QSize ControlSizeOf(std::u16string_view skin);

// The families, each appending its pictures.
void DrawControlPictures(std::vector<Picture>& out);
void DrawMousePictures(std::vector<Picture>& out);
void DrawFramePictures(std::vector<Picture>& out);
void DrawResourcePictures(std::vector<Picture>& out);

// The size of `skin` from the layout for a family that draws it; a missing or contradictory size
// is noted, and DrawAllPictures then fails.
QSize NeedSize(std::u16string_view skin);

}  // namespace ostrel::skingen
