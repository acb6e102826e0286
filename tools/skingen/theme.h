#pragma once

#include <QColor>
#include <QSize>

namespace ostrel::skingen {

// One dark theme for every picture. Windows are darker than the panels on them; text is drawn by
// the controls themselves (grey, white on hover, yellow pressed), so faces keep it readable in
// all three.
namespace theme {

inline const QColor kWindowTop{38, 40, 45};
inline const QColor kWindowBottom{28, 29, 33};
inline const QColor kTitleBand{23, 24, 27};
inline const QColor kPanelTop{72, 73, 77};
inline const QColor kPanelBottom{64, 65, 69};
inline const QColor kPanelEdge{88, 90, 95};
inline const QColor kPanelShadow{20, 21, 24};
inline const QColor kList{75, 75, 75};

inline const QColor kFaceTop{60, 63, 69};
inline const QColor kFaceBottom{46, 48, 53};
inline const QColor kFaceEdge{96, 99, 106};
inline const QColor kFaceHoverTop{66, 74, 84};
inline const QColor kFaceHoverBottom{52, 58, 67};
inline const QColor kField{28, 30, 34};
inline const QColor kFieldHover{34, 38, 44};
inline const QColor kWell{21, 22, 25};

inline const QColor kAccent{53, 160, 222};
inline const QColor kAccentLight{132, 206, 245};
inline const QColor kAccentDark{28, 92, 134};
inline const QColor kAccentDeep{20, 62, 92};

inline const QColor kText{180, 180, 180};
inline const QColor kTextDim{118, 120, 126};
inline const QColor kWhite{255, 255, 255};
inline const QColor kPressed{255, 255, 0};

inline const QColor kGood{78, 201, 112};
inline const QColor kWarn{240, 160, 48};
inline const QColor kBad{228, 70, 64};
inline const QColor kRecord{226, 58, 58};
inline const QColor kFolder{214, 176, 92};

// The colour palette chart's ground: picking it is ignored, so no offered colour may be it.
inline const QColor kChartGround{0x0F, 0x0F, 0x0F};

}  // namespace theme

// Sizes the system leaves to us, for pictures outside the main window (the main window's come
// from its layout). Each fits the control or row that draws it.
namespace free_size {

// Tree rows are 20 high and the folder is drawn one pixel below the row top.
inline const QSize kFolder{16, 16};
// Action rows are 20 high; the icon sits 3 below the row top in a 15-pixel column.
inline const QSize kActionIcon{12, 14};
// The macro manager's record switch.
inline const QSize kRecordSwitch{96, 26};
// One frame of the scroll bar's arrow strips (three frames side by side: normal, hover,
// pressed); the scroll bar is as wide as one frame.
inline constexpr int kArrowFrame = 14;
inline const QSize kAppIcon{64, 64};
inline const QSize kMacroManagerFrame{760, 520};
inline const QSize kLightingSettingFrame{429, 260};

}  // namespace free_size

// Sizes the dialogs fix.
namespace fixed_size {

inline const QSize kWarningFrame{319, 102};
inline const QSize kSmallDialogFrame{429, 140};  // progress, common, DPI
inline const QSize kPaletteChart{500, 291};
inline const QSize kMainWindow{1127, 740};
// Popups stretch the part (0, 0, 190, 22) of a menu skin over each item.
inline const QSize kMenuItem{190, 22};

}  // namespace fixed_size

}  // namespace ostrel::skingen
