#pragma once

#include <string>
#include <string_view>

namespace morvelt {

// The three output captions as the calculation sees them. The breakdown is
// read back before every append, so what the user sees is always what the
// next step builds on.
class ResultView {
public:
    virtual ~ResultView() = default;

    virtual std::string Punti() const = 0;             // lblpunti
    virtual void SetPunti(std::string_view text) = 0;  // lblpunti
    virtual void SetVoto10(std::string_view text) = 0; // lblvoto10
    virtual void SetVoto15(std::string_view text) = 0; // lblvoto15
};

} // namespace morvelt
