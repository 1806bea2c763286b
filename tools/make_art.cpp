// make_art: paints every bitmap and icon of the program with QPainter, so all
// art is our own and can be redrawn at will.
//
// To regenerate resources/ and the desktop icons in data/icons/ after changing a
// drawing, from a configured build folder:
//   cmake --build build --target art
// which runs, from the repository root,
//   QT_QPA_PLATFORM=offscreen make_art resources data/icons
// It writes the PNG files (the build embeds them in the program), and, when a
// second folder is named, the application icon for the desktop's hicolor theme:
// the pixel drawings at 16 and 32 pixels, a vector drawing rendered at 48 to 256
// pixels, and the same vector drawing as SVG.
//
// Small pictures are drawn pixel by pixel (no antialiasing) so they stay crisp
// at 1x; only curves and text in the large pictures are smoothed.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <numbers>
#include <vector>

namespace {

// Colours of the game itself, so the pictures match the board.
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kToken(0, 0, 255);        // token background at start
const QColor kTokenEdge(0, 0, 128);
const QColor kEdge(64, 64, 64);        // graph edges
const QColor kShadow(128, 128, 128);

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// ---- pixel helpers (no antialiasing; coordinates are inclusive pixels) ----

void px(QPainter& p, int x, int y, const QColor& c) { p.fillRect(x, y, 1, 1, c); }
void fill(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c)
{
    p.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, c);
}
void hline(QPainter& p, int x0, int x1, int y, const QColor& c) { fill(p, x0, y, x1, y, c); }
void vline(QPainter& p, int x, int y0, int y1, const QColor& c) { fill(p, x, y0, x, y1, c); }
void frame(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c)
{
    hline(p, x0, x1, y0, c);
    hline(p, x0, x1, y1, c);
    vline(p, x0, y0, y1, c);
    vline(p, x1, y0, y1, c);
}

// Glyphs for places too small for a real font. '#' is ink.
using Glyph = std::vector<const char*>;
const std::map<char, Glyph>& glyphs()
{
    static const std::map<char, Glyph> g = {
        // 3 x 5 digits
        {'1', {".#.", "##.", ".#.", ".#.", "###"}},
        {'2', {"##.", "..#", ".#.", "#..", "###"}},
        {'3', {"##.", "..#", ".#.", "..#", "##."}},
        // bold 5 x 7 capitals for the stop sign
        {'S', {".####", "##...", "##...", ".###.", "...##", "...##", "####."}},
        {'T', {"######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."}},
        {'O', {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."}},
        {'P', {"####.", "##.##", "##.##", "####.", "##...", "##...", "##..."}},
    };
    return g;
}
int glyphWidth(char ch) { return int(std::strlen(glyphs().at(ch).front())); }
void glyph(QPainter& p, int x, int y, char ch, const QColor& c)
{
    const Glyph& g = glyphs().at(ch);
    for (int r = 0; r < int(g.size()); ++r)
        for (int k = 0; g[r][k]; ++k)
            if (g[r][k] == '#')
                px(p, x + k, y + r, c);
}
int glyphTextWidth(const char* s)
{
    int w = 0;
    for (const char* q = s; *q; ++q)
        w += glyphWidth(*q) + (q[1] ? 1 : 0);
    return w;
}
void glyphText(QPainter& p, int x, int y, const char* s, const QColor& c)
{
    for (const char* q = s; *q; ++q) {
        glyph(p, x, y, *q, c);
        x += glyphWidth(*q) + 1;
    }
}

// A field: white square with a thin black border.
void field(QPainter& p, int x, int y, int size, const QColor& back = kWhite)
{
    fill(p, x, y, x + size - 1, y + size - 1, back);
    frame(p, x, y, x + size - 1, y + size - 1, kBlack);
}

// A small token: blue square with a darker rim and a pixel digit.
void pixelToken(QPainter& p, int x, int y, int size, char digit)
{
    fill(p, x, y, x + size - 1, y + size - 1, kToken);
    frame(p, x, y, x + size - 1, y + size - 1, kTokenEdge);
    if (digit) {
        const int gx = x + (size - 3) / 2;
        const int gy = y + (size - 5 + 1) / 2;
        glyph(p, gx, gy, digit, kWhite);
    }
}

// A large token with a real (serif) numeral, as tokens show on the board.
void fontToken(QPainter& p, const QRect& r, const QString& text, int pixelSize)
{
    p.fillRect(r, kToken);
    p.setPen(kTokenEdge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kWhite);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.drawText(r.adjusted(0, 1, 0, 0), Qt::AlignCenter, text);
}

// Solid arrow pointing right, shaft rows y0..y1, tip at column tipX.
void arrowRight(QPainter& p, int x0, int tipX, int yc, int head, const QColor& c)
{
    const int shaftEnd = tipX - head;
    fill(p, x0, yc - 1, shaftEnd, yc, c);
    for (int k = 0; k < head; ++k)
        vline(p, shaftEnd + 1 + k, yc - head + k, yc + head - 1 - k, c);
}

// ---- saving ----

struct Writer {
    QString dir;
    bool ok = true;

    void fail(const QString& name, const char* why)
    {
        std::fprintf(stderr, "make_art: %s: %s\n", qPrintable(name), why);
        ok = false;
    }

    void saveTrueColour(const QImage& img, const QString& name)
    {
        if (!img.convertToFormat(QImage::Format_ARGB32).save(dir + u'/' + name, "PNG"))
            return fail(name, "cannot write");
    }

    // Palette image with exactly the colours used; partial alpha is not kept
    // (pixels are either transparent or opaque).
    void saveIndexed(const QImage& src, const QString& name, int maxColours)
    {
        const QImage img = src.convertToFormat(QImage::Format_ARGB32);
        QList<QRgb> table;
        std::map<QRgb, int> index;
        std::vector<uchar> pixels;
        pixels.reserve(std::size_t(img.width()) * std::size_t(img.height()));
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                QRgb c = img.pixel(x, y);
                c = qAlpha(c) < 128 ? qRgba(0, 0, 0, 0) : (c | 0xff000000u);
                auto it = index.find(c);
                if (it == index.end()) {
                    it = index.emplace(c, int(table.size())).first;
                    table << c;
                }
                if (table.size() > maxColours)
                    return fail(name, "too many colours");
                pixels.push_back(uchar(it->second));
            }
        }
        QImage out(img.size(), QImage::Format_Indexed8);
        out.setColorTable(table);
        for (int y = 0; y < img.height(); ++y)
            std::memcpy(out.scanLine(y), pixels.data() + std::size_t(y) * std::size_t(img.width()),
                        std::size_t(img.width()));
        if (!out.save(dir + u'/' + name, "PNG"))
            return fail(name, "cannot write");
    }
};

// ---- toolbar (24 x 23, Windows-95-like) ----

QImage toolbarNew()
{
    QImage img = blank(24, 23);
    QPainter p(&img);
    // sheet x 5..17, y 1..20, folded corner of 4
    const int l = 5, r = 17, t = 1, b = 20, f = 4;
    for (int y = t; y <= b; ++y) {
        const int right = y < t + f ? r - f + (y - t) : r;
        hline(p, l, right, y, kWhite);
    }
    // outline
    hline(p, l, r - f, t, kBlack);
    vline(p, l, t, b, kBlack);
    hline(p, l, r, b, kBlack);
    vline(p, r, t + f, b, kBlack);
    for (int k = 0; k <= f; ++k)
        px(p, r - f + k, t + k, kBlack);
    // the folded-over corner
    const QColor fold(192, 192, 192);
    for (int y = t + 1; y < t + f; ++y)
        hline(p, r - f + 1, r - f + (y - t) - 1, y, fold);
    vline(p, r - f, t, t + f, kBlack);
    hline(p, r - f, r, t + f, kBlack);
    // soft drop shadow
    vline(p, r + 1, t + f + 1, b + 1, kShadow);
    hline(p, l + 1, r + 1, b + 1, kShadow);
    return img;
}

QImage toolbarOpen()
{
    QImage img = blank(24, 23);
    QPainter p(&img);
    const QColor back(200, 152, 24);
    const QColor front(255, 216, 80);
    const QColor light(255, 240, 168);
    // back of the folder with its tab
    fill(p, 1, 7, 16, 19, back);
    frame(p, 1, 7, 16, 19, kBlack);
    fill(p, 2, 5, 7, 6, back);
    hline(p, 2, 7, 4, kBlack);
    vline(p, 1, 5, 6, kBlack);
    vline(p, 8, 5, 6, kBlack);
    hline(p, 2, 15, 8, light);
    vline(p, 2, 8, 18, light);
    // opened front flap, a parallelogram leaning left
    const int top = 11, bot = 19;
    for (int y = top; y <= bot; ++y) {
        const int shift = (y - top) / 2;  // two rows per pixel of slant
        const int x0 = 6 - shift;
        const int x1 = 22 - shift;
        hline(p, x0, x1, y, front);
        px(p, x0, y, kBlack);
        px(p, x1, y, kBlack);
    }
    hline(p, 6, 22, top, kBlack);
    hline(p, 2, 18, bot, kBlack);
    hline(p, 7, 21, top + 1, light);
    // curved arrow: the folder is being opened
    const QColor a = kBlack;
    px(p, 11, 3, a);
    px(p, 12, 2, a);
    hline(p, 13, 17, 1, a);
    px(p, 18, 2, a);
    px(p, 19, 3, a);
    hline(p, 17, 21, 4, a);
    hline(p, 18, 20, 5, a);
    px(p, 19, 6, a);
    return img;
}

QImage toolbarSave()
{
    QImage img = blank(24, 23);
    QPainter p(&img);
    const QColor body(40, 72, 168);
    const QColor bodyLight(96, 128, 216);
    const QColor metal(208, 208, 208);
    const QColor metalDark(128, 128, 128);
    const int l = 3, r = 19, t = 2, b = 19;
    fill(p, l, t, r, b, body);
    frame(p, l, t, r, b, kBlack);
    // cut corner at the top right
    p.setCompositionMode(QPainter::CompositionMode_Source);
    px(p, r, t, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    px(p, r - 1, t + 1, kBlack);
    // highlight on the left and top
    vline(p, l + 1, t + 1, b - 1, bodyLight);
    // paper label with writing
    fill(p, l + 3, t + 1, r - 3, t + 8, kWhite);
    vline(p, l + 3, t + 1, t + 8, kBlack);
    vline(p, r - 3, t + 1, t + 8, kBlack);
    hline(p, l + 3, r - 3, t + 8, kBlack);
    hline(p, l + 5, r - 5, t + 3, metalDark);
    hline(p, l + 5, r - 6, t + 5, metalDark);
    // metal shutter with its window
    fill(p, l + 4, b - 6, r - 3, b - 1, metal);
    frame(p, l + 4, b - 6, r - 3, b, kBlack);
    fill(p, r - 7, b - 5, r - 6, b - 2, body);
    hline(p, l + 5, r - 4, b - 5, kWhite);
    // write-protect notch
    px(p, l + 1, b - 1, kBlack);
    return img;
}

// ---- mode button pictures (61 x 14) ----

QImage modeSet()
{
    QImage img = blank(61, 14);
    QPainter p(&img);
    // where the field came from: a dashed outline ...
    const QColor ghost(96, 96, 96);
    const int gx = 4, gy = 1, n = 12;
    for (int k = 0; k < n; ++k) {
        if (k % 3 == 2)
            continue;
        px(p, gx + k, gy, ghost);
        px(p, gx + k, gy + n - 1, ghost);
        px(p, gx, gy + k, ghost);
        px(p, gx + n - 1, gy + k, ghost);
    }
    // ... moved to where it is set down
    arrowRight(p, 19, 40, 7, 5, kBlack);
    vline(p, 57, 2, 13, kShadow);
    hline(p, 46, 57, 13, kShadow);
    field(p, 45, 1, 12);
    return img;
}

QImage modeConnect()
{
    QImage img = blank(61, 14);
    QPainter p(&img);
    field(p, 4, 1, 12);
    field(p, 45, 1, 12);
    fill(p, 16, 6, 44, 7, kBlack);
    return img;
}

QImage modePlay()
{
    QImage img = blank(61, 14);
    QPainter p(&img);
    pixelToken(p, 4, 1, 12, '1');
    arrowRight(p, 19, 40, 7, 5, kBlack);
    field(p, 45, 1, 12);
    return img;
}

// ---- shuffleButton: shuffle by random moves (80 x 75) ----

// An arc with an arrow head at its end, for the mixing arrows.
void arcArrow(QPainter& p, const QPointF& c, double radius, double startDeg, double spanDeg,
              const QColor& col, double width)
{
    const double hl = width * 2.2, hw = width * 1.6;
    const double dir = spanDeg > 0 ? 1.0 : -1.0;
    const double headDeg = hl / radius * 180.0 / std::numbers::pi;
    const QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    p.setPen(QPen(col, width, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, int(startDeg * 16), int((spanDeg - dir * headDeg * 0.3) * 16));
    // the head follows the curve: base on the arc's end, tip further along it
    auto at = [&](double deg) {
        const double a = deg * std::numbers::pi / 180.0;
        return QPointF(c.x() + radius * std::cos(a), c.y() - radius * std::sin(a));
    };
    const double endDeg = startDeg + spanDeg;
    const QPointF base = at(endDeg - dir * headDeg * 0.5);
    const QPointF tip = at(endDeg + dir * headDeg * 0.5);
    const QPointF d = tip - base;
    const double len = std::hypot(d.x(), d.y());
    const QPointF n(-d.y() / len, d.x() / len);
    QPolygonF head;
    head << tip << base + n * hw << base - n * hw;
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(head);
}

// A die showing five, axis-aligned and crisp, size 12.
void die(QPainter& p, int x, int y)
{
    const int s = 12;
    fill(p, x + 1, y + 1, x + s - 2, y + s - 2, kWhite);
    hline(p, x + 1, x + s - 2, y, kBlack);
    hline(p, x + 1, x + s - 2, y + s - 1, kBlack);
    vline(p, x, y + 1, y + s - 2, kBlack);
    vline(p, x + s - 1, y + 1, y + s - 2, kBlack);
    const int pip[5][2] = {{2, 2}, {8, 2}, {5, 5}, {2, 8}, {8, 8}};
    for (const auto& q : pip)
        fill(p, x + q[0], y + q[1], x + q[0] + 1, y + q[1] + 1, kBlack);
}

QImage shuffleButton()
{
    QImage img = blank(80, 75);
    QPainter p(&img);
    // the button is 71 px high, so keep 2 px clear at top and bottom
    const int s = 20;
    const QPoint pos[4] = {{4, 5}, {56, 5}, {4, 50}, {56, 50}};
    // edges of a ring of four fields
    const QColor edge = kEdge;
    fill(p, pos[0].x() + s, 14, pos[1].x() - 1, 15, edge);
    fill(p, pos[2].x() + s, 59, pos[3].x() - 1, 60, edge);
    fill(p, 13, pos[0].y() + s, 14, pos[2].y() - 1, edge);
    fill(p, 65, pos[1].y() + s, 66, pos[3].y() - 1, edge);
    for (const QPoint& q : pos) {
        fill(p, q.x() + 1, q.y() + 1, q.x() + s, q.y() + s, kShadow);
        field(p, q.x(), q.y(), s);
    }
    const char* nums[3] = {"3", "1", "2"};
    for (int i = 0; i < 3; ++i)
        fontToken(p, QRect(pos[i].x() + 3, pos[i].y() + 3, s - 6, s - 6),
                  QString::fromLatin1(nums[i]), 13);

    // chance: a die, with two arrows chasing each other round it
    die(p, 34, 32);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor red(200, 0, 0);
    const QPointF c(40.0, 38.0);
    arcArrow(p, c, 13.0, 100, 150, red, 3.0);
    arcArrow(p, c, 13.0, 280, 150, red, 3.0);
    return img;
}

// ---- normalViewButton: back from full screen to the normal window (82 x 95) ----

QImage normalViewButton()
{
    QImage img = blank(82, 95);
    QPainter p(&img);
    // the full screen, drawn as a faint dashed outline
    const QColor faint(96, 96, 96);
    const int L = 2, T = 2, R = 79, B = 66;
    for (int x = L; x <= R; ++x)
        if ((x - L) % 4 < 2) {
            px(p, x, T, faint);
            px(p, x, B, faint);
        }
    for (int y = T; y <= B; ++y)
        if ((y - T) % 4 < 2) {
            px(p, L, y, faint);
            px(p, R, y, faint);
        }

    // the normal window in the middle
    const int wl = 24, wt = 20, wr = 57, wb = 48;
    fill(p, wl + 2, wt + 2, wr + 2, wb + 2, kShadow);
    fill(p, wl, wt, wr, wb, kWhite);
    frame(p, wl, wt, wr, wb, kBlack);
    fill(p, wl + 1, wt + 1, wr - 1, wt + 6, QColor(0, 0, 128));
    // title bar buttons
    for (int k = 0; k < 3; ++k) {
        const int bx = wr - 6 - k * 6;
        fill(p, bx, wt + 2, bx + 4, wt + 5, QColor(192, 192, 192));
    }
    hline(p, wl + 1, wr - 1, wt + 7, kBlack);
    // a little graph inside the window
    fill(p, wl + 9, wt + 14, wl + 22, wt + 15, kEdge);
    field(p, wl + 4, wt + 11, 8);
    field(p, wl + 21, wt + 11, 8);
    fill(p, wl + 6, wt + 13, wl + 9, wt + 16, kToken);

    // arrows from the screen's corners in to the window
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ac(0, 0, 0);
    auto arrow = [&](QPointF from, QPointF to) {
        const QPointF d = to - from;
        const double len = std::hypot(d.x(), d.y());
        const QPointF u = d / len;
        const QPointF n(-u.y(), u.x());
        const double hl = 8.0, hw = 5.0;
        p.setPen(QPen(ac, 3.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(from, to - u * (hl - 1));
        QPolygonF head;
        head << to << to - u * hl + n * hw << to - u * hl - n * hw;
        p.setPen(Qt::NoPen);
        p.setBrush(ac);
        p.drawPolygon(head);
    };
    arrow({6.0, 6.0}, {20.0, 16.5});
    arrow({76.0, 6.0}, {62.0, 16.5});
    arrow({6.0, 62.5}, {20.0, 52.0});
    arrow({76.0, 62.5}, {62.0, 52.0});

    // the word
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(17);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kBlack);
    p.drawText(QRect(0, 70, 82, 22), Qt::AlignCenter, QStringLiteral("normal"));
    return img;
}

// ---- stop signs and other 16-colour icons ----

// Octagon of size n with corner cut c, shrunk by k pixels.
bool inOctagon(int x, int y, int n, int c, int k)
{
    if (x < k || y < k || x > n - 1 - k || y > n - 1 - k)
        return false;
    const int d = c + int(std::lround(k * 1.41421356));
    return x + y >= d && (n - 1 - x) + y >= d && x + (n - 1 - y) >= d
           && (n - 1 - x) + (n - 1 - y) >= d;
}

QImage stopShuffle(int n)
{
    QImage img = blank(n, n);
    QPainter p(&img);
    const QColor darkRed(120, 0, 0);
    const QColor red(216, 0, 0);
    const int cut = n == 32 ? 9 : 4;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (!inOctagon(x, y, n, cut, 0))
                continue;
            QColor c = red;
            if (!inOctagon(x, y, n, cut, 1))
                c = darkRed;
            else if (!inOctagon(x, y, n, cut, n == 32 ? 3 : 2))
                c = kWhite;
            px(p, x, y, c);
        }
    }
    if (n == 32) {
        const char* word = "STOP";
        const int w = glyphTextWidth(word);
        glyphText(p, (n - w) / 2, 12, word, kWhite);
    } else {
        fill(p, 4, 7, 11, 8, kWhite);  // too small for letters: a bar stands for them
    }
    return img;
}

// A red-and-white barrier post stands in the way of a row of tokens.
QImage stopCascade(int n)
{
    QImage img = blank(n, n);
    QPainter p(&img);
    const QColor red(216, 0, 0);
    const QColor darkRed(120, 0, 0);
    const QColor foot(64, 64, 64);
    auto post = [&](int l, int r, int t, int b, int band) {
        for (int y = t; y <= b; ++y)
            for (int x = l; x <= r; ++x)
                px(p, x, y, ((y + x) / band) % 2 ? red : kWhite);
        frame(p, l, t, r, b, darkRed);
        // rounded top
        p.setCompositionMode(QPainter::CompositionMode_Source);
        px(p, l, t, Qt::transparent);
        px(p, r, t, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        px(p, l + 1, t + 1, darkRed);
        px(p, r - 1, t + 1, darkRed);
    };
    if (n == 32) {
        const int ty = 12, ts = 8;
        const char digits[3] = {'3', '2', '1'};
        fill(p, 0, 15, 25, 16, kEdge);
        for (int i = 0; i < 3; ++i)
            pixelToken(p, i * 9, ty, ts, digits[i]);
        post(26, 31, 1, 28, 4);
        fill(p, 24, 29, 31, 30, foot);
    } else {
        hline(p, 0, 11, 7, kEdge);
        pixelToken(p, 0, 5, 5, 0);
        pixelToken(p, 6, 5, 5, 0);
        post(12, 15, 0, 13, 3);
        hline(p, 11, 15, 14, foot);
    }
    return img;
}

// The window icon: a ring of four fields, three tokens and the free field.
QImage appIcon(int n)
{
    QImage img = blank(n, n);
    QPainter p(&img);
    if (n == 32) {
        const int s = 12;
        const QPoint pos[4] = {{0, 0}, {20, 0}, {0, 20}, {20, 20}};
        fill(p, 12, 5, 19, 6, kEdge);
        fill(p, 12, 25, 19, 26, kEdge);
        fill(p, 5, 12, 6, 19, kEdge);
        fill(p, 25, 12, 26, 19, kEdge);
        for (const QPoint& q : pos)
            field(p, q.x(), q.y(), s);
        pixelToken(p, 2, 2, 8, '1');
        pixelToken(p, 22, 2, 8, '2');
        pixelToken(p, 2, 22, 8, '3');
    } else {
        const int s = 7;
        const QPoint pos[4] = {{0, 0}, {9, 0}, {0, 9}, {9, 9}};
        hline(p, 7, 8, 3, kEdge);
        hline(p, 7, 8, 12, kEdge);
        vline(p, 3, 7, 8, kEdge);
        vline(p, 12, 7, 8, kEdge);
        for (const QPoint& q : pos)
            field(p, q.x(), q.y(), s);
        fill(p, 2, 2, 4, 4, kToken);
        fill(p, 11, 2, 13, 4, kToken);
        fill(p, 2, 11, 4, 13, kToken);
    }
    return img;
}

// ---- the application icon for the desktop, as vectors ----

// One filled (and optionally outlined) shape of the vector icon.
struct Shape {
    QPainterPath path;
    QColor fill;
    QColor stroke;     // invalid: no outline
    double width = 0;  // of the outline
};

// The window icon's picture on a 256 x 256 canvas: the ring of four fields, three
// tokens with the board's serif numerals, the free field at the lower right.
std::vector<Shape> vectorIcon()
{
    std::vector<Shape> out;
    auto rect = [](double x, double y, double w, double h) {
        QPainterPath path;
        path.addRect(x, y, w, h);
        return path;
    };
    const double s = 100, gap = 256 - 2 * s - 8;  // fields of 100, 4 from the edge
    const QPointF pos[4] = {{4, 4}, {4 + s + gap, 4}, {4, 4 + s + gap}, {4 + s + gap, 4 + s + gap}};
    // edges first, so the fields cover their ends
    const double e = 14, mid = 4 + s / 2 - e / 2;
    for (const QRectF& r : {QRectF(4 + s, mid, gap, e), QRectF(4 + s, mid + s + gap, gap, e),
                            QRectF(mid, 4 + s, e, gap), QRectF(mid + s + gap, 4 + s, e, gap)})
        out.push_back({rect(r.x(), r.y(), r.width(), r.height()), kEdge, QColor(), 0});
    for (const QPointF& q : pos) {
        out.push_back({rect(q.x() + 6, q.y() + 6, s - 6, s - 6), QColor(0, 0, 0, 64), QColor(), 0});
        out.push_back({rect(q.x() + 2, q.y() + 2, s - 6, s - 6), kWhite, kBlack, 4});
    }
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(60);
    f.setBold(true);
    const char* nums[3] = {"1", "2", "3"};
    for (int i = 0; i < 3; ++i) {
        const QRectF t(pos[i].x() + 16, pos[i].y() + 16, s - 30, s - 30);
        out.push_back({rect(t.x(), t.y(), t.width(), t.height()), kToken, kTokenEdge, 4});
        QPainterPath digit;
        digit.addText(0, 0, f, QString::fromLatin1(nums[i]));
        const QRectF b = digit.boundingRect();
        digit.translate(t.center() - b.center());
        out.push_back({digit, kWhite, QColor(), 0});
    }
    return out;
}

QImage renderIcon(const std::vector<Shape>& shapes, int n)
{
    QImage img = blank(n, n);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(n / 256.0, n / 256.0);
    for (const Shape& sh : shapes) {
        p.fillPath(sh.path, sh.fill);
        if (sh.stroke.isValid())
            p.strokePath(sh.path, QPen(sh.stroke, sh.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }
    return img;
}

QString svgNumber(double v) { return QString::number(std::round(v * 100) / 100, 'g', 8); }

QString svgColour(const QColor& c) { return c.name(QColor::HexRgb); }

QString svgIcon(const std::vector<Shape>& shapes)
{
    QString out = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Drawn by tools/make_art.cpp; regenerate, do not edit. -->\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n");
    for (const Shape& sh : shapes) {
        QStringList d;
        for (int i = 0; i < sh.path.elementCount(); ++i) {
            const QPainterPath::Element el = sh.path.elementAt(i);
            if (el.type == QPainterPath::MoveToElement) {
                d << QStringLiteral("M%1 %2").arg(svgNumber(el.x), svgNumber(el.y));
            } else if (el.type == QPainterPath::LineToElement) {
                d << QStringLiteral("L%1 %2").arg(svgNumber(el.x), svgNumber(el.y));
            } else if (el.type == QPainterPath::CurveToElement) {
                const QPainterPath::Element c2 = sh.path.elementAt(i + 1), to = sh.path.elementAt(i + 2);
                d << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(svgNumber(el.x), svgNumber(el.y), svgNumber(c2.x), svgNumber(c2.y),
                              svgNumber(to.x), svgNumber(to.y));
                i += 2;
            }
        }
        out += QStringLiteral("  <path d=\"%1Z\" fill=\"%2\"").arg(d.join(u' '), svgColour(sh.fill));
        if (sh.fill.alpha() < 255)
            out += QStringLiteral(" fill-opacity=\"%1\"").arg(svgNumber(sh.fill.alphaF()));
        if (sh.path.fillRule() == Qt::WindingFill)
            out += QStringLiteral(" fill-rule=\"nonzero\"");
        else
            out += QStringLiteral(" fill-rule=\"evenodd\"");
        if (sh.stroke.isValid())
            out += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"miter\"")
                       .arg(svgColour(sh.stroke), svgNumber(sh.width));
        out += QStringLiteral("/>\n");
    }
    out += QStringLiteral("</svg>\n");
    return out;
}

// The hicolor theme's folders under `root`, named after the program's desktop entry.
bool writeDesktopIcons(const QString& root)
{
    const QString name = QStringLiteral("de.graphen_schiebwerk.GraphenSchiebwerk");
    bool ok = true;
    auto place = [&](const QString& size) {
        const QString dir = root + QStringLiteral("/hicolor/") + size + QStringLiteral("/apps");
        if (!QDir().mkpath(dir)) {
            std::fprintf(stderr, "make_art: cannot create %s\n", qPrintable(dir));
            ok = false;
        }
        return dir + u'/' + name;
    };
    auto png = [&](const QImage& img, int n) {
        const QString file = place(QStringLiteral("%1x%1").arg(n)) + QStringLiteral(".png");
        if (!img.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "make_art: cannot write %s\n", qPrintable(file));
            ok = false;
        }
    };
    // Small sizes: the crisp pixel drawings of the window icon.
    png(appIcon(16), 16);
    png(appIcon(32), 32);
    const std::vector<Shape> shapes = vectorIcon();
    for (int n : {48, 64, 128, 256})
        png(renderIcon(shapes, n), n);
    QFile svg(place(QStringLiteral("scalable")) + QStringLiteral(".svg"));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(svgIcon(shapes).toUtf8()) < 0) {
        std::fprintf(stderr, "make_art: cannot write %s\n", qPrintable(svg.fileName()));
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_art OUTPUT_FOLDER [ICON_FOLDER]\n");
        return 2;
    }
    Writer w;
    w.dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(w.dir)) {
        std::fprintf(stderr, "make_art: cannot create %s\n", argv[1]);
        return 1;
    }

    w.saveIndexed(toolbarNew(), QStringLiteral("toolbar_new.png"), 256);
    w.saveIndexed(toolbarOpen(), QStringLiteral("toolbar_open.png"), 256);
    w.saveIndexed(toolbarSave(), QStringLiteral("toolbar_save.png"), 256);

    w.saveTrueColour(modeSet(), QStringLiteral("mode_set.png"));
    w.saveTrueColour(modeConnect(), QStringLiteral("mode_connect.png"));
    w.saveTrueColour(modePlay(), QStringLiteral("mode_play.png"));

    w.saveTrueColour(shuffleButton(), QStringLiteral("shuffle.png"));
    w.saveTrueColour(normalViewButton(), QStringLiteral("normal_view.png"));

    w.saveIndexed(stopShuffle(32), QStringLiteral("stop_shuffle_32.png"), 16);
    w.saveIndexed(stopShuffle(16), QStringLiteral("stop_shuffle_16.png"), 16);
    w.saveIndexed(stopCascade(32), QStringLiteral("stop_cascade_32.png"), 16);
    w.saveIndexed(stopCascade(16), QStringLiteral("stop_cascade_16.png"), 16);
    w.saveIndexed(appIcon(32), QStringLiteral("app_32.png"), 16);
    w.saveIndexed(appIcon(16), QStringLiteral("app_16.png"), 16);

    const bool icons = argc < 3 || writeDesktopIcons(QString::fromLocal8Bit(argv[2]));
    return w.ok && icons ? 0 : 1;
}
