#include "colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace colors {

namespace {

// The system colour scheme entries, mapped onto the nearest palette roles.
QColor systemColor(int entry)
{
    const QPalette pal = QGuiApplication::palette();
    switch (entry) {
    case 0x00: return pal.color(QPalette::Mid);             // scroll bar
    case 0x01: return pal.color(QPalette::Dark);            // desktop
    case 0x02: return pal.color(QPalette::Highlight);       // active caption
    case 0x03: return pal.color(QPalette::Mid);             // inactive caption
    case 0x04: return pal.color(QPalette::Window);          // menu
    case 0x05: return pal.color(QPalette::Base);            // window background
    case 0x06: return pal.color(QPalette::Shadow);          // window frame
    case 0x07: return pal.color(QPalette::WindowText);      // menu text
    case 0x08: return pal.color(QPalette::Text);            // window text
    case 0x09: return pal.color(QPalette::HighlightedText); // caption text
    case 0x0A: return pal.color(QPalette::Window);          // active border
    case 0x0B: return pal.color(QPalette::Window);          // inactive border
    case 0x0C: return pal.color(QPalette::Mid);             // application workspace
    case 0x0D: return pal.color(QPalette::Highlight);       // highlight
    case 0x0E: return pal.color(QPalette::HighlightedText); // highlight text
    case 0x0F: return pal.color(QPalette::Button);          // button face
    case 0x10: return pal.color(QPalette::Dark);            // button shadow
    case 0x11: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12: return pal.color(QPalette::ButtonText);      // button text
    case 0x13: return pal.color(QPalette::Disabled, QPalette::WindowText); // inactive caption text
    case 0x14: return pal.color(QPalette::Light);           // button highlight
    case 0x15: return pal.color(QPalette::Shadow);          // 3-D dark shadow
    case 0x16: return pal.color(QPalette::Midlight);        // 3-D light
    case 0x17: return pal.color(QPalette::ToolTipText);     // info text
    case 0x18: return pal.color(QPalette::ToolTipBase);     // info background
    case 0x1A: return pal.color(QPalette::Link);            // hot-tracked item
    case 0x1D: return pal.color(QPalette::Highlight);       // menu highlight
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor toQColor(Color c)
{
    if (isSystem(c))
        return systemColor(static_cast<int>(static_cast<std::uint32_t>(c) & 0xFF));
    const auto u = static_cast<std::uint32_t>(c);
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

Color fromQColor(const QColor &q) { return rgb(q.red(), q.green(), q.blue()); }

} // namespace colors
