#pragma once

// The three result captions in place of the window's labels, recording every
// write in order.

#include "calc/result_view.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace morvelt::fakes {

enum class Caption { lblpunti, lblvoto10, lblvoto15 };

struct CaptionWrite {
    Caption caption;
    std::string text;
    bool operator==(const CaptionWrite&) const = default;
};

inline void PrintTo(const CaptionWrite& write, std::ostream* os)
{
    static constexpr const char* names[] = {"lblpunti", "lblvoto10", "lblvoto15"};
    *os << names[static_cast<int>(write.caption)] << " = \"" << write.text << '"';
}

// The captions start with what an earlier click could have left, so that a
// test sees whether the calculation cleared them. A caption's text can be
// checked as it is written, by a view derived from this one.
class RecordingView : public ResultView {
public:
    std::string Punti() const override { return m_punti; }
    void SetPunti(std::string_view text) override { Write(Caption::lblpunti, m_punti, text); }
    void SetVoto10(std::string_view text) override { Write(Caption::lblvoto10, m_voto10, text); }
    void SetVoto15(std::string_view text) override { Write(Caption::lblvoto15, m_voto15, text); }

    const std::string& Voto10() const { return m_voto10; }
    const std::string& Voto15() const { return m_voto15; }
    const std::vector<CaptionWrite>& Writes() const { return m_writes; }

protected:
    virtual void Check(std::string_view /*text*/) {}

private:
    void Write(Caption caption, std::string& shown, std::string_view text)
    {
        Check(text);
        shown = text;
        m_writes.push_back({caption, shown});
    }

    std::string m_punti = " +1 =  1 su  5";
    std::string m_voto10 = "1,90";
    std::string m_voto15 = "2";
    std::vector<CaptionWrite> m_writes;
};

} // namespace morvelt::fakes
