// Rasterizes glyphs with FreeType once each and keeps them for the life of the process.
#include "Glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace emu::render {
namespace {

constexpr const char* FontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr int PixelSize = 10; // the size at which the face advances 6 pixels

class Face {
public:
    explicit Face(const char* file) {
        std::string path = std::string(FontFolder) + file;
        if (!Library() || FT_New_Face(Library(), path.c_str(), 0, &m_face) != 0) {
            std::fprintf(stderr,
                         "emu: cannot load the font %s (package fonts-dejavu-core); text is not drawn\n",
                         path.c_str());
            m_face = nullptr;
            return;
        }
        FT_Set_Pixel_Sizes(m_face, 0, PixelSize);
    }
    ~Face() {
        if (m_face)
            FT_Done_Face(m_face);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    const Glyph* Get(char32_t character) {
        auto found = m_glyphs.find(character);
        if (found != m_glyphs.end())
            return found->second.get();
        std::unique_ptr<Glyph> glyph = Render(character);
        return m_glyphs.emplace(character, std::move(glyph)).first->second.get();
    }

private:
    static FT_Library Library() {
        static FT_Library library = [] {
            FT_Library made = nullptr;
            return FT_Init_FreeType(&made) == 0 ? made : nullptr;
        }();
        return library;
    }

    std::unique_ptr<Glyph> Render(char32_t character) {
        if (!m_face)
            return nullptr;
        FT_UInt index = FT_Get_Char_Index(m_face, character);
        if (index == 0 || FT_Load_Glyph(m_face, index, FT_LOAD_TARGET_MONO) != 0 ||
            FT_Render_Glyph(m_face->glyph, FT_RENDER_MODE_MONO) != 0)
            return nullptr;
        const FT_Bitmap& bitmap = m_face->glyph->bitmap;
        auto glyph = std::make_unique<Glyph>();
        glyph->left = m_face->glyph->bitmap_left;
        glyph->top = m_face->glyph->bitmap_top;
        glyph->width = static_cast<int>(bitmap.width);
        glyph->rows = static_cast<int>(bitmap.rows);
        glyph->coverage.resize(static_cast<size_t>(glyph->width) * static_cast<size_t>(glyph->rows));
        for (int y = 0; y < glyph->rows; ++y)
            for (int x = 0; x < glyph->width; ++x)
                glyph->coverage[static_cast<size_t>(y * glyph->width + x)] =
                    bitmap.buffer[static_cast<ptrdiff_t>(y) * bitmap.pitch + x / 8] & (0x80 >> (x % 8)) ? 255
                                                                                                        : 0;
        return glyph;
    }

    FT_Face m_face = nullptr;
    std::map<char32_t, std::unique_ptr<Glyph>> m_glyphs;
};

} // namespace

const Glyph* GlyphOf(char32_t character, bool bold) {
    static Face regular("DejaVuSansMono.ttf");
    static Face heavy("DejaVuSansMono-Bold.ttf");
    return (bold ? heavy : regular).Get(character);
}

} // namespace emu::render
