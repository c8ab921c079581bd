#include "web/page_view.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

namespace morvelt {

namespace {

// A text the page hands over, in the module's memory, freed once copied.
struct FreeText {
    void operator()(char* text) const { std::free(text); }
};
using PageText = std::unique_ptr<char, FreeText>;

// Each call goes to the page's own object, Morvelt (web/page.js), with the
// module's texts as JavaScript strings. Lengths are passed, so a text may
// hold any byte the calculation writes.

// clang-format off
EM_JS(void, page_show_enabled, (const char* control, int length, int enabled), {
    Morvelt.showEnabled(UTF8ToString(control, length), enabled !== 0);
});

EM_JS(void, page_show_selected, (const char* option, int length, int selected), {
    Morvelt.showSelected(UTF8ToString(option, length), selected !== 0);
});

EM_JS(char*, page_text, (const char* control, int length), {
    return allocateUTF8(Morvelt.text(UTF8ToString(control, length)));
});

EM_JS(void, page_set_text, (const char* control, int length, const char* text, int textLength), {
    Morvelt.setText(UTF8ToString(control, length), UTF8ToString(text, textLength));
});

EM_JS(char*, page_decimal_separator, (), {
    return allocateUTF8(Morvelt.decimalSeparator());
});

EM_JS(void, page_print, (), { Morvelt.print(); });

EM_JS(void, page_exit, (), { Morvelt.exit(); });

// The reply, or null for Annulla.
EM_ASYNC_JS(char*, page_ask_text, (const char* prompt, int length, const char* title, int titleLength), {
    const reply = await Morvelt.askText(UTF8ToString(prompt, length), UTF8ToString(title, titleLength));
    return reply === null ? 0 : allocateUTF8(reply);
});

EM_ASYNC_JS(void, page_show_message, (const char* text, int length), {
    await Morvelt.showMessage(UTF8ToString(text, length));
});
// clang-format on

int Length(std::string_view text) { return static_cast<int>(text.size()); }

std::string Taken(char* text)
{
    const PageText owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

std::string_view Name(Field field)
{
    switch (field) {
    case Field::txtb:
        return "txtb";
    case Field::txtc:
        return "txtc";
    case Field::txtitem:
        return "txtitem";
    case Field::txtpeso:
        return "txtpeso";
    }
    return {};
}

std::string ReadText(std::string_view control)
{
    return Taken(page_text(control.data(), Length(control)));
}

void SetText(std::string_view control, std::string_view text)
{
    page_set_text(control.data(), Length(control), text.data(), Length(text));
}

} // namespace

void PageView::ShowEnabled(std::string_view control, bool enabled)
{
    page_show_enabled(control.data(), Length(control), enabled);
}

void PageView::ShowSelected(std::string_view option, bool selected)
{
    page_show_selected(option.data(), Length(option), selected);
}

std::string PageView::Text(Field field) const { return ReadText(Name(field)); }

std::string PageView::DecimalSeparator() const { return Taken(page_decimal_separator()); }

void PageView::Print() { page_print(); }

void PageView::Exit() { page_exit(); }

std::string PageView::Punti() const { return ReadText("lblpunti"); }

void PageView::SetPunti(std::string_view text) { SetText("lblpunti", text); }

void PageView::SetVoto10(std::string_view text) { SetText("lblvoto10", text); }

void PageView::SetVoto15(std::string_view text) { SetText("lblvoto15", text); }

std::optional<std::string> PageView::AskText(std::string_view prompt, std::string_view title)
{
    char* reply = page_ask_text(prompt.data(), Length(prompt), title.data(), Length(title));
    if (!reply)
        return std::nullopt;
    return Taken(reply);
}

void PageView::ShowMessage(std::string_view text) { page_show_message(text.data(), Length(text)); }

} // namespace morvelt
