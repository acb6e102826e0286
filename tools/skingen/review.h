#pragma once

#include <QImage>
#include <vector>

#include "pictures.h"

namespace ostrel::skingen {

// Every picture at scales 1 and 2 beside each other, each under its name and size, on a dark
// checkerboard that shows where a picture is clear.
QImage ContactSheet(const std::vector<Picture>& pictures);

// The main window as its layout places the pictures (normal looks, the first two sections'
// tabs checked), with the rectangles of the texts outlined: for checking the layout by eye.
QImage MainWindowPreview(const std::vector<Picture>& pictures);

}  // namespace ostrel::skingen
