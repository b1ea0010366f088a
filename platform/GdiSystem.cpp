#include "platform/Gdi.h"
#include "platform/GdiInternal.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

namespace platform::gdi {

QColor toolkitColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF colorRef(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace platform::gdi

using platform::gdi::colorRef;

COLORREF GetSysColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    const auto role = [&palette](QPalette::ColorRole r) { return colorRef(palette.color(r)); };
    switch (index) {
    case COLOR_WINDOW:
        return role(QPalette::Base);
    case COLOR_WINDOWTEXT:
        return role(QPalette::Text);
    case COLOR_HIGHLIGHT:
    case COLOR_ACTIVECAPTION:
        return role(QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_CAPTIONTEXT:
        return role(QPalette::HighlightedText);
    case COLOR_BTNFACE:
    case COLOR_MENU:
    case COLOR_SCROLLBAR:
    case COLOR_STATIC:
        return role(QPalette::Button);
    case COLOR_BTNTEXT:
    case COLOR_MENUTEXT:
    case COLOR_STATICTEXT:
        return role(QPalette::ButtonText);
    case COLOR_GRAYTEXT:
        return colorRef(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_BTNSHADOW:
        return role(QPalette::Dark);
    case COLOR_3DDKSHADOW:
    case COLOR_WINDOWFRAME:
        return role(QPalette::Shadow);
    case COLOR_BTNHIGHLIGHT:
        return role(QPalette::Light);
    case COLOR_3DLIGHT:
        return role(QPalette::Midlight);
    case COLOR_INFOTEXT:
        return role(QPalette::ToolTipText);
    case COLOR_INFOBK:
        return role(QPalette::ToolTipBase);
    case COLOR_BACKGROUND:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
        return role(QPalette::Window);
    case COLOR_APPWORKSPACE:
    case COLOR_INACTIVECAPTION:
        return role(QPalette::Mid);
    case COLOR_INACTIVECAPTIONTEXT:
        return role(QPalette::WindowText);
    default:
        return 0;
    }
}

namespace {

QRect screenRect(bool available) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QRect(0, 0, 800, 600);
    return available ? screen->availableGeometry() : screen->geometry();
}

int styleMetric(QStyle::PixelMetric metric, int fallback) {
    const QStyle* style = QApplication::style();
    return style != nullptr ? style->pixelMetric(metric) : fallback;
}

} // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return screenRect(false).width();
    case SM_CYSCREEN:
        return screenRect(false).height();
    case SM_CXFULLSCREEN:
        return screenRect(true).width();
    case SM_CYFULLSCREEN:
        return screenRect(true).height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return styleMetric(QStyle::PM_ScrollBarExtent, 16);
    case SM_CYCAPTION:
        return styleMetric(QStyle::PM_TitleBarHeight, 20);
    case SM_CYMENU:
        return QFontMetrics(QApplication::font()).height() + 8;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}
