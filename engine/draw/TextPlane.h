#pragma once
// An image plane that writes text: the string is laid out in the plane's font and
// its glyphs become the plane's picture, sized to the text.  The letters take the
// colour given to Write; a draw's colour modulates them as it does any picture (on
// both renderers), so white letters drawn in a colour come out in that colour and
// letters written in a colour keep it when drawn with 0xFFFFFFFF.
#include <cstdint>
#include <string>

#include "engine/draw/Font.h"
#include "engine/draw/ImagePlane.h"

class CTextPlane : public CImagePlane {
public:
    CTextPlane();
    ~CTextPlane() override;

    CFont& GetFont() { return m_Font; }
    // Writes the string with a text style (8: shadowed, see ETextStyle); the plane's
    // picture becomes the text's size.  An empty string, or a missing font, leaves
    // the plane empty (it then draws nothing).
    bool Write(const std::string& text, int32_t style = 0, uint32_t rgb = 0xFFFFFF);
    // Drops the picture and the text.
    void Clear();
    const std::string& GetText() const { return m_Text; }
    int32_t GetStyle() const { return m_Style; }
    // Writes the text again (after a lost device, or once the font was resized).
    bool Rewrite() { return Write(m_Text, m_Style, m_Rgb); }

    // The text with its top-left corner at (x, y); the colour's alpha is the opacity
    // and its colour bytes modulate the letters (0xFFFFFF leaves them as written).
    bool Draw(int32_t x, int32_t y, uint32_t colour = 0xFFFFFFFFu);

private:
    CFont m_Font;
    std::string m_Text;
    int32_t m_Style = 0;
    uint32_t m_Rgb = 0xFFFFFF;
};
