#include "app/main_window_layout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace ostrel::app {

namespace {

using ui::Rect;
using Skins = std::span<const std::u16string_view>;

// Skins, as the system names them, by the controls that share them.
constexpr std::u16string_view kMouseSkins[] = {u"skins\\mouse\\mouse_nr.png"};
constexpr std::u16string_view kBadgeSkins[][1] = {
    {u"skins\\mouse\\serial_number1.png"}, {u"skins\\mouse\\serial_number2.png"},
    {u"skins\\mouse\\serial_number3.png"}, {u"skins\\mouse\\serial_number4.png"},
    {u"skins\\mouse\\serial_number5.png"}, {u"skins\\mouse\\serial_number6.png"},
    {u"skins\\mouse\\serial_number7.png"}, {u"skins\\mouse\\serial_number8.png"},
    {u"skins\\mouse\\serial_number9.png"}};
constexpr std::u16string_view kChipSkins[][1] = {
    {u"skins\\mouse\\number1.png"}, {u"skins\\mouse\\number2.png"}, {u"skins\\mouse\\number3.png"},
    {u"skins\\mouse\\number4.png"}, {u"skins\\mouse\\number5.png"}, {u"skins\\mouse\\number6.png"},
    {u"skins\\mouse\\number7.png"}, {u"skins\\mouse\\number8.png"}, {u"skins\\mouse\\number9.png"}};
constexpr std::u16string_view kBatterySkins[] = {
    u"skins\\battery_full.png", u"skins\\battery_empty.png", u"skins\\battery_charging.png",
    u"skins\\battery_lighting.png"};
constexpr std::u16string_view kBatteryMarkSkins[][1] = {
    {u"skins\\battery_green.png"}, {u"skins\\battery_orange.png"}, {u"skins\\battery_red.png"}};
constexpr std::u16string_view kPowerDialSkins[] = {
    u"skins\\power_manage_3min.png", u"skins\\power_manage_4min.png",
    u"skins\\power_manage_5min.png", u"skins\\power_manage_6min.png",
    u"skins\\power_manage_7min.png", u"skins\\power_manage_8min.png",
    u"skins\\power_manage_9min.png", u"skins\\power_manage_10min.png"};
constexpr std::u16string_view kCheckSkins[] = {u"skins\\check_nr.png", u"skins\\check_ov.png",
                                               u"skins\\check_dn.png"};
constexpr std::u16string_view kExitSkins[] = {u"skins\\exit_nr.png", u"skins\\exit_ov.png"};
constexpr std::u16string_view kMinimiseSkins[] = {u"skins\\min_nr.png", u"skins\\min_ov.png"};
// A section tab shows its hover picture while checked too.
constexpr std::u16string_view kSectionTabSkins[] = {
    u"skins\\header_nr.png", u"skins\\header_ov.png", u"skins\\header_ov.png"};
constexpr std::u16string_view kHeadingSkins[] = {u"skins\\header2_nr.png", u"skins\\header2_ov.png",
                                                 u"skins\\header2_ov.png"};
// Normal, hover, selected, selected under the mouse.
constexpr std::u16string_view kProfileTabSkins[] = {
    u"skins\\profile_slot_nr.png", u"skins\\profile_slot_ov.png", u"skins\\profile_slot_nr2.png",
    u"skins\\profile_slot_ov2.png"};
constexpr std::u16string_view kAddSkins[] = {u"skins\\add_nr.png", u"skins\\add_ov.png"};
constexpr std::u16string_view kCombo2Skins[] = {u"skins\\combo2_nr.png", u"skins\\combo2_ov.png"};
constexpr std::u16string_view kCombo3Skins[] = {u"skins\\combo3_nr.png", u"skins\\combo3_ov.png"};
constexpr std::u16string_view kButton1Skins[] = {u"skins\\button1_nr.png",
                                                 u"skins\\button1_ov.png"};
constexpr std::u16string_view kButton2Skins[] = {u"skins\\button2_nr.png",
                                                 u"skins\\button2_ov.png"};
constexpr std::u16string_view kButton4Skins[] = {u"skins\\button4_nr.png",
                                                 u"skins\\button4_nr.png"};
constexpr std::u16string_view kDpiEnableSkins[] = {u"skins\\check_button_dpi_nr.png",
                                                   u"skins\\check_button_dpi_ov.png",
                                                   u"skins\\check_button_dpi_dn.png"};
constexpr std::u16string_view kDpiLevelSkins[] = {u"skins\\dpi_value.png", u"skins\\dpi_value.png",
                                                  u"skins\\dpi_value.png"};
// Background, then the fill taken from its bottom.
constexpr std::u16string_view kGaugeSkins[] = {u"skins\\mouse\\dpi_bar_1.png",
                                               u"skins\\mouse\\dpi_bar_2.png"};
constexpr std::u16string_view kColorSlotSkins[] = {u"skins\\color_select_nr.png",
                                                   u"skins\\color_select_check.png"};
constexpr std::u16string_view kSliderBarSkins[] = {u"skins\\Slider_bar.png"};
constexpr std::u16string_view kSliderBar2Skins[] = {u"skins\\Slider_bar2.png"};
constexpr std::u16string_view kThumbSkins[] = {u"skins\\Slider_Circle.png"};
constexpr std::u16string_view kUpSkins[] = {u"skins\\up_nr.png", u"skins\\up_ov.png",
                                            u"skins\\up_check.png"};
constexpr std::u16string_view kDownSkins[] = {u"skins\\down_nr.png", u"skins\\down_ov.png",
                                              u"skins\\down_check.png"};
constexpr std::u16string_view kRadioSkins[] = {u"skins\\radio_nr.png", u"skins\\radio_ov.png",
                                               u"skins\\radio_dn.png"};
// The rate pictures have no hover look of their own: hover shows the lit one.
constexpr std::u16string_view kPollingSkins[][3] = {
    {u"skins\\125hz_nr.png", u"skins\\125hz_dn.png", u"skins\\125hz_dn.png"},
    {u"skins\\250hz_nr.png", u"skins\\250hz_dn.png", u"skins\\250hz_dn.png"},
    {u"skins\\500hz_nr.png", u"skins\\500hz_dn.png", u"skins\\500hz_dn.png"},
    {u"skins\\1000hz_nr.png", u"skins\\1000hz_dn.png", u"skins\\1000hz_dn.png"}};

// The thumb is 16 × 16: sliders are as high as it and pad half its width on each side.
constexpr int kSliderPad = 8;

// The mouse picture and where its buttons are on it (centres of the 18 × 18 badges): 1 left,
// 2 right, 3 wheel, 4 and 5 the front and rear side buttons, 6 the DPI button, 7 the button
// behind it, 8 and 9 the wheel tilted left and right.
constexpr Rect kMousePicture{36, 90, 236, 430};
constexpr int kBadgeSize = 18;
constexpr ui::Point kBadgeCentres[] = {{48, 80},   {152, 80},  {100, 64}, {16, 150}, {16, 200},
                                       {100, 121}, {100, 153}, {74, 40},  {126, 40}};

// Button function rows: a number chip, then the combo; 36 apart from y 92.
constexpr int kFunctionTop = 92;
constexpr int kFunctionPitch = 36;
constexpr int kChipLeft = 293;
constexpr int kComboLeft = 319;
constexpr int kComboWidth = 160;
constexpr int kComboHeight = 22;

// DPI page: eight columns 72 apart; in each, the level plate, the slider and its read-only twin
// side by side, the enable box and the colour swatch.
constexpr int kDpiFirstCentre = 563;
constexpr int kDpiPitch = 72;

std::vector<ControlPlace> BuildControls() {
    std::vector<ControlPlace> c;
    const auto add = [&c](int id, int tag, ControlClass cls, Collection collection, Rect rect,
                          Skins skins = {}, int sliderPad = 0) {
        c.push_back(ControlPlace{id, tag, cls, collection, rect, skins, sliderPad});
    };
    using enum ControlClass;
    constexpr Collection H = Collection::Header;

    // Title bar: section tabs, the current profile with its list button, minimise and close.
    constexpr int kTabIds[] = {kIdTabDpi,         kIdTabLighting, kIdTabPointer,
                               kIdTabPollingRate, kIdTabLiftOff,  kIdTabDebounce};
    for (int i = 0; i < 6; ++i) {
        add(kTabIds[i], 0, CCheckButton, H, {236 + 112 * i, 10, 344 + 112 * i, 40},
            kSectionTabSkins);
    }
    add(kIdProfileName, 0, CStaticText, H, {910, 15, 994, 35});
    add(kIdProfileListButton, 0, CImageButton, H, {998, 15, 1067, 35}, kButton2Skins);
    add(kIdMinimise, 0, CImageButton, H, {1076, 10, 1091, 25}, kMinimiseSkins);
    add(kIdExit, 0, CImageButton, H, {1100, 10, 1115, 25}, kExitSkins);

    // The mouse with its badges, and the function of each button beside its number.
    add(kIdHeadingMouse, 0, CCheckButton, H, {16, 56, 256, 80}, kHeadingSkins);
    add(kIdHeadingFunctions, 0, CCheckButton, H, {268, 56, 508, 80}, kHeadingSkins);
    add(kIdDecoration, 0, CStaticImage, H, kMousePicture, kMouseSkins);
    for (int n = 0; n < 9; ++n) {
        const int left = kMousePicture.left + kBadgeCentres[n].x - kBadgeSize / 2;
        const int top = kMousePicture.top + kBadgeCentres[n].y - kBadgeSize / 2;
        add(kIdDecoration, n + 1, CStaticImage, H, {left, top, left + kBadgeSize, top + kBadgeSize},
            kBadgeSkins[n]);
    }
    for (int n = 0; n < kButtonFunctionCount; ++n) {
        const int top = kFunctionTop + kFunctionPitch * n;
        add(kIdDecoration, kNumberChipTag + n + 1, CStaticImage, H,
            {kChipLeft, top, kChipLeft + 20, top + 22}, kChipSkins[n]);
        add(kIdButtonFunction, kButtonFunctionFirst + n, CComboButton, H,
            {kComboLeft, top, kComboLeft + kComboWidth, top + kComboHeight}, kCombo2Skins);
    }
    add(kIdMacroManager, 0, CImageButton, H, {319, 414, 469, 442}, kButton1Skins);

    // Profiles.
    add(kIdHeadingProfiles, 0, CCheckButton, H, {16, 452, 256, 476}, kHeadingSkins);
    for (int slot = 0; slot < 5; ++slot) {
        add(kIdProfileTabFirst + slot, 0, CTabControl, H, ProfileTabRect(slot), kProfileTabSkins);
    }
    add(kIdProfileAdd, 0, CImageButton, H, AddProfileButtonRect(3), kAddSkins);
    add(kIdProfileCombo, 0, CComboButton, H, {24, 640, 184, 662}, kCombo2Skins);
    constexpr int kCommandIds[] = {kIdProfileEditName, kIdProfileExport, kIdProfileImport};
    for (int i = 0; i < 3; ++i) {
        const int left = kProfileTabLeft + 77 * i;
        add(kCommandIds[i], 0, CImageButton, H, {left, 670, left + kProfileCommandWidth, 691},
            kAddSkins);
    }

    // Battery and power.
    add(kIdHeadingBattery, 0, CCheckButton, H, {268, 452, 508, 476}, kHeadingSkins);
    add(kIdBattery, 0, CBattery, H, {276, 486, 304, 548}, kBatterySkins);
    add(kIdBatteryPercent, 0, CStaticText, H, {312, 486, 380, 506});
    for (int k = 0; k < 3; ++k) {
        add(kIdBatteryMark, k, CStaticImage, H, {312, 512 + 16 * k, 322, 522 + 16 * k},
            kBatteryMarkSkins[k]);
        add(kIdBatteryMarkText, k, CStaticText, H, {326, 509 + 16 * k, 400, 525 + 16 * k});
    }
    add(kIdPowerDial, 0, CPowerManageButton, H, {276, 564, 416, 640}, kPowerDialSkins);
    add(kIdPowerText, 0, CStaticText, H, {420, 576, 506, 632});
    add(kIdMovementLighting, 0, CCheckButton, H, {276, 648, 496, 668}, kCheckSkins);
    add(kIdMotionWakeup, 0, CCheckButton, H, {276, 672, 496, 692}, kCheckSkins);

    // Command bar.
    add(kIdVersion, 0, CStaticText, H, {528, 704, 700, 724});
    add(kIdShopLink, 0, CLinkButton, H, {704, 704, 880, 724});
    add(kIdFactoryReset, 0, CImageButton, H, {954, 704, 1023, 724}, kButton2Skins);
    add(kIdApply, 0, CImageButton, H, {1032, 704, 1101, 724}, kButton2Skins);

    // DPI page.
    constexpr Collection D = Collection::DpiPage;
    for (int n = 0; n < kDpiLevelCount; ++n) {
        const int cx = kDpiFirstCentre + kDpiPitch * n;
        add(kIdDpiLevelFirst + n, 0, CDPIRadioButton, D, {cx - 30, 66, cx + 30, 84},
            kDpiLevelSkins);
        add(kIdDpiSliderFirst + n, 0, CVerticalSliderControl, D, {cx - 16, 92, cx - 2, 268},
            kGaugeSkins);
        add(kIdDpiValueFirst + n, 0, CDPIValueShowControl, D, {cx + 2, 92, cx + 16, 268},
            kGaugeSkins);
        add(kIdDpiEnableFirst + n, 0, CCheckButton, D, {cx - 9, 276, cx + 9, 294}, kDpiEnableSkins);
        add(kIdDpiColorFirst + n, 0, CColorSelectButton, D, {cx - 15, 302, cx + 15, 322});
    }

    // Lighting page. Speed (effects other than 0, 3 and 6) and brightness (effect 3) have rows
    // of their own, although never both show.
    constexpr Collection L = Collection::LightingPage;
    add(kIdLightingEffect, 0, CComboButton, L, {528, 352, 717, 376}, kCombo3Skins);
    add(kIdLightingSlotsLabel, 0, CStaticText, L, {528, 384, 798, 402});
    for (int i = 0; i < kColorSlotCount; ++i) {
        add(kIdColorSlotFirst + i, 0, CColorSelectCheckButton, L,
            {528 + 34 * i, 406, 556 + 34 * i, 434}, kColorSlotSkins);
    }
    add(kIdLightingSpeedLabel, 0, CStaticText, L, {528, 444, 700, 462});
    add(kIdLightingSpeedText, 0, CStaticText, L, {740, 444, 798, 462});
    add(kIdSpeedBar, 0, CStaticImage, L, {528, 470, 798, 478}, kSliderBarSkins);
    add(kIdLightingSpeed, 0, CSliderControl, L, {528, 466, 798, 482}, kThumbSkins, kSliderPad);
    add(kIdLightingBrightnessLabel, 0, CStaticText, L, {528, 492, 700, 510});
    add(kIdLightingBrightnessText, 0, CStaticText, L, {740, 492, 798, 510});
    add(kIdBrightnessBar, 0, CStaticImage, L, {528, 518, 798, 526}, kSliderBarSkins);
    add(kIdLightingBrightness, 0, CSliderControl, L, {528, 514, 798, 530}, kThumbSkins, kSliderPad);
    add(kIdLightingDirectionLabel, 0, CStaticText, L, {528, 544, 650, 564});
    add(kIdDirectionUp, 0, CRadioButton, L, {660, 541, 686, 567}, kUpSkins);
    add(kIdDirectionDown, 0, CRadioButton, L, {694, 541, 720, 567}, kDownSkins);

    // System pointer page: three sliders over their bars, wheel mode, acceleration and the
    // desktop's own mouse settings.
    constexpr Collection P = Collection::PointerPage;
    const struct {
        int label, text, bar, slider, top;
    } pointerRows[] = {
        {kIdPointerSpeedLabel, kIdPointerSpeedText, kIdPointerSpeedBar, kIdPointerSpeed, 350},
        {kIdDoubleClickLabel, kIdDoubleClickText, kIdDoubleClickBar, kIdDoubleClickSpeed, 396},
        {kIdWheelSpeedLabel, kIdWheelSpeedText, kIdWheelSpeedBar, kIdWheelSpeed, 442}};
    for (const auto& row : pointerRows) {
        add(row.label, 0, CStaticText, P, {830, row.top, 1020, row.top + 18});
        add(row.text, 0, CStaticText, P, {1040, row.top, 1099, row.top + 18});
        add(row.bar, 0, CStaticImage, P, {830, row.top + 26, 1100, row.top + 34}, kSliderBar2Skins);
        add(row.slider, 0, CSliderControl, P, {830, row.top + 22, 1100, row.top + 38}, kThumbSkins,
            kSliderPad);
    }
    add(kIdWheelModeLabel, 0, CStaticText, P, {830, 490, 900, 510});
    add(kIdWheelLines, 0, CRadioButton, P, {904, 492, 920, 508}, kRadioSkins);
    add(kIdWheelLinesLabel, 0, CStaticText, P, {924, 490, 1000, 510});
    add(kIdWheelPages, 0, CRadioButton, P, {1004, 492, 1020, 508}, kRadioSkins);
    add(kIdWheelPagesLabel, 0, CStaticText, P, {1024, 490, 1099, 510});
    add(kIdAcceleration, 0, CCheckButton, P, {830, 518, 1050, 538}, kCheckSkins);
    add(kIdSystemMouseSettings, 0, CImageButton, P, {830, 550, 1030, 574}, kButton4Skins);

    // Polling rate: the drop-down, the four rate pictures and the mark under the chosen one.
    constexpr Collection R = Collection::PollingRate;
    add(kIdPollingRateCombo, 0, CComboButton, R, {528, 604, 688, 626}, kCombo2Skins);
    for (int i = 0; i < kPollingRateCount; ++i) {
        const int left = 528 + 70 * i;
        add(kIdPollingRateFirst + i, 0, CRadioButton, R, {left, 634, left + 68, 660},
            kPollingSkins[i]);
        add(kIdPollingMarkFirst + i, 0, CStaticText, R, {left, 662, left + 68, 680});
    }

    // Lift-off distance.
    constexpr Collection O = Collection::LiftOff;
    add(kIdLiftOffLow, 0, CRadioButton, O, {830, 608, 846, 624}, kRadioSkins);
    add(kIdLiftOffLowText, 0, CStaticText, O, {852, 606, 960, 626});
    add(kIdLiftOffHigh, 0, CRadioButton, O, {966, 608, 982, 624}, kRadioSkins);
    add(kIdLiftOffHighText, 0, CStaticText, O, {988, 606, 1099, 626});

    // Debounce.
    constexpr Collection B = Collection::Debounce;
    add(kIdDebounceText, 0, CStaticText, B, {1040, 650, 1099, 666});
    add(kIdDebounceBar, 0, CStaticImage, B, {830, 674, 1100, 682}, kSliderBarSkins);
    add(kIdDebounce, 0, CSliderControl, B, {830, 670, 1100, 686}, kThumbSkins, kSliderPad);
    return c;
}

constexpr SectionPlace kSections[] = {
    {kIdTabDpi, Collection::DpiPage, {516, 56, 1111, 332}},
    {kIdTabLighting, Collection::LightingPage, {516, 340, 810, 586}},
    {kIdTabPointer, Collection::PointerPage, {818, 340, 1111, 586}},
    {kIdTabPollingRate, Collection::PollingRate, {516, 594, 810, 692}},
    {kIdTabLiftOff, Collection::LiftOff, {818, 594, 1111, 638}},
    {kIdTabDebounce, Collection::Debounce, {818, 646, 1111, 692}},
};

constexpr HeaderAreaPlace kHeaderAreas[] = {
    {HeaderArea::TitleBar, {0, 0, kMainWindowWidth, 48}},
    {HeaderArea::Mouse, {16, 56, 256, 448}},
    {HeaderArea::Functions, {268, 56, 508, 448}},
    {HeaderArea::Profiles, {16, 452, 256, 700}},
    {HeaderArea::Battery, {268, 452, 508, 700}},
    {HeaderArea::CommandBar, {516, 700, 1111, 728}},
};

}  // namespace

std::span<const ControlPlace> MainWindowControls() {
    static const std::vector<ControlPlace> controls = BuildControls();
    return controls;
}

std::span<const SectionPlace> MainWindowSections() {
    return kSections;
}

std::span<const HeaderAreaPlace> MainWindowHeaderAreas() {
    return kHeaderAreas;
}

const ControlPlace* FindControlPlace(int id, int tag) {
    const auto controls = MainWindowControls();
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const ControlPlace& c) {
        return c.id == id && c.tag == tag;
    });
    return found == controls.end() ? nullptr : &*found;
}

ui::Rect ProfileTabRect(int listPosition) {
    const int top = kProfileTabTop + kProfileTabPitch * listPosition;
    return {kProfileTabLeft, top, kProfileTabLeft + kProfileTabWidth, top + kProfileTabHeight};
}

ui::Rect AddProfileButtonRect(int showCount) {
    const int top = kProfileTabTop + kProfileTabPitch * std::max(showCount, 3) + kProfileAddDrop;
    return {kProfileTabLeft, top, kProfileTabLeft + kProfileCommandWidth, top + kProfileTabHeight};
}

}  // namespace ostrel::app
