#include "toolkit_sheet_dlg.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "base/utf.h"
#include "gallery_popup.h"
#include "gallery_stand_ins.h"
#include "ui/battery.h"
#include "ui/check_button.h"
#include "ui/color_select_button.h"
#include "ui/color_select_check_button.h"
#include "ui/combo_button.h"
#include "ui/dpi_radio_button.h"
#include "ui/dpi_value_show_control.h"
#include "ui/edit_show_list.h"
#include "ui/host.h"
#include "ui/image_button.h"
#include "ui/image_show_list.h"
#include "ui/link_button.h"
#include "ui/popup_placement.h"
#include "ui/power_manage_button.h"
#include "ui/radio_button.h"
#include "ui/skin_image.h"
#include "ui/skin_painter.h"
#include "ui/slider_control.h"
#include "ui/static_image.h"
#include "ui/static_text.h"
#include "ui/tab_control.h"
#include "ui/toolkit_globals.h"
#include "ui/vertical_slider_control.h"
#include "ui/vscroll_bar.h"

namespace ostrel::gallery {

namespace {

constexpr ui::ColorRef kWindowColor = ui::Rgb(34, 36, 40);
constexpr ui::ColorRef kTitleColor = ui::Rgb(82, 146, 254);
constexpr ui::ColorRef kCaptionColor = ui::Rgb(150, 150, 150);
constexpr ui::ColorRef kTextColor = ui::Rgb(180, 180, 180);
constexpr ui::ColorRef kTrackColor = ui::Rgb(90, 92, 98);
constexpr unsigned kSingleLine = ui::kDtSingleLine | ui::kDtVCenter;

// Gallery ids: any that the program's tables do not give a meaning.
constexpr int kIdTitle = 2600;
constexpr int kIdFirstCaption = 2601;
constexpr int kIdCell = 2700;

// Design pixels of the sheets' layout.
constexpr int kSheetWidth = 860;
constexpr int kFirstRow = 40;
constexpr int kCellLeft = 180;
constexpr int kGap = 10;
constexpr int kLineGap = 8;
constexpr int kRowGap = 12;
constexpr int kCaptionHeight = 26;

const ui::PopupKindInfo kMenuKind = *ui::PopupKindOf(ui::kPopupKindFunctionMenu);
const ui::PopupKindInfo kSubMenuKind = *ui::PopupKindOf(ui::kPopupKindDpi);

ui::Rect Design(const ui::Rect& client, int left, int top, int right, int bottom) {
    return {client.left + ui::Scaled(left), client.top + ui::Scaled(top),
            client.left + ui::Scaled(right), client.top + ui::Scaled(bottom)};
}

std::filesystem::path Skin(const char16_t* name) {
    return ui::ProgramFile(std::u16string(u"skins\\") + name);
}

// The size of a skin picture, which is its size in design pixels; `fallback` when it is missing.
ui::Size PictureSize(const char16_t* name, ui::Size fallback) {
    ui::SkinImage picture;
    if (picture.LoadFile(Skin(name))) {
        return {picture.Width(), picture.Height()};
    }
    return fallback;
}

// A cell of `size` design pixels at a design position.
ui::Rect Cell(const ui::Rect& client, int left, int top, ui::Size size) {
    return Design(client, left, top, left + size.width, top + size.height);
}

ui::Point Centre(const ui::CControlBase& control) {
    const ui::Rect r = control.GetBounds();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

CToolkitSheetDlg::CToolkitSheetDlg(Sheet sheet, ui::WindowHandle parent)
    : CDlgBase(ui::kIdTemplateShared, parent), m_sheet(sheet) {
    const ui::Size size = DesignSize(sheet);
    m_designWidth = ui::Scaled(size.width);
    m_designHeight = ui::Scaled(size.height);
    m_backgroundColor = kWindowColor;
    MapMessage(ui::kIdCloseButton, &CDlgBase::OnCloseControl);

    // The lists' data: a folder tree and a macro with every kind of action.
    MacroRecord first;
    first.name = u"Burst fire";
    MacroRecord second;
    second.name = u"Copy and paste";
    MacroRecord deep;
    deep.name = u"Build order";
    const MacroLocation games = MacroLocation::Top(0);
    m_library.Place(games, MacroItem::Folder(u"Games", true));
    m_library.Place(games.Child(0), MacroItem::Macro(first));
    m_library.Place(games.Child(1), MacroItem::Folder(u"Strategy", false));
    m_library.Place(games.Child(1).Child(0), MacroItem::Macro(deep));
    m_library.Place(MacroLocation::Top(1), MacroItem::Macro(second));
    InsertAction(m_macro, 0, MakeKeyAction(0xA2, false));  // left Ctrl
    InsertAction(m_macro, 1, MakeKeyAction('C', false));
    InsertAction(m_macro, 2, MakeDelayAction(50));
    InsertAction(m_macro, 3, MakeKeyAction('C', true));
    InsertAction(m_macro, 4, MakeKeyAction(0xA2, true));
    InsertAction(m_macro, 5, {0xE5, 0x00, 0x00, static_cast<std::uint8_t>(-12)});
}

ui::Size CToolkitSheetDlg::DesignSize(Sheet sheet) {
    // The rows of the first two sheets decide their height once the skins are known.
    return sheet == Sheet::Popup ? ui::Size{680, 320} : ui::Size{kSheetWidth, kFirstRow};
}

bool CToolkitSheetDlg::OnInitDialog() {
    CDlgBase::OnInitDialog();
    RegisterOpenDialog();
    return true;
}

void CToolkitSheetDlg::AddCaption(const ui::Rect& client, int top, const std::u16string& text) {
    const int id = kIdFirstCaption + static_cast<int>(Controls(0).size());
    const ui::Rect r = Design(client, 12, top, kCellLeft - 8, top + kCaptionHeight);
    auto caption = std::make_unique<ui::CStaticText>(Handle(), id, r.left, r.top, r.right, r.bottom,
                                                     kCaptionColor, kSingleLine, text);
    caption->SetFont(ui::Scaled(13), ui::UiFontSetting().face);
    AddControl(0, std::move(caption));
}

void CToolkitSheetDlg::CreateControls(ui::Rect client) {
    static const char16_t* const kTitles[] = {u"Buttons", u"Value and display controls",
                                              u"Popup frame"};
    const ui::Rect title = Design(client, 12, 6, 500, 28);
    auto heading = std::make_unique<ui::CStaticText>(
        Handle(), kIdTitle, title.left, title.top, title.right, title.bottom, kTitleColor,
        kSingleLine, kTitles[static_cast<int>(m_sheet)]);
    AddControl(0, std::move(heading));
    switch (m_sheet) {
        case Sheet::Buttons:
            BuildButtons(client);
            break;
        case Sheet::Values:
            BuildValues(client);
            break;
        case Sheet::Popup:
            BuildPopup(client);
            break;
    }
    if (m_sheet != Sheet::Popup) {
        m_designHeight = ui::Scaled(m_rowTop);
        ui::CurrentHost().ResizeWindow(Handle(), {m_designWidth, m_designHeight});
    }
}

void CToolkitSheetDlg::BuildButtons(const ui::Rect& client) {
    const ui::WindowHandle window = Handle();
    int id = kIdCell;

    int top = BeginRow(client, u"CImageButton");
    const ui::Size button = PictureSize(u"button1_nr.png", {90, 26});
    const char16_t* imageTexts[] = {u"Normal", u"Hover", u"Pressed", u"Disabled"};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (button.width + kGap) * i, top, button);
        auto image =
            std::make_unique<ui::CImageButton>(window, id++, r.left, r.top, r.right, r.bottom,
                                               imageTexts[i], ui::kDtCenter, 1, 1, i == 3 ? 1 : 0);
        image->LoadNormalImage(Skin(u"button1_nr.png"));
        image->LoadHoverImage(Skin(u"button1_ov.png"));
        Mark(AddControl(0, std::move(image)), i == 1, i == 2);
    }
    EndRow(button.height);

    // Check buttons are wide pictures: two to a line.
    top = BeginRow(client, u"CCheckButton");
    const ui::Size check = PictureSize(u"check_nr.png", {90, 26});
    const char16_t* checkTexts[] = {u"Normal", u"Hover", u"", u"Pressed"};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (check.width + kGap) * (i % 2),
                                top + (check.height + kLineGap) * (i / 2), check);
        auto box = std::make_unique<ui::CCheckButton>(window, id++, r.left, r.top, r.right,
                                                      r.bottom, checkTexts[i], ui::kDtLeft);
        box->LoadNormalImage(Skin(u"check_nr.png"));
        box->LoadHoverImage(Skin(u"check_ov.png"));
        box->LoadCheckedImage(Skin(u"check_dn.png"));
        box->SetMargins(ui::Scaled(std::min(check.width, check.height + 6)), 0);
        if (i == 2) {
            box->SetCaptions(u"Off", u"Checked");
            box->SetChecked(1);
        }
        Mark(AddControl(0, std::move(box)), i == 1, i == 3);
    }
    EndRow(2 * check.height + kLineGap);

    top = BeginRow(client, u"CRadioButton");
    // The loop radios of the macro manager: 2032 selected, 2033 hovered, 3030 pressed.
    ui::SetRadioSelectionWord((ui::RadioSelectionWord() & ~0xE000u) | 0x4000u);
    const ui::Size radio = PictureSize(u"radio_nr.png", {16, 16});
    const int radioIds[] = {2031, 2032, 2033, 3030};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (radio.width + 2 * kGap) * i, top, radio);
        auto choice = std::make_unique<ui::CRadioButton>(window, radioIds[i], r.left, r.top,
                                                         r.right, r.bottom, u"");
        choice->LoadNormalImage(Skin(u"radio_nr.png"));
        choice->LoadHoverImage(Skin(u"radio_ov.png"));
        choice->LoadSelectedImage(Skin(u"radio_dn.png"));
        Mark(AddControl(0, std::move(choice)), i == 2, i == 3);
    }
    EndRow(radio.height);

    // The DPI value sits in a band over the top of each level button.
    top = BeginRow(client, u"CDPIRadioButton");
    ui::SetDpiLevelMask(0x0F);
    const ui::Size natural = PictureSize(u"check_button_dpi_nr.png", {40, 34});
    const ui::Size level{std::max(natural.width, 36), std::max(natural.height, 30)};
    for (int n = 0; n < ui::kDpiLevelButtonCount; ++n) {
        const ui::Rect r = Cell(client, kCellLeft + (level.width + kGap) * n, top, level);
        auto dpi = std::make_unique<ui::CDPIRadioButton>(window, ui::kIdFirstDpiLevelButton + n,
                                                         r.left, r.top, r.right, r.bottom, u"");
        dpi->LoadNormalImage(Skin(u"check_button_dpi_nr.png"));
        dpi->LoadHoverImage(Skin(u"check_button_dpi_ov.png"));
        dpi->LoadSelectedImage(Skin(u"check_button_dpi_dn.png"));
        dpi->SetDpiValue(8 * (n + 1));
        dpi->SetFont(ui::Scaled(11), ui::UiFontSetting().face);
        Mark(AddControl(0, std::move(dpi)), n == 5, false);
    }
    EndRow(level.height);

    top = BeginRow(client, u"Colour buttons");
    const ui::ColorRef swatches[] = {ui::Rgb(230, 40, 40), ui::Rgb(40, 200, 90),
                                     ui::Rgb(40, 110, 240)};
    const ui::Size swatch{30, 20};
    for (int i = 0; i < 3; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (swatch.width + kGap) * i, top, swatch);
        auto colour = std::make_unique<ui::CColorSelectButton>(window, id++, r.left, r.top, r.right,
                                                               r.bottom, u"", r);
        colour->SetColor(swatches[i]);
        AddControl(0, std::move(colour));
    }
    const ui::ColorRef slots[] = {ui::Rgb(255, 140, 0), ui::Rgb(53, 160, 222),
                                  ui::Rgb(200, 60, 220)};
    const ui::Size slot = PictureSize(u"color_select_nr.png", {26, 26});
    for (int i = 0; i < 3; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + 150 + (slot.width + kGap) * i, top, slot);
        auto frame = std::make_unique<ui::CColorSelectCheckButton>(window, id++, r.left, r.top,
                                                                   r.right, r.bottom, u"");
        frame->LoadNormalImage(Skin(u"color_select_nr.png"));
        frame->LoadCheckedImage(Skin(u"color_select_check.png"));
        frame->SetColor(slots[i]);
        frame->SetChecked(i == 1 ? 1 : 0);
        AddControl(0, std::move(frame));
    }
    EndRow(std::max(swatch.height, slot.height));

    top = BeginRow(client, u"CComboButton");
    const ui::Size combo = PictureSize(u"combo2_nr.png", {96, 22});
    const char16_t* values[] = {u"1000 Hz", u"Hover", u"Open", u"unused"};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (combo.width + kGap) * i, top, combo);
        auto drop = std::make_unique<ui::CComboButton>(window, kMsgGalleryCombo, id++, r.left,
                                                       r.top, r.right, r.bottom, u"", ui::kDtLeft,
                                                       1, 1, 0, values[i]);
        drop->LoadNormalImage(Skin(u"combo2_nr.png"));
        drop->LoadHoverImage(Skin(u"combo2_ov.png"));
        drop->SetMargins(ui::Scaled(6), ui::Scaled(18));
        drop->SetOpen(i == 2 ? 1 : 0);
        drop->SetShowsDisable(i == 3 ? 1 : 0);
        Mark(AddControl(0, std::move(drop)), i == 1, false);
    }
    EndRow(combo.height);

    top = BeginRow(client, u"CLinkButton");
    const char16_t* links[] = {u"Normal link", u"Hover link", u"Pressed link"};
    const ui::Size link{110, 20};
    for (int i = 0; i < 3; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (link.width + kGap) * i, top, link);
        Mark(AddControl(0, std::make_unique<ui::CLinkButton>(window, r.left, r.top, r.right,
                                                             r.bottom, links[i], ui::kDtLeft)),
             i == 1, i == 2);
    }
    EndRow(link.height);

    top = BeginRow(client, u"CPowerManageButton");
    const ui::Size dial = PictureSize(u"power_manage_3min.png", {140, 80});
    const int dialValues[] = {3, 6, 10};
    for (int i = 0; i < 3; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (dial.width + 2 * kGap) * i, top, dial);
        auto power =
            std::make_unique<ui::CPowerManageButton>(window, r.left, r.top, r.right, r.bottom);
        for (int minutes = 3; minutes <= 10; ++minutes) {
            power->LoadValueImage(
                minutes, ui::ProgramFile(u"skins\\power_manage_" +
                                         Utf8ToUtf16(std::to_string(minutes)) + u"min.png"));
        }
        power->SetSelectedValue(dialValues[i]);
        AddControl(0, std::move(power));
    }
    EndRow(dial.height);
}

void CToolkitSheetDlg::BuildValues(const ui::Rect& client) {
    const ui::WindowHandle window = Handle();
    int id = kIdCell;

    int top = BeginRow(client, u"CSliderControl");
    const ui::Size thumb = PictureSize(u"Slider_Circle.png", {16, 16});
    const ui::Size slider{150, thumb.height};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (slider.width + 2 * kGap) * i, top, slider);
        const int pad = ui::Scaled(thumb.width / 2);
        auto steps = std::make_unique<ui::CSliderControl>(window, id++, r.left, r.top, r.right,
                                                          r.bottom, 5, pad, pad, u"");
        steps->LoadThumbImage(Skin(u"Slider_Circle.png"));
        steps->SetValue(i == 3 ? 1 : 2 * i);
        const int middle = (r.top + r.bottom) / 2;
        m_tracks.push_back(
            {r.left + pad, middle - 1, r.right - pad, middle + std::max(1, ui::Scaled(2)) - 1});
        ui::CControlBase* added = AddControl(0, std::move(steps));
        if (i == 3) {
            m_drag.push_back(added);
        }
    }
    EndRow(slider.height);

    top = BeginRow(client, u"Gauges, scroll bars");
    const ui::Size gauge = PictureSize(u"mouse\\dpi_bar_1.png", {16, 100});
    const int counts[] = {50, 50, 50, 0, 50, 50};
    const int shown[] = {0, 24, 49, 0, 58, 24};
    for (int i = 0; i < 6; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (gauge.width + kGap) * i, top, gauge);
        std::unique_ptr<ui::CControlBase> control;
        if (i < 3) {
            auto drag = std::make_unique<ui::CVerticalSliderControl>(
                window, id++, r.left, r.top, r.right, r.bottom, counts[i], u"");
            drag->LoadBackgroundImage(Skin(u"mouse\\dpi_bar_1.png"));
            drag->LoadFillImage(Skin(u"mouse\\dpi_bar_2.png"));
            drag->SetValue(shown[i]);
            control = std::move(drag);
        } else {
            auto show = std::make_unique<ui::CDPIValueShowControl>(
                window, id++, r.left, r.top, r.right, r.bottom, counts[i], u"");
            show->LoadBackgroundImage(Skin(u"mouse\\dpi_bar_1.png"));
            show->LoadFillImage(Skin(u"mouse\\dpi_bar_2.png"));
            show->SetValue(shown[i]);
            control = std::move(show);
        }
        Mark(AddControl(0, std::move(control)), i == 5, false);
    }
    const int scrollInfo[][3] = {{0, 5, 0}, {0, 10, 40}, {30, 10, 40}, {10, 10, 40}};
    const int barsLeft = kCellLeft + (gauge.width + kGap) * 6 + 3 * kGap;
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, barsLeft + 26 * i, top, {12, gauge.height});
        auto bar =
            std::make_unique<ui::CVScrollBar>(window, id++, r.left, r.top, r.right, r.bottom, u"");
        if (!bar->LoadArrowResources()) {
            bar->SetArrowImages(ScrollArrowStrip(true), ScrollArrowStrip(false));
        }
        bar->SetScrollInfo(scrollInfo[i][0], scrollInfo[i][1], scrollInfo[i][2]);
        ui::CControlBase* added = AddControl(0, std::move(bar));
        if (i == 2) {
            m_hover.push_back(added);
        } else if (i == 3) {
            m_drag.push_back(added);
        }
    }
    EndRow(gauge.height);

    top = BeginRow(client, u"CEditShowList");
    const ui::Size list{220, 100};
    const ui::Rect tree = Cell(client, kCellLeft, top, list);
    auto library = std::make_unique<ui::CEditShowList>(window, tree.left, tree.top, tree.right,
                                                       tree.bottom, u"");
    library->LoadFolderOpenImage(Skin(u"foldr_open.png"));
    library->LoadFolderClosedImage(Skin(u"foldr_close.png"));
    library->Bind(&m_library);
    library->SetSelectedRow(1);
    AddControl(0, std::move(library));
    const ui::Rect actions = Cell(client, kCellLeft + list.width + 2 * kGap, top, list);
    auto actionList = std::make_unique<ui::CImageShowList>(window, actions.left, actions.top,
                                                           actions.right, actions.bottom, u"");
    actionList->LoadPressIcon(Skin(u"macro_down.png"));
    actionList->LoadReleaseIcon(Skin(u"macro_up.png"));
    actionList->LoadDelayIcon(Skin(u"macro_time.png"));
    actionList->BindMacro(&m_macro);
    actionList->SetSelectedRow(2);
    AddControl(0, std::move(actionList));
    EndRow(list.height);

    top = BeginRow(client, u"CBattery, CStaticImage");
    const ui::Size cell = PictureSize(u"battery_full.png", {40, 70});
    const int modes[] = {ui::CBattery::kDischarging, ui::CBattery::kDischarging,
                         ui::CBattery::kDischarging, ui::CBattery::kCharging,
                         ui::CBattery::kCharged};
    const int levels[] = {100, 50, 1, 100, 100};
    for (int i = 0; i < 5; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (cell.width + 2 * kGap) * i, top, cell);
        auto battery = std::make_unique<ui::CBattery>(window, r.left, r.top, r.right, r.bottom);
        battery->LoadFullImage(Skin(u"battery_full.png"));
        battery->LoadEmptyImage(Skin(u"battery_empty.png"));
        battery->LoadChargeFillImage(Skin(u"battery_charging.png"));
        battery->LoadChargingImage(Skin(u"battery_lighting.png"));
        battery->SetMode(modes[i]);
        battery->SetLevel(levels[i]);
        battery->SetChargeLevel(60);
        AddControl(0, std::move(battery));
    }
    // The mouse picture, shrunk to a small cell.
    const ui::Size figure{50, 85};
    const int figuresLeft = kCellLeft + (cell.width + 2 * kGap) * 5 + 3 * kGap;
    for (int i = 0; i < 2; ++i) {
        const ui::Rect r = Cell(client, figuresLeft + (figure.width + 2 * kGap) * i, top, figure);
        auto image =
            std::make_unique<ui::CStaticImage>(window, id++, r.left, r.top, r.right, r.bottom, u"");
        image->LoadImage(Skin(u"mouse\\mouse_nr.png"));
        Mark(AddControl(0, std::move(image)), i == 1, false);
    }
    EndRow(std::max(cell.height, figure.height));

    top = BeginRow(client, u"CStaticText");
    const ui::Rect one = Cell(client, kCellLeft, top, {160, 20});
    AddControl(0, std::make_unique<ui::CStaticText>(window, id++, one.left, one.top, one.right,
                                                    one.bottom, kTextColor, ui::kDtSingleLine,
                                                    u"One line that is cut off at a word"));
    const ui::Rect wrapped = Cell(client, kCellLeft + 180, top, {300, 40});
    AddControl(0, std::make_unique<ui::CStaticText>(
                      window, id++, wrapped.left, wrapped.top, wrapped.right, wrapped.bottom,
                      ui::Rgb(230, 230, 230), ui::kDtCenter | ui::kDtWordBreak | ui::kDtEditControl,
                      u"Several lines: the text breaks at words and stays centred in its box."));
    EndRow(40);

    // Profile tabs: the tab index is 2, so both tabs 2051 draw as selected, one of them hovered.
    top = BeginRow(client, u"CTabControl");
    ui::SetProfileTabIndex(2);
    const ui::Size tab = PictureSize(u"profile_slot_nr.png", {90, 24});
    const int tabIds[] = {2049, 2050, 2051, 2051};
    const char16_t* tabTexts[] = {u"Normal", u"Hover", u"Selected", u"Selected and hovered"};
    for (int i = 0; i < 4; ++i) {
        const ui::Rect r = Cell(client, kCellLeft + (tab.width + kGap) * (i % 2),
                                top + (tab.height + kLineGap) * (i / 2), tab);
        auto page = std::make_unique<ui::CTabControl>(window, tabIds[i], r.left, r.top, r.right,
                                                      r.bottom, tabTexts[i], ui::kDtLeft);
        page->LoadNormalImage(Skin(u"profile_slot_nr.png"));
        page->LoadHoverImage(Skin(u"profile_slot_ov.png"));
        page->LoadSelectedImage(Skin(u"profile_slot_nr2.png"));
        page->LoadSelectedHoverImage(Skin(u"profile_slot_ov2.png"));
        page->SetMargins(ui::Scaled(6), 0);
        Mark(AddControl(0, std::move(page)), i == 1 || i == 3, false);
    }
    EndRow(2 * tab.height + kLineGap);
}

int CToolkitSheetDlg::BeginRow(const ui::Rect& client, const std::u16string& caption) {
    AddCaption(client, m_rowTop, caption);
    return m_rowTop;
}

void CToolkitSheetDlg::EndRow(int height) {
    m_rowTop += std::max(height, kCaptionHeight) + kRowGap;
}

void CToolkitSheetDlg::Mark(ui::CControlBase* control, bool hover, bool press) {
    if (hover) {
        m_hover.push_back(control);
    }
    if (press) {
        m_press.push_back(control);
    }
}

void CToolkitSheetDlg::BuildPopup(const ui::Rect& client) {
    AddCaption(client, 48, u"CComboButton");
    const ui::Rect r = Design(client, 170, 50, 330, 72);
    auto combo = std::make_unique<ui::CComboButton>(Handle(), kMsgGalleryCombo, kIdCell, r.left,
                                                    r.top, r.right, r.bottom, u"", ui::kDtLeft, 1,
                                                    1, 0, u"Left click");
    combo->LoadNormalImage(Skin(u"combo2_nr.png"));
    combo->LoadHoverImage(Skin(u"combo2_ov.png"));
    combo->SetMargins(ui::Scaled(6), ui::Scaled(18));
    m_combo = static_cast<ui::CComboButton*>(AddControl(0, std::move(combo)));
    const ui::Rect note = Design(client, 20, 250, 480, 310);
    AddControl(0, std::make_unique<ui::CStaticText>(
                      Handle(), kIdCell + 1, note.left, note.top, note.right, note.bottom,
                      kTextColor, ui::kDtWordBreak,
                      u"A click on the combo opens its menu; hovering an item with a sub-menu "
                      u"opens that beside it. A press outside both closes them."));
}

void CToolkitSheetDlg::ShowStates() {
    for (ui::CControlBase* control : m_hover) {
        // A scroll bar shows its hover look on the thumb.
        const auto* bar = dynamic_cast<const ui::CVScrollBar*>(control);
        const ui::Rect r = bar != nullptr ? bar->ThumbRect() : control->GetBounds();
        control->OnMouseMove(0, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    for (ui::CControlBase* control : m_press) {
        const ui::Point p = Centre(*control);
        control->OnMouseMove(0, p.x, p.y);
        control->OnLButtonDown(0, p.x, p.y);
    }
    for (ui::CControlBase* control : m_drag) {
        if (auto* slider = dynamic_cast<ui::CSliderControl*>(control)) {
            const ui::Rect thumb = slider->ThumbRect();
            const int y = (thumb.top + thumb.bottom) / 2;
            slider->OnLButtonDown(0, (thumb.left + thumb.right) / 2, y);
            slider->Drag(thumb.right + ui::Scaled(20));
        } else if (auto* bar = dynamic_cast<ui::CVScrollBar*>(control)) {
            const ui::Rect thumb = bar->ThumbRect();
            const int x = (thumb.left + thumb.right) / 2;
            bar->OnMouseMove(0, x, thumb.top + 1);
            bar->OnLButtonDown(0, x, thumb.top + 1);
            bar->Drag(x, thumb.top + 1 + ui::Scaled(25));
        }
    }
    if (m_sheet == Sheet::Popup && OpenMenu() != ui::kNoWindow && m_openedMenu != nullptr) {
        // The pointer on the menu's "DPI" item opens the sub-menu; its second item is lit too.
        m_openedSubMenu = nullptr;
        const ui::Rect dpi = m_openedMenu->Items()[kMenuSubMenuItem].rect;
        m_openedMenu->OnMouseMove(0, (dpi.left + dpi.right) / 2, (dpi.top + dpi.bottom) / 2);
        if (m_openedSubMenu != nullptr) {
            const ui::Rect item = m_openedSubMenu->Items()[1].rect;
            m_openedSubMenu->OnMouseMove(0, (item.left + item.right) / 2,
                                         (item.top + item.bottom) / 2);
        }
    }
    m_openedMenu = nullptr;
    m_openedSubMenu = nullptr;
    InvalidateWindow();
}

ui::WindowHandle CToolkitSheetDlg::OpenMenu() {
    ClosePopups();
    ui::Host& host = ui::CurrentHost();
    const double scale = ui::UiScale();
    const ui::Rect anchor = m_combo->GetBounds();
    const ui::Rect window = host.GetWindowRect(Handle());
    const ui::Rect place = ui::FunctionMenuRect(anchor, window.top, host.WorkArea().bottom, scale);
    const ui::Point corner = host.ClientToScreen(Handle(), {place.left, place.top});
    auto menu = std::make_unique<CGalleryPopup>(
        kMenuKind, std::vector<std::u16string>{u"Left click", u"Right click", u"Middle click", u"-",
                                               u"DPI>", u"Multimedia>", u"-", u"Disable"});
    menu->LoadMenuSkin(Skin(u"menu_nr.png"), Skin(u"menu_ov.png"), Skin(u"menusub_nr.png"),
                       Skin(u"menusub_ov.png"));
    m_openedMenu = menu.get();
    const ui::WindowHandle opened = ui::CWndPopup::Open(
        std::move(menu), Handle(),
        {corner.x, corner.y, corner.x + place.Width(), corner.y + place.Height()},
        kMenuKind.selectionMessage, kIdCell);
    SetPopup(kMenuSlot, opened);
    m_combo->SetOpen(opened != ui::kNoWindow ? 1 : 0);
    return opened;
}

void CToolkitSheetDlg::OpenSubMenu() {
    ClosePopup(kSubMenuSlot);
    ui::Host& host = ui::CurrentHost();
    const ui::Rect anchor = m_combo->GetBounds();
    const ui::Rect window = host.GetWindowRect(Handle());
    const ui::Rect place =
        ui::SubMenuRect(anchor, window.top, host.WorkArea().bottom, ui::UiScale());
    const ui::Point corner = host.ClientToScreen(Handle(), {place.left, place.top});
    auto sub = std::make_unique<CGalleryPopup>(
        kSubMenuKind, std::vector<std::u16string>{u"DPI up", u"DPI down", u"DPI loop"});
    sub->LoadMenuSkin(Skin(u"menu_nr.png"), Skin(u"menu_ov.png"), Skin(u"menusub_nr.png"),
                      Skin(u"menusub_ov.png"));
    m_openedSubMenu = sub.get();
    SetPopup(kSubMenuSlot, ui::CWndPopup::Open(std::move(sub), Handle(),
                                               {corner.x, corner.y, corner.x + place.Width(),
                                                corner.y + place.Height()},
                                               kSubMenuKind.selectionMessage, kIdCell));
}

void CToolkitSheetDlg::ClosePopups() {
    ClosePopup(kMenuSlot);
    ClosePopup(kSubMenuSlot);
    if (m_combo != nullptr) {
        m_combo->SetOpen(0);
    }
}

std::intptr_t CToolkitSheetDlg::OnMessage(unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    if (m_observer && message >= ui::kMsgUser) {
        m_observer(message, wParam, lParam);
    }
    if (m_sheet == Sheet::Popup) {
        if (message == kMsgGalleryCombo && lParam == ui::kEventClick) {
            OpenMenu();
            return 0;
        }
        if (message == kMenuKind.selectionMessage || message == kSubMenuKind.selectionMessage) {
            const auto* chosen = reinterpret_cast<const ui::PopupSelection*>(lParam);
            m_combo->SetValueText(chosen->name);
            ClosePopups();
            return 0;
        }
        if (message == kMenuKind.deactivationMessage ||
            message == kSubMenuKind.deactivationMessage) {
            ClosePopups();
            return 0;
        }
        if (message == kMsgOpenSubMenu) {
            OpenSubMenu();
            return 0;
        }
        if (message == kMsgCloseSubMenu) {
            ClosePopup(kSubMenuSlot);
            return 0;
        }
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

void CToolkitSheetDlg::DrawContent(ui::SkinPainter& painter, const ui::Rect& client) {
    painter.FillRect(client, m_backgroundColor);
    for (const ui::Rect& track : m_tracks) {
        painter.FillRect(track, kTrackColor);
    }
    DrawControls(painter, client);
}

}  // namespace ostrel::gallery
