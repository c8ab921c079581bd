#pragma once

#include <QString>

#include <string_view>

namespace morvelt {

// The calculation speaks UTF-8; the widgets speak QString.
inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace morvelt
