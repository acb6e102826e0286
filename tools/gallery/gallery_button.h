#pragma once

#include <filesystem>
#include <string>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace ostrel::gallery {

// A push button drawn from three pictures (normal, hover, pressed) with a centred caption; like
// the program's image buttons it shows nothing without its normal picture.
class GalleryButton : public ui::CControlBase {
public:
    GalleryButton(ui::WindowHandle parent, int id, ui::Rect rect, std::u16string text,
                  int disabled);

    void LoadImages(const std::filesystem::path& normal, const std::filesystem::path& hover,
                    const std::filesystem::path& pressed);

    void Draw(ui::SkinPainter& painter, ui::Rect clip) override;
    bool OnMouseMove(unsigned flags, int x, int y) override;
    bool OnLButtonDown(unsigned flags, int x, int y) override;
    bool OnLButtonUp(unsigned flags, int x, int y) override;
    void ReleaseImages() override;

private:
    ui::SkinImage m_normal;
    ui::SkinImage m_hover;
    ui::SkinImage m_pressed;
};

}  // namespace ostrel::gallery
