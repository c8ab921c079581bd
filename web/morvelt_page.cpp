// The module's entry points, which the page (web/page.js) calls by name: one
// window model over the page, its handlers by the name of their control, and
// the state the page is drawn from. A handler that prompts suspends the
// module until the teacher answers; the page calls it asynchronously and
// lets nothing else in meanwhile.

#include "form/form_model.h"
#include "web/page_view.h"

#include <emscripten.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace {

struct Page {
    morvelt::PageView view;
    morvelt::FormModel model{view, view};
};

std::unique_ptr<Page> page;

using Handler = void (morvelt::FormModel::*)();

constexpr std::array<std::pair<std::string_view, Handler>, 10> Handlers{{
    {"Option1", &morvelt::FormModel::Option1_Click},
    {"Option2", &morvelt::FormModel::Option2_Click},
    {"Option3", &morvelt::FormModel::Option3_Click},
    {"Option5", &morvelt::FormModel::Option5_Click},
    {"Option6", &morvelt::FormModel::Option6_Click},
    {"Command1", &morvelt::FormModel::Command1_Click},
    {"Command2", &morvelt::FormModel::Command2_Click},
    {"Command3", &morvelt::FormModel::Command3_Click},
    {"Command4", &morvelt::FormModel::Command4_Click},
    {"Command5", &morvelt::FormModel::Command5_Click},
}};

} // namespace

extern "C" {

// The window as stored; the page then shows every control as the model
// holds it.
EMSCRIPTEN_KEEPALIVE void morvelt_start() { page = std::make_unique<Page>(); }

// Runs the click handler of CONTROL; false for a control that has none.
EMSCRIPTEN_KEEPALIVE bool morvelt_click(const char* control)
{
    for (const auto& [name, handler] : Handlers) {
        if (name == control) {
            (page->model.*handler)();
            return true;
        }
    }
    return false;
}

EMSCRIPTEN_KEEPALIVE bool morvelt_enabled(const char* control)
{
    return page->model.IsEnabled(control);
}

EMSCRIPTEN_KEEPALIVE bool morvelt_selected(const char* option)
{
    return page->model.IsSelected(option);
}

// The names of the window's controls, one a line, for the page to check
// that it has them all.
EMSCRIPTEN_KEEPALIVE const char* morvelt_controls()
{
    static const std::string names = [] {
        std::string joined;
        for (std::string_view name : morvelt::FormModel::Controls())
            joined.append(name).push_back('\n');
        return joined;
    }();
    return names.c_str();
}
}
