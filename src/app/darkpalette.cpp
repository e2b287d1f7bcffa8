#include "app/darkpalette.h"

QPalette darkPalette()
{
    QPalette p;
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    p.setColor(QPalette::Window, black);
    p.setColor(QPalette::WindowText, white);
    p.setColor(QPalette::Base, black);
    p.setColor(QPalette::AlternateBase, QColor(0x14, 0x14, 0x14));
    p.setColor(QPalette::Text, white);
    p.setColor(QPalette::Button, QColor(0x22, 0x22, 0x22));
    p.setColor(QPalette::ButtonText, white);
    p.setColor(QPalette::BrightText, QColor(0xff, 0x60, 0x60));
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::Mid, QColor(0x2c, 0x2c, 0x2c));
    p.setColor(QPalette::Dark, QColor(0x12, 0x12, 0x12));
    p.setColor(QPalette::Shadow, black);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x5d, 0xb0));
    p.setColor(QPalette::HighlightedText, white);
    p.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
    p.setColor(QPalette::ToolTipText, black);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}
