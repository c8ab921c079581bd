#include "ui/window_palette.h"

namespace morvelt {

namespace {

struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal; // active and inactive
    QRgb disabled;
};

// clang-format off
constexpr RoleColours Scheme[] = {
    {QPalette::WindowText,      0xff000000, 0xffbebebe},
    {QPalette::Button,          0xffffffff, 0xffffffff},
    {QPalette::Light,           0xffffffff, 0xffffffff},
    {QPalette::Midlight,        0xffcacaca, 0xffcacaca},
    {QPalette::Dark,            0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid,             0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text,            0xff000000, 0xffbebebe},
    {QPalette::BrightText,      0xffffffff, 0xffffffff},
    {QPalette::ButtonText,      0xff000000, 0xffbebebe},
    {QPalette::Base,            0xffffffff, 0xffefefef},
    {QPalette::Window,          0xffffffff, 0xffffffff},
    {QPalette::Shadow,          0xff767676, 0xffb1b1b1},
    {QPalette::Highlight,       0xff308cc6, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link,            0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited,     0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase,   0xfff7f7f7, 0xfff7f7f7},
    {QPalette::NoRole,          0xff000000, 0xff000000},
    {QPalette::ToolTipBase,     0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText,     0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0x80000000, 0x80000000},
};
// clang-format on

static_assert(std::size(Scheme) == QPalette::NColorRoles, "every role has its colours");

} // namespace

QPalette WindowPalette()
{
    QPalette palette;
    for (const RoleColours& colours : Scheme) {
        palette.setColor(QPalette::Active, colours.role, QColor::fromRgba(colours.normal));
        palette.setColor(QPalette::Inactive, colours.role, QColor::fromRgba(colours.normal));
        palette.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
    }
    return palette;
}

} // namespace morvelt
