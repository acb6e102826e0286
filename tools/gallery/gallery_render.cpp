#include "gallery_render.h"

#include <QPainter>
#include <vector>

#include "gallery_dlg.h"
#include "headless_host.h"
#include "profile/language.h"
#include "ui/attention_dlg.h"
#include "ui/control_base.h"
#include "ui/host.h"
#include "ui/progress_bar_dlg.h"
#include "ui/toolkit_globals.h"

namespace ostrel::gallery {

namespace {

constexpr int kEnglishFontHeight = 16;
// Halfway: 25 steps of the progress bar.
constexpr unsigned kProgressHalfMs = 250;
constexpr unsigned kProgressRestMs = 400;

// Runs `show` on a headless host of its own and gives the previous host back afterwards.
template <class Show>
QImage OnHeadlessHost(Show show) {
    ui::Host* previous = ui::HasCurrentHost() ? &ui::CurrentHost() : nullptr;
    QImage picture;
    {
        testing::HeadlessHost host;
        ui::SetCurrentHost(&host);
        picture = show(host);
    }
    ui::SetCurrentHost(previous);
    return picture;
}

// The language texts the toolkit's own dialogs show.
const LanguageTable& GalleryLanguage() {
    static const LanguageTable table = [] {
        LanguageTable t;
        t.entries[ui::kTextOk] = u"OK";
        return t;
    }();
    return table;
}

// Windows painted where they lie on the screen, the first one's corner at (0, 0).
QImage Composite(testing::HeadlessHost& host, const std::vector<ui::WindowHandle>& windows) {
    const ui::Rect base = host.GetWindowRect(windows.front());
    ui::Rect all = base;
    for (const ui::WindowHandle window : windows) {
        const ui::Rect r = host.GetWindowRect(window);
        all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
               std::max(all.bottom, r.bottom)};
    }
    QImage canvas(all.Width(), all.Height(), QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    for (const ui::WindowHandle window : windows) {
        const ui::Rect r = host.GetWindowRect(window);
        painter.drawImage(r.left - all.left, r.top - all.top, host.Render(window));
    }
    return canvas;
}

}  // namespace

void ConfigureGallery(double scale, const std::filesystem::path& programFolder) {
    ui::ResetToolkitGlobals();
    ui::SetUiScale(scale);
    ui::SetUiFontSetting(UiFont{u"Tahoma", static_cast<int>(kEnglishFontHeight * scale), 1});
    ui::SetProgramFolder(programFolder);
    ui::SetLanguageTable(&GalleryLanguage());
}

QImage RenderGalleryHeadless(double scale, const std::filesystem::path& programFolder,
                             bool hoverToggle) {
    ConfigureGallery(scale, programFolder);
    return OnHeadlessHost([&](testing::HeadlessHost& host) {
        QImage picture;
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
        return picture;
    });
}

QImage RenderToolkitSheet(Sheet sheet, double scale, const std::filesystem::path& programFolder) {
    ConfigureGallery(scale, programFolder);
    return OnHeadlessHost([&](testing::HeadlessHost& host) {
        QImage picture;
        CToolkitSheetDlg dialog(sheet, ui::kNoWindow);
        host.SetModalHandler([&](testing::HeadlessHost& h, ui::WindowHandle window) {
            dialog.ShowStates();
            std::vector<ui::WindowHandle> windows{window};
            for (const ui::WindowHandle popup : {dialog.Menu(), dialog.SubMenu()}) {
                if (popup != ui::kNoWindow) {
                    windows.push_back(popup);
                }
            }
            picture = Composite(h, windows);
            h.RequestClose(window);
        });
        dialog.DoModal();
        return picture;
    });
}

QImage RenderAttention(double scale, const std::filesystem::path& programFolder, bool hoverOk) {
    ConfigureGallery(scale, programFolder);
    return OnHeadlessHost([&](testing::HeadlessHost& host) {
        QImage picture;
        ui::CAttentionDlg box(u"", u"The mouse is not connected.", ui::kNoWindow);
        host.SetModalHandler([&](testing::HeadlessHost& h, ui::WindowHandle window) {
            if (hoverOk) {
                const ui::Rect r = box.FindControl(ui::kIdOkButton)->GetBounds();
                h.MouseMove(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
            }
            picture = h.Render(window);
            h.KeyDown(ui::kVkEscape);
        });
        box.DoModal();
        return picture;
    });
}

QImage RenderProgress(double scale, const std::filesystem::path& programFolder) {
    ConfigureGallery(scale, programFolder);
    return OnHeadlessHost([&](testing::HeadlessHost& host) {
        QImage picture;
        ui::CProgressBarDlg progress(u"Please wait", u"", ui::kNoWindow);
        host.SetModalHandler([&](testing::HeadlessHost& h, ui::WindowHandle window) {
            h.Advance(kProgressHalfMs);
            picture = h.Render(window);
            h.Advance(kProgressRestMs);
        });
        progress.DoModal();
        return picture;
    });
}

}  // namespace ostrel::gallery
