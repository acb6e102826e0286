#pragma once

#include <filesystem>

namespace ostrel::gallery {

// The gallery's own skin pictures, drawn in code (the program's skins come from elsewhere):
// "skins/Frame_gallery.bmp" (360 × 220) and the button and close pictures, written into
// `programFolder`. Returns false when a file cannot be written.
bool WriteGalleryPictures(const std::filesystem::path& programFolder);

inline constexpr char16_t kGalleryFrame[] = u"skins\\Frame_gallery.bmp";
inline constexpr char16_t kGalleryButtonNormal[] = u"skins\\gallery_button_nr.png";
inline constexpr char16_t kGalleryButtonHover[] = u"skins\\gallery_button_ov.png";
inline constexpr char16_t kGalleryButtonPressed[] = u"skins\\gallery_button_dn.png";
inline constexpr char16_t kGalleryExitNormal[] = u"skins\\gallery_exit_nr.png";
inline constexpr char16_t kGalleryExitHover[] = u"skins\\gallery_exit_ov.png";

}  // namespace ostrel::gallery
