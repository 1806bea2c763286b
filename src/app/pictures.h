#pragma once
// The window's bitmaps, decoded when the program is built (tools/embed_pictures).

#include <QIcon>
#include <QImage>
#include <QLatin1StringView>

#include <cstddef>

namespace app::pictures {

// One bitmap as it decoded from its PNG file.
struct Stored {
    const char *name; // the file's name, such as "shuffle.png"
    int width, height, bytesPerLine, format;
    const unsigned char *bits;
    const unsigned *colours;
    int colourCount;
};

extern const Stored stored[];
extern const std::size_t storedCount;

// The bitmap of that file name; a null image for a name that is not there.
QImage image(QLatin1StringView name);

// An icon of the bitmap of that file name.
QIcon icon(QLatin1StringView name);

// An icon of the two bitmaps NAME_16.png and NAME_32.png, one for each size.
QIcon pairIcon(QLatin1StringView name);

} // namespace app::pictures
