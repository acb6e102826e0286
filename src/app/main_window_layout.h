#pragma once

#include <span>
#include <string_view>

#include "ui/geometry.h"

namespace ostrel::app {

// Where every control of the main window sits: design pixels at UI scale 1 in the 1127 × 740
// window (the window multiplies them by the scale), the class that draws it and the skins it
// loads. The skin generator draws each picture at the size of the controls that use it, so a
// picture stretched over its control stays sharp at scales 1.5 and 2.

inline constexpr int kMainWindowWidth = 1127;
inline constexpr int kMainWindowHeight = 740;

// Header and mouse area.
inline constexpr int kIdDecoration = 3400;  // mouse picture, badges, number chips; never dispatched
inline constexpr int kIdBatteryMark = 3401;
inline constexpr int kIdBatteryMarkText = 3402;
inline constexpr int kIdBatteryPercent = 3405;
inline constexpr int kIdBattery = 3406;
inline constexpr int kIdPowerText = 3407;
inline constexpr int kIdPowerDial = 3500;
inline constexpr int kIdMovementLighting = 3501;
inline constexpr int kIdMotionWakeup = 3504;
inline constexpr int kIdExit = 2001;
inline constexpr int kIdMinimise = 2002;

// Page selectors and commands.
inline constexpr int kIdTabDpi = 3001;
inline constexpr int kIdTabLighting = 3002;
inline constexpr int kIdTabPointer = 3003;
inline constexpr int kIdTabPollingRate = 3004;
inline constexpr int kIdTabLiftOff = 3011;
inline constexpr int kIdTabDebounce = 3012;
inline constexpr int kIdHeadingMouse = 3007;
inline constexpr int kIdHeadingProfiles = 3008;
inline constexpr int kIdHeadingBattery = 3009;
inline constexpr int kIdHeadingFunctions = 3010;
inline constexpr int kIdProfileTabFirst = 2049;  // 2049–2053: profile slots 0–4
inline constexpr int kIdProfileEditName = 2068;
inline constexpr int kIdProfileExport = 2069;
inline constexpr int kIdProfileImport = 2070;
inline constexpr int kIdProfileAdd = 2071;
inline constexpr int kIdProfileCombo = 1124;
inline constexpr int kIdProfileName = 3100;
inline constexpr int kIdProfileListButton = 3502;
inline constexpr int kIdMacroManager = 2062;
inline constexpr int kIdApply = 2047;
inline constexpr int kIdFactoryReset = 2045;
inline constexpr int kIdVersion = 3021;
inline constexpr int kIdShopLink = 3503;

// Button page: nine combos share one id and tell themselves apart by the identifier they send
// as wParam (2013–2019 are buttons 0–6).
inline constexpr int kIdButtonFunction = 1028;
inline constexpr int kButtonFunctionFirst = 2013;
inline constexpr int kButtonFunctionCount = 9;
inline constexpr int kNumberChipTag = 10;  // chip n has the tag 10 + n

// DPI page, level n = 0…7 adds n.
inline constexpr int kDpiLevelCount = 8;
inline constexpr int kIdDpiEnableFirst = 3260;
inline constexpr int kIdDpiColorFirst = 3270;
inline constexpr int kIdDpiSliderFirst = 3280;
inline constexpr int kIdDpiLevelFirst = 3290;
inline constexpr int kIdDpiValueFirst = 3300;

// Lighting page.
inline constexpr int kIdLightingEffect = 1144;
inline constexpr int kIdLightingSlotsLabel = 3161;
inline constexpr int kIdLightingBrightnessLabel = 3162;
inline constexpr int kIdLightingSpeedLabel = 3163;
inline constexpr int kIdLightingDirectionLabel = 3164;
inline constexpr int kIdColorSlotFirst = 3180;  // 3180–3187
inline constexpr int kColorSlotCount = 8;
inline constexpr int kIdSpeedBar = 3190;
inline constexpr int kIdBrightnessBar = 3191;
inline constexpr int kIdLightingSpeed = 3200;
inline constexpr int kIdLightingSpeedText = 3210;
inline constexpr int kIdLightingBrightness = 3220;
inline constexpr int kIdLightingBrightnessText = 3230;
inline constexpr int kIdDirectionUp = 3240;
inline constexpr int kIdDirectionDown = 3250;

// System pointer page.
inline constexpr int kIdSystemMouseSettings = 3330;
inline constexpr int kIdWheelSpeed = 2041;
inline constexpr int kIdPointerSpeed = 2043;
inline constexpr int kIdDoubleClickSpeed = 2044;
inline constexpr int kIdPointerSpeedBar = 3139;
inline constexpr int kIdWheelSpeedBar = 3140;
inline constexpr int kIdDoubleClickBar = 3141;
inline constexpr int kIdPointerSpeedText = 3130;
inline constexpr int kIdWheelSpeedText = 3131;
inline constexpr int kIdDoubleClickText = 3132;
inline constexpr int kIdPointerSpeedLabel = 3133;
inline constexpr int kIdDoubleClickLabel = 3134;
inline constexpr int kIdWheelSpeedLabel = 3135;
inline constexpr int kIdWheelLinesLabel = 3136;
inline constexpr int kIdWheelPagesLabel = 3137;
inline constexpr int kIdWheelModeLabel = 3138;
inline constexpr int kIdAcceleration = 2030;
inline constexpr int kIdWheelLines = 2009;
inline constexpr int kIdWheelPages = 2010;

// Performance page: polling rate, lift-off distance, debounce.
inline constexpr int kIdPollingRateCombo = 1134;
inline constexpr int kIdPollingRateFirst = 3030;  // 3030–3033: 125, 250, 500, 1000 Hz
inline constexpr int kIdPollingMarkFirst = 3142;  // 3142–3145: marks under the chosen rate
inline constexpr int kPollingRateCount = 4;
inline constexpr int kIdLiftOffLow = 3510;
inline constexpr int kIdLiftOffHigh = 3511;
inline constexpr int kIdLiftOffLowText = 3520;
inline constexpr int kIdLiftOffHighText = 3521;
inline constexpr int kIdDebounce = 3530;
inline constexpr int kIdDebounceBar = 3531;
inline constexpr int kIdDebounceText = 3532;

// The drawing classes of the toolkit, by the system's class names.
enum class ControlClass {
    CStaticImage,
    CStaticText,
    CBattery,
    CPowerManageButton,
    CCheckButton,
    CImageButton,
    CTabControl,
    CComboButton,
    CLinkButton,
    CRadioButton,
    CDPIRadioButton,
    CColorSelectButton,
    CColorSelectCheckButton,
    CSliderControl,
    CVerticalSliderControl,
    CDPIValueShowControl,
};

// The frame's seven collections: the header is always shown, each section while its tab is
// checked.
enum class Collection {
    Header = 0,
    DpiPage = 1,
    LightingPage = 2,
    PointerPage = 3,
    PollingRate = 4,
    LiftOff = 5,
    Debounce = 6,
};
inline constexpr int kCollectionCount = 7;

struct ControlPlace {
    int id = 0;
    // Tells apart controls that share an id: the combo identifier 2013–2021 (its wParam), the
    // badge n = 1–9 on the mouse and the number chip 10 + n before combo n, the battery mark
    // 0 (green) to 2 (red); 0 otherwise.
    int tag = 0;
    ControlClass cls = ControlClass::CStaticText;
    Collection collection = Collection::Header;
    ui::Rect rect;
    // Skin files as the system names them, in the order the class loads them (normal, hover,
    // pressed or checked, …; the power dial's eight pictures for 3 to 10 minutes).
    std::span<const std::u16string_view> skins;
    // CSliderControl only: its left and right pad, half the thumb's width, so the thumb centres
    // on each step.
    int sliderPad = 0;
};

// A section's own region: no other section's region meets it, so any two can be open together.
struct SectionPlace {
    int tabId = 0;
    Collection collection = Collection::Header;
    ui::Rect region;
};

// Parts of the window the background draws as areas of the always-shown header.
enum class HeaderArea { TitleBar, Mouse, Functions, Profiles, Battery, CommandBar };

struct HeaderAreaPlace {
    HeaderArea area;
    ui::Rect rect;
};

// Every control of the main window, in the order the window creates them. The profile tabs and
// the add-profile button stand where a fresh installation shows them (slots 0–4 in list order,
// three shown); the view refresh moves them with ProfileTabRect and AddProfileButtonRect.
std::span<const ControlPlace> MainWindowControls();

// The six sections, one per section tab, in tab order (3001–3004, 3011, 3012).
std::span<const SectionPlace> MainWindowSections();

std::span<const HeaderAreaPlace> MainWindowHeaderAreas();

// The first control with this id and tag, or null.
const ControlPlace* FindControlPlace(int id, int tag = 0);

// Profile tabs stand one below the other in show-list order, 25 apart and 21 high from y 480.
inline constexpr int kProfileTabLeft = 24;
inline constexpr int kProfileTabWidth = 224;
inline constexpr int kProfileTabTop = 480;
inline constexpr int kProfileTabPitch = 25;
inline constexpr int kProfileTabHeight = 21;
inline constexpr int kProfileAddDrop = 3;
inline constexpr int kProfileCommandWidth = 70;

// The tab at show-list position `listPosition` (0–4).
ui::Rect ProfileTabRect(int listPosition);
// The add-profile button: where list position max(showCount, 3) would be, 3 lower.
ui::Rect AddProfileButtonRect(int showCount);

}  // namespace ostrel::app
