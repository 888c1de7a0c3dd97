#include "data/gridstyle.h"

namespace {

QColor rgb(unsigned value) { return QColor::fromRgb(value); }

// "MS Sans Serif" at height -11: the 8-point size at 96 dpi.
QFont sansSerif(bool bold) { return grid::designFont(QStringLiteral("MS Sans Serif"), -11, bold); }

}  // namespace

TcxStyleRepository::TcxStyleRepository()
    : cxStyle1{rgb(0xA4C4EB), {}, {}},
      cxStyle2{rgb(0xD9EAF7), rgb(0x000000), sansSerif(false)},
      cxStyle3{rgb(0xD9EAF7), rgb(0x000000), {}},
      cxStyle4{rgb(0xBCDBF1), rgb(0x000000), {}},
      cxStyle5{rgb(0xFFFFE1), rgb(0x000000), {}},
      cxStyle6{rgb(0xFFFFE1), rgb(0x000080), sansSerif(true)},
      cxStyle7{rgb(0xF1EFE2), {}, {}},
      cxStyle8{rgb(0xFED547), rgb(0x000000), {}},
      cxStyle9{rgb(0x316AC5), rgb(0xFFFFFF), sansSerif(true)},
      cxStyle10{rgb(0xA4C4EB), {}, {}},
      cxStyle11{rgb(0xFED547), rgb(0x000000), {}},
      cxStyle12{rgb(0xA4C4EB), {}, {}},
      cxStyle13{rgb(0xFFFFE1), rgb(0x000080), sansSerif(true)},
      cxStyle14{rgb(0x316AC5), rgb(0xFFFFFF), {}} {
    using E = grid::StyleElement;
    grid::StyleSheet& sheet = GridTableViewStyleSheetDevExpress;
    sheet.caption = QStringLiteral("DevExpress");
    sheet.setStyle(E::Background, &cxStyle1);
    sheet.setStyle(E::Content, &cxStyle2);
    sheet.setStyle(E::ContentEven, &cxStyle3);
    sheet.setStyle(E::ContentOdd, &cxStyle4);
    sheet.setStyle(E::FilterBox, &cxStyle5);
    sheet.setStyle(E::IncSearch, &cxStyle11);
    sheet.setStyle(E::Footer, &cxStyle6);
    sheet.setStyle(E::Group, &cxStyle7);
    sheet.setStyle(E::GroupByBox, &cxStyle8);
    sheet.setStyle(E::Header, &cxStyle9);
    sheet.setStyle(E::Inactive, &cxStyle10);
    sheet.setStyle(E::Indicator, &cxStyle12);
    sheet.setStyle(E::Preview, &cxStyle13);
    sheet.setStyle(E::Selection, &cxStyle14);
}
