#include "pictures.h"

#include <QPixmap>

namespace app::pictures {

QImage image(QLatin1StringView name)
{
    for (std::size_t i = 0; i < storedCount; ++i) {
        const Stored &s = stored[i];
        if (name != QLatin1StringView(s.name))
            continue;
        QImage img(s.bits, s.width, s.height, s.bytesPerLine, QImage::Format(s.format));
        if (s.colourCount > 0)
            img.setColorTable(QList<QRgb>(s.colours, s.colours + s.colourCount));
        return img;
    }
    return {};
}

QIcon icon(QLatin1StringView name)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image(name)));
    return icon;
}

QIcon pairIcon(QLatin1StringView name)
{
    QIcon icon;
    for (const char *size : {"_16.png", "_32.png"}) {
        const QByteArray file = QByteArray(name.data(), name.size()) + size;
        icon.addPixmap(QPixmap::fromImage(image(QLatin1StringView(file))));
    }
    return icon;
}

} // namespace app::pictures
