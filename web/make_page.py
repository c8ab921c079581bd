"""Writes Morvelt's page from the desktop window's layout, so that the two
cannot drift apart:

  python3 make_page.py FORM_UI TEMPLATE HOME_PAGE OUTPUT

FORM_UI is ui/form1.ui; TEMPLATE is the page around the window, whose line
"<!-- window -->" becomes the window and "<!-- title -->" its caption.

From the layout it takes every control's name, kind, box, caption, enabled
state, selection and starting text, the labels' buddies, the accessible
names, and the tab order. Each control becomes an element whose id is its
name, placed at its box; the elements come in tab order, so that the
browser's own Tab walks them as the desktop does, and what takes no focus
follows in the layout's order. Captions are written as they stand, runs of
blanks included. Nothing but Python's standard library."""

import html
import sys
import xml.etree.ElementTree as ElementTree

# The caption ending in the maker's web address, as the window's.
WINDOW_TITLE = "Valutazione Morvelt Tipologia B e C - "


def prop(widget, name):
    """A property's value: a string, a bool, or a box (x, y, width, height)."""
    for found in widget.findall("property"):
        if found.get("name") != name:
            continue
        value = found[0]
        if value.tag == "rect":
            return tuple(int(value.find(k).text) for k in ("x", "y", "width", "height"))
        if value.tag == "bool":
            return value.text == "true"
        return value.text or ""
    return None


def kind(widget):
    cls = widget.get("class")
    return {
        "QLabel": "label",
        "QLineEdit": "field",
        "QPushButton": "button",
        "morvelt::OptionButton": "option",
        "morvelt::FrameBox": "frame",
        "QFrame": "line",
    }[cls]


def box_style(widget):
    x, y, width, height = prop(widget, "geometry")
    return f"left:{x}px;top:{y}px;width:{width}px;height:{height}px"


class Page:
    def __init__(self, tree_root, form, home_page):
        self.form = form
        self.widgets = {w.get("name"): w for w in form.iter("widget")}
        # The window's own address stands in its bottom label.
        self.captions = {n: prop(w, "text") or "" for n, w in self.widgets.items()}
        self.captions["Label9"] = home_page
        # The names the desktop gives the controls whose meaning is in a
        # caption beside them.
        self.names = {
            "txtpeso": f"{self.captions['Label8']} … {self.captions['Label7']}",
            "Frame2": self.captions["Label26"],
        }
        self.parent = {}
        for container in form.iter("widget"):
            for child in container.findall("widget"):
                self.parent[child.get("name")] = container
        self.tab_order = [stop.text for stop in tree_root.iter("tabstop")]

    def attrs(self, widget, **more):
        name = widget.get("name")
        pairs = [("id", name)]
        pairs += [(k.rstrip("_").replace("_", "-"), v) for k, v in more.items() if v is not None]
        return "".join(f" {k}" if v is True else f' {k}="{html.escape(str(v))}"'
                       for k, v in pairs if v is not False)

    def element(self, widget):
        name = widget.get("name")
        what = kind(widget)
        enabled = prop(widget, "enabled") is not False
        text = self.captions[name]
        style = box_style(widget)
        label = prop(widget, "accessibleName") or self.names.get(name)
        if what == "label":
            buddy = prop(widget, "buddy")
            tag = "label" if buddy and kind(self.widgets[buddy]) == "field" else "div"
            extra = {"for_": buddy} if tag == "label" else {}
            disabled = {"aria_disabled": "true"} if not enabled else {}
            classes = "label" + ("" if enabled else " disabled")
            return (f'<{tag}{self.attrs(widget, class_=classes, style=style, **extra, **disabled)}>'
                    f"{html.escape(text)}</{tag}>")
        if what == "field":
            return (f'<input{self.attrs(widget, type="text", class_="field", style=style, value=text, aria_label=label, autocomplete="off", spellcheck="false", disabled=not enabled)}>')
        if what == "button":
            return (f'<button{self.attrs(widget, type="button", class_="button", style=style, aria_label=label, disabled=not enabled)}>'
                    f"{html.escape(text)}</button>")
        if what == "option":
            group = self.parent[name].get("name")
            checked = prop(widget, "checked") is True
            return (f'<label class="option" style="{style}">'
                    f'<input{self.attrs(widget, type="radio", name=group, checked=checked, disabled=not enabled)}>'
                    f'<span class="caption">{html.escape(text)}</span></label>')
        if what == "line":
            return f'<div{self.attrs(widget, class_="line", style=style, aria_hidden="true")}></div>'
        if what == "frame":
            title = prop(widget, "title")
            named = {"aria_label": title or label}
            inner = "".join(self.element(child) for child in self.ordered(widget))
            caption = f'<span class="title" aria-hidden="true">{html.escape(title)}</span>' if title else ""
            return (f'<div{self.attrs(widget, class_="frame titled" if title else "frame", role="group", style=style, **named)}>'
                    f"{caption}{inner}</div>")
        raise ValueError(name)

    def ordered(self, container):
        """The children of CONTAINER: those that take the focus in tab order,
        each container at the place of its first, then the rest in the
        layout's order."""
        children = container.findall("widget")
        def top(name):
            while self.parent.get(name) is not None and self.parent[name] is not container:
                name = self.parent[name].get("name")
            return name if self.parent.get(name) is container else None
        first = []
        for stop in self.tab_order:
            owner = top(stop)
            if owner and owner not in first:
                first.append(owner)
        by_name = {c.get("name"): c for c in children}
        order = [by_name[n] for n in first] + [c for c in children if c.get("name") not in first]
        # A group of options is one stop of Tab; within it the arrows move
        # from option to option in the order of the elements, which is
        # their order on the screen, top to bottom, left to right.
        options = [c for c in order if kind(c) == "option"]
        on_screen = sorted(options, key=lambda c: (prop(c, "geometry")[1], prop(c, "geometry")[0]))
        slots = iter(on_screen)
        return [next(slots) if kind(c) == "option" else c for c in order]


def main():
    form_ui, template, home_page, output = sys.argv[1:5]
    tree = ElementTree.parse(form_ui)
    form = tree.getroot().find("widget")
    page = Page(tree.getroot(), form, home_page)
    missing = [n for n in page.tab_order if n not in page.widgets]
    if missing:
        sys.exit(f"make_page.py: the tab order names no control {missing}")
    _, _, width, height = prop(form, "geometry")
    window = (f'<div id="Form1" class="window" style="width:{width}px;height:{height}px" inert>'
              + "".join(page.element(w) for w in page.ordered(form))
              + "</div>")
    with open(template, encoding="utf-8") as source:
        text = source.read()
    for mark, value in (("<!-- window -->", window), ("<!-- title -->", html.escape(WINDOW_TITLE + home_page))):
        if mark not in text:
            sys.exit(f"make_page.py: {template} has no {mark}")
        text = text.replace(mark, value)
    with open(output, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()
