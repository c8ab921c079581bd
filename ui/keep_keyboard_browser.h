#pragma once

class QWidget;

namespace morvelt {

// In the browser, keeps the keyboard where a teacher expects it around the
// modal prompts over `window`: back on the window once the last prompt has
// closed, and a key typed while one prompt closes and the next opens given to
// the next, in order.
void KeepKeyboard(QWidget& window);

} // namespace morvelt
