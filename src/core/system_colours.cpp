#include "core/system_colours.h"

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour numbers 0..30 mapped onto the palette of this platform.
SystemRole roleOf(int n) {
    using P = QPalette;
    switch (n) {
    case 0:
        return {P::Active, P::Mid}; // clScrollBar
    case 1:
        return {P::Active, P::Window}; // clBackground
    case 2:
        return {P::Active, P::Highlight}; // clActiveCaption
    case 3:
        return {P::Inactive, P::Window}; // clInactiveCaption
    case 4:
        return {P::Active, P::Window}; // clMenu
    case 5:
        return {P::Active, P::Base}; // clWindow
    case 6:
        return {P::Active, P::Shadow}; // clWindowFrame
    case 7:
        return {P::Active, P::WindowText}; // clMenuText
    case 8:
        return {P::Active, P::Text}; // clWindowText
    case 9:
        return {P::Active, P::HighlightedText}; // clCaptionText
    case 10:
        return {P::Active, P::Mid}; // clActiveBorder
    case 11:
        return {P::Inactive, P::Mid}; // clInactiveBorder
    case 12:
        return {P::Active, P::Dark}; // clAppWorkSpace
    case 13:
        return {P::Active, P::Highlight}; // clHighlight
    case 14:
        return {P::Active, P::HighlightedText}; // clHighlightText
    case 15:
        return {P::Active, P::Button}; // clBtnFace
    case 16:
        return {P::Active, P::Dark}; // clBtnShadow
    case 17:
        return {P::Disabled, P::Text}; // clGrayText
    case 18:
        return {P::Active, P::ButtonText}; // clBtnText
    case 19:
        return {P::Inactive, P::WindowText}; // clInactiveCaptionText
    case 20:
        return {P::Active, P::Light}; // clBtnHighlight
    case 21:
        return {P::Active, P::Shadow}; // cl3DDkShadow
    case 22:
        return {P::Active, P::Midlight}; // cl3DLight
    case 23:
        return {P::Active, P::ToolTipText}; // clInfoText
    case 24:
        return {P::Active, P::ToolTipBase}; // clInfoBk
    case 26:
        return {P::Active, P::Link}; // clHotLight
    case 27:
        return {P::Active, P::Highlight}; // clGradientActiveCaption
    case 28:
        return {P::Inactive, P::Window}; // clGradientInactiveCaption
    case 29:
        return {P::Active, P::Highlight}; // clMenuHighlight
    case 30:
        return {P::Active, P::Window}; // clMenuBar
    default:
        return {P::Active, P::Window};
    }
}

} // namespace

QColor toQColor(TColor colour, const QPalette& palette, QPalette::ColorRole fallback) {
    const auto v = static_cast<std::uint32_t>(colour);
    if (colour == clNone || colour == clDefault) return palette.color(QPalette::Active, fallback);
    if ((v & 0xFF000000u) == 0xFF000000u) {
        const SystemRole r = roleOf(static_cast<int>(v & 0xFFu));
        return palette.color(r.group, r.role);
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

TColor fromQColor(const QColor& colour) {
    return static_cast<TColor>(static_cast<std::uint32_t>(colour.red()) |
                               (static_cast<std::uint32_t>(colour.green()) << 8) |
                               (static_cast<std::uint32_t>(colour.blue()) << 16));
}
