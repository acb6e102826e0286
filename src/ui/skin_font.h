#pragma once

#include <memory>
#include <string>

class QFont;

namespace ostrel::ui {

inline constexpr int kFontWeightDontCare = 0;
inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightSemiBold = 600;

// Character sets a font may ask for; they steer the choice of an installed face.
inline constexpr int kDefaultCharset = 1;
inline constexpr int kGb2312Charset = 134;

// A font for drawing texts, made from a face name, a height and a weight as the system asks for
// them. The face names of the system ("Tahoma", "宋体") are mapped to installed faces.
class SkinFont {
public:
    SkinFont();
    SkinFont(const SkinFont& other);
    SkinFont& operator=(const SkinFont& other);
    ~SkinFont();

    // `height` in pixels: positive for the whole character cell (ascent plus descent), negative
    // for the em size, 0 for a default cell of 16. `weight` 0 means normal.
    void Create(int height, int weight, int charset, const std::u16string& face);
    bool IsCreated() const { return m_created; }

    int Height() const { return m_height; }
    int Weight() const { return m_weight; }
    int Charset() const { return m_charset; }
    const std::u16string& Face() const { return m_face; }
    // The pixel size of the em the font was made with.
    int PixelSize() const;
    // The installed family the face was mapped to.
    std::u16string Family() const;

    const QFont& Font() const;

private:
    std::unique_ptr<QFont> m_font;
    bool m_created = false;
    int m_height = 0;
    int m_weight = 0;
    int m_charset = kDefaultCharset;
    std::u16string m_face;
};

// The installed family that stands in for `face` (the face itself when it is installed).
std::u16string InstalledFamilyFor(const std::u16string& face, int charset);

}  // namespace ostrel::ui
