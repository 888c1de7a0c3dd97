#include "style.h"

#include <QFontDatabase>

namespace grid {

namespace {

struct StandardColours {
    QColor background;
    QColor text;
};

// Plain window colours: light panels, white cells, the usual blue selection.
StandardColours standardColours(StyleElement element) {
    const QColor face(0xF0, 0xF0, 0xF0);
    switch (element) {
        case StyleElement::Background:
            return {QColor(0xFF, 0xFF, 0xFF), Qt::black};
        case StyleElement::Content:
        case StyleElement::ContentEven:
        case StyleElement::ContentOdd:
            return {Qt::white, Qt::black};
        case StyleElement::FilterBox:
        case StyleElement::Footer:
        case StyleElement::Group:
        case StyleElement::Header:
        case StyleElement::Indicator:
            return {face, Qt::black};
        case StyleElement::GroupByBox:
            return {QColor(0x80, 0x80, 0x80), Qt::white};
        case StyleElement::IncSearch:
            return {QColor(0x00, 0x78, 0xD7), Qt::white};
        case StyleElement::Inactive:
            return {QColor(0xC8, 0xC8, 0xC8), Qt::black};
        case StyleElement::Preview:
            return {Qt::white, QColor(0x00, 0x00, 0x80)};
        case StyleElement::Selection:
            return {QColor(0x00, 0x78, 0xD7), Qt::white};
    }
    return {Qt::white, Qt::black};
}

}  // namespace

Look standardLook(StyleElement element, const QFont& gridFont) {
    const StandardColours colours = standardColours(element);
    return {colours.background, colours.text, gridFont};
}

Look compose(const StyleSheet* sheet, StyleElement element, const QFont& gridFont) {
    Look look = standardLook(element, gridFont);
    const Style* style = sheet ? sheet->style(element) : nullptr;
    if (!style) return look;
    if (style->background) look.background = *style->background;
    if (style->textColor) look.text = *style->textColor;
    if (style->font) look.font = *style->font;
    return look;
}

StyleElement contentElement(const StyleSheet* sheet, int position) {
    const bool alternates = sheet && (sheet->style(StyleElement::ContentEven) ||
                                      sheet->style(StyleElement::ContentOdd));
    if (!alternates) return StyleElement::Content;
    return position % 2 == 0 ? StyleElement::ContentEven : StyleElement::ContentOdd;
}

Look selectionLook(const StyleSheet* sheet, bool gridHasFocus, const QFont& rowFont) {
    Look look =
        compose(sheet, gridHasFocus ? StyleElement::Selection : StyleElement::Inactive, rowFont);
    look.font = rowFont;
    return look;
}

QFont designFont(const QString& family, int height, bool bold) {
    QFont font(family);
    font.setPixelSize(height < 0 ? -height : height);
    font.setBold(bold);
    return font;
}

void installFontSubstitutes() {
    const QStringList installed = QFontDatabase::families();
    const QStringList candidates = {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")};
    QStringList substitutes;
    for (const QString& family : candidates)
        if (installed.contains(family)) substitutes << family;
    if (substitutes.isEmpty()) return;
    for (const QString& missing : {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")})
        if (!installed.contains(missing)) QFont::insertSubstitutions(missing, substitutes);
}

}  // namespace grid
