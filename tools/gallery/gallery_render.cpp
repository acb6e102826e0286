#include "gallery_render.h"

#include "gallery_dlg.h"
#include "headless_host.h"
#include "ui/control_base.h"
#include "ui/host.h"
#include "ui/toolkit_globals.h"

namespace ostrel::gallery {

namespace {
constexpr int kEnglishFontHeight = 16;
}  // namespace

void ConfigureGallery(double scale, const std::filesystem::path& programFolder) {
    ui::ResetToolkitGlobals();
    ui::SetUiScale(scale);
    ui::SetUiFontSetting(UiFont{u"Tahoma", static_cast<int>(kEnglishFontHeight * scale), 1});
    ui::SetProgramFolder(programFolder);
}

QImage RenderGalleryHeadless(double scale, const std::filesystem::path& programFolder,
                             bool hoverToggle) {
    ConfigureGallery(scale, programFolder);
    ui::Host* previous = ui::HasCurrentHost() ? &ui::CurrentHost() : nullptr;
    testing::HeadlessHost host;
    ui::SetCurrentHost(&host);
    QImage picture;
    {
        CGalleryDlg dialog(ui::kNoWindow);
        host.SetModalHandler([&](testing::HeadlessHost& h, ui::WindowHandle window) {
            if (hoverToggle) {
                if (const ui::CControlBase* toggle = dialog.FindControl(kIdGalleryToggle)) {
                    const ui::Rect r = toggle->GetBounds();
                    h.MouseMove(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
                }
            }
            picture = h.Render(window);
            h.RequestClose(window);
        });
        dialog.DoModal();
    }
    ui::SetCurrentHost(previous);
    return picture;
}

}  // namespace ostrel::gallery
