// Text output in the emulated GUI font's fixed cells: TextOut, ExtTextOut and DrawText.
#include "Glyphs.h"
#include "Painter.h"
#include "services/Ansi.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace emu::render {
namespace {

constexpr int CellWidth = EMU_FONT_CHAR_WIDTH;
constexpr int CellHeight = EMU_FONT_HEIGHT;

char32_t Unicode(char c) {
    std::u16string wide = detail::AnsiToUtf16(std::string_view(&c, 1));
    return wide.size() == 1 ? wide[0] : U'?';
}

// One run of text, each character at its own x (logical), the cells' top at y. `limit` (buffer
// coordinates) further bounds what is drawn; `underline` is the index of a character to underline, or -1.
void DrawRun(const Painter& p, const std::vector<int>& xs, int y, std::string_view text, const RECT& limit,
             int underline) {
    const DcState& state = p.Context().state;
    uint32_t ink = p.Pixel(state.text), paper = p.Pixel(state.bk);
    bool bold = p.Font().bold;
    for (size_t k = 0; k < text.size(); ++k) {
        POINT cell = p.ToBuffer(xs[k], y);
        if (state.bkMode == OPAQUE) {
            RECT box{cell.x, cell.y, cell.x + CellWidth, cell.y + CellHeight}, part;
            if (IntersectRect(&part, &box, &limit))
                p.Fill(part, paper);
        }
        auto draw = [&](int bx, int by, int alpha) {
            if (bx >= limit.left && bx < limit.right && by >= limit.top && by < limit.bottom)
                p.Blend(bx, by, ink, alpha);
        };
        if (static_cast<size_t>(underline) == k)
            for (int x = 0; x < CellWidth; ++x)
                draw(cell.x + x, cell.y + GlyphBaseline + 1, 255);
        if (static_cast<unsigned char>(text[k]) < 0x20)
            continue;
        const Glyph* glyph = GlyphOf(Unicode(text[k]), bold);
        if (!glyph)
            continue;
        int left = cell.x + glyph->left, top = cell.y + GlyphBaseline - glyph->top;
        for (int gy = 0; gy < glyph->rows; ++gy)
            for (int gx = 0; gx < glyph->width; ++gx)
                draw(left + gx, top + gy, glyph->coverage[static_cast<size_t>(gy * glyph->width + gx)]);
    }
}

std::vector<int> Cells(int x, size_t count, const INT* advances = nullptr) {
    std::vector<int> xs(count);
    for (size_t k = 0; k < count; ++k) {
        xs[k] = x;
        x += advances ? advances[k] : CellWidth;
    }
    return xs;
}

int Width(const std::string& text) {
    return static_cast<int>(text.size()) * CellWidth;
}

struct Line {
    std::string text;
    int underline = -1;
};

// Removes the '&' marks ("&&" is a literal ampersand); the character after the last mark is underlined.
Line TakePrefixes(const std::string& raw) {
    Line line;
    for (size_t k = 0; k < raw.size(); ++k) {
        if (raw[k] != '&') {
            line.text += raw[k];
            continue;
        }
        if (++k >= raw.size())
            break;
        if (raw[k] != '&')
            line.underline = static_cast<int>(line.text.size());
        line.text += raw[k];
    }
    return line;
}

std::string ExpandTabs(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out += c;
    }
    return out;
}

// Greedy breaks at spaces so that each line fits `width`; a longer word keeps a line of its own.
std::vector<std::string> BreakWords(const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string current;
    size_t k = 0;
    while (k < text.size()) {
        size_t end = text.find(' ', k);
        std::string word = text.substr(k, end == std::string::npos ? std::string::npos : end - k);
        k = end == std::string::npos ? text.size() : end + 1;
        std::string joined = current.empty() ? word : current + ' ' + word;
        if (!current.empty() && Width(joined) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = joined;
        }
    }
    lines.push_back(current);
    return lines;
}

std::vector<Line> LayOut(const std::string& text, UINT format, int width) {
    std::vector<std::string> raw;
    if (format & DT_SINGLELINE) {
        raw.push_back(text);
    } else {
        size_t start = 0;
        while (true) {
            size_t end = text.find('\n', start);
            std::string piece =
                text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!piece.empty() && piece.back() == '\r')
                piece.pop_back();
            raw.push_back(piece);
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    std::vector<Line> lines;
    for (const std::string& piece : raw) {
        Line line = format & DT_NOPREFIX ? Line{piece, -1} : TakePrefixes(piece);
        if (format & DT_EXPANDTABS)
            line.text = ExpandTabs(line.text);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            for (std::string& part : BreakWords(line.text, width))
                lines.push_back(Line{part, -1});
            continue;
        }
        if ((format & DT_END_ELLIPSIS) && Width(line.text) > width) {
            size_t keep = static_cast<size_t>(std::max(0, width / CellWidth - 3));
            line.text = line.text.substr(0, keep) + "...";
            if (line.underline >= static_cast<int>(keep))
                line.underline = -1;
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace
} // namespace emu::render

using namespace emu::render;

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, c < 0 ? 0 : static_cast<UINT>(c), nullptr);
}

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                        const INT* lpDx) {
    Painter p(hdc);
    if (!p.Valid() || (c > 0 && !lpString))
        return FALSE;
    if (!p.Drawing())
        return TRUE;
    RECT limit = p.Destination().clip;
    if (lprect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        RECT box = p.Clipped(p.ToBuffer(*lprect));
        if (options & ETO_OPAQUE)
            p.Fill(box, p.Pixel(p.Context().state.bk));
        if (options & ETO_CLIPPED)
            limit = box;
    }
    DrawRun(p, Cells(x, c, lpDx), y, std::string_view(lpString ? lpString : "", c), limit, -1);
    return TRUE;
}

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    Painter p(hdc);
    if (!p.Valid() || !lprc || !lpchText || cchText < -1)
        return 0;
    std::string text(lpchText, cchText == -1 ? std::strlen(lpchText) : static_cast<size_t>(cchText));
    if (text.empty()) {
        if (format & DT_CALCRECT)
            lprc->right = lprc->left, lprc->bottom = lprc->top;
        return 0;
    }
    RECT r = *lprc;
    std::vector<Line> lines = LayOut(text, format, r.right - r.left);
    int height = static_cast<int>(lines.size()) * CellHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, Width(line.text));
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + height;
        return height;
    }
    int y = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = r.top + (r.bottom - r.top - CellHeight) / 2;
        else if (format & DT_BOTTOM)
            y = r.bottom - CellHeight;
    }
    if (p.Drawing()) {
        RECT limit = format & DT_NOCLIP ? p.Destination().clip : p.Clipped(p.ToBuffer(r));
        for (size_t k = 0; k < lines.size(); ++k) {
            int width = Width(lines[k].text), x = r.left;
            if (format & DT_CENTER)
                x = r.left + (r.right - r.left - width) / 2;
            else if (format & DT_RIGHT)
                x = r.right - width;
            DrawRun(p, Cells(x, lines[k].text.size()), y + static_cast<int>(k) * CellHeight, lines[k].text,
                    limit, lines[k].underline);
        }
    }
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return y - r.top + CellHeight;
    return height;
}
