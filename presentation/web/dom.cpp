#include "dom.h"

#include <emscripten/emscripten.h>

// The page's side: the elements the program holds live in Module.nodes (dom_events.js).
// clang-format off
EM_JS(int, js_document, (int root), {
    return Module.nodes.push(root ? document.documentElement : document) - 1;
});
EM_JS(int, js_create_element, (const char* tag), {
    return Module.nodes.push(document.createElement(UTF8ToString(tag))) - 1;
});
EM_JS(int, js_parse_markup, (const char* html), {
    return Module.nodes.push(document.createRange().createContextualFragment(UTF8ToString(html))) - 1;
});
EM_JS(int, js_element_by_id, (int within, const char* id), {
    return Module.nodes.push((within < 0 ? document : Module.nodes[within]).getElementById(UTF8ToString(id))) - 1;
});
EM_JS(int, js_closest, (int element, const char* selector), {
    return Module.nodes.push(Module.nodes[element].closest(UTF8ToString(selector))) - 1;
});
EM_JS(void, js_append, (int parent, int child), {
    Module.nodes[parent].append(Module.nodes[child]);
});
EM_JS(void, js_replace_children, (int parent, int child), {
    Module.nodes[parent].replaceChildren(Module.nodes[child]);
});
EM_JS(void, js_focus, (int element), {
    Module.nodes[element].focus();
});
EM_JS(void, js_set_text, (int element, const char* name, const char* value), {
    Module.nodes[element][UTF8ToString(name)] = UTF8ToString(value);
});
EM_JS(void, js_set_flag, (int element, const char* name, int value), {
    Module.nodes[element][UTF8ToString(name)] = value != 0;
});
EM_JS(int, js_text_length, (int element, const char* name), {
    return lengthBytesUTF8(String(Module.nodes[element][UTF8ToString(name)]));
});
EM_JS(void, js_text, (int element, const char* name, char* buffer, int size), {
    stringToUTF8(String(Module.nodes[element][UTF8ToString(name)]), buffer, size);
});
EM_JS(void, js_set_attribute, (int element, const char* name, const char* value, int remove), {
    if (remove) Module.nodes[element].removeAttribute(UTF8ToString(name));
    else Module.nodes[element].setAttribute(UTF8ToString(name), UTF8ToString(value));
});
EM_JS(void, js_set_style, (int element, const char* property, const char* value), {
    var style = Module.nodes[element].style;
    var text = UTF8ToString(value);
    if (text) style.setProperty(UTF8ToString(property), text);
    else style.removeProperty(UTF8ToString(property));
});
EM_JS(void, js_set_dataset, (int element, const char* name, const char* value), {
    Module.nodes[element].dataset[UTF8ToString(name)] = UTF8ToString(value);
});
EM_JS(int, js_language_length, (), {
    return lengthBytesUTF8(navigator.language);
});
EM_JS(void, js_language, (char* buffer, int size), {
    stringToUTF8(navigator.language, buffer, size);
});
EM_JS(void, js_decimal_separator, (const char* language, char* buffer, int size), {
    var parts = new Intl.NumberFormat(UTF8ToString(language)).formatToParts(1.5);
    var decimal = parts.find(function (part) { return part.type === 'decimal'; });
    stringToUTF8(decimal ? decimal.value : "", buffer, size);
});
// System colours as the browser computes them, "rgb(18, 18, 18)", as 0x00BBGGRR: one probe,
// which the browser styles alone. A see-through one ("rgba(0, 221, 255, 0.306)", Firefox's
// selection in its own dark palette) as the screen shows it: over the first named, the page's.
EM_JS(void, js_system_colours, (const char* names, unsigned* colours), {
    var probe = document.createElement("span");
    probe.hidden = true;
    document.body.append(probe);
    var under = [255, 255, 255];
    UTF8ToString(names).split(",").forEach(function (name, n) {
        probe.style.color = name;
        var parts = getComputedStyle(probe).color.match(/[0-9.]+/g).map(Number);
        var alpha = parts.length > 3 ? parts[3] : 1;
        var shown = [0, 1, 2].map(function (c) { return Math.round(parts[c] * alpha + under[c] * (1 - alpha)); });
        if (n == 0) under = shown;
        HEAPU32[(colours >> 2) + n] = (shown[0] | shown[1] << 8 | shown[2] << 16) >>> 0;
    });
    probe.remove();
});
EM_JS(int, js_media_matches, (const char* query), {
    return matchMedia(UTF8ToString(query)).matches ? 1 : 0;
});
// clang-format on

namespace quadrell::web {

namespace {

// The functions above take C strings.
class CString {
public:
    explicit CString(std::string_view text) : text_(text) {}
    operator const char*() const { return text_.c_str(); }

private:
    std::string text_;
};

}  // namespace

Node Document()
{
    return js_document(0);
}

Node RootElement()
{
    return js_document(1);
}

Node CreateElement(std::string_view tag)
{
    return js_create_element(CString(tag));
}

Node ParseMarkup(std::string_view html)
{
    return js_parse_markup(CString(html));
}

Node ElementById(std::string_view id)
{
    return js_element_by_id(-1, CString(id));
}

Node ElementById(Node within, std::string_view id)
{
    return js_element_by_id(within, CString(id));
}

Node Closest(Node element, std::string_view selector)
{
    return js_closest(element, CString(selector));
}

void Append(Node parent, Node child)
{
    js_append(parent, child);
}

void ReplaceChildren(Node parent, Node child)
{
    js_replace_children(parent, child);
}

void Focus(Node element)
{
    js_focus(element);
}

void SetProperty(Node element, std::string_view name, std::string_view value)
{
    js_set_text(element, CString(name), CString(value));
}

void SetFlag(Node element, std::string_view name, bool value)
{
    js_set_flag(element, CString(name), value ? 1 : 0);
}

std::string TextProperty(Node element, std::string_view name)
{
    const CString property(name);
    std::string text(static_cast<std::size_t>(js_text_length(element, property)), '\0');
    js_text(element, property, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

void SetAttribute(Node element, std::string_view name, std::string_view value)
{
    js_set_attribute(element, CString(name), CString(value), 0);
}

void RemoveAttribute(Node element, std::string_view name)
{
    js_set_attribute(element, CString(name), "", 1);
}

void SetStyle(Node element, std::string_view property, std::string_view value)
{
    js_set_style(element, CString(property), CString(value));
}

void SetDataset(Node element, std::string_view name, std::string_view value)
{
    js_set_dataset(element, CString(name), CString(value));
}

std::string BrowserLanguage()
{
    std::string language(static_cast<std::size_t>(js_language_length()), '\0');
    js_language(language.data(), static_cast<int>(language.size()) + 1);
    return language;
}

std::string DecimalSeparator(std::string_view language)
{
    char separator[16] = {};
    js_decimal_separator(CString(language), separator, sizeof separator);
    return separator;
}

void SystemColours(std::string_view names, Colour* colours)
{
    js_system_colours(CString(names), colours);
}

bool MediaMatches(std::string_view query)
{
    return js_media_matches(CString(query)) != 0;
}

}  // namespace quadrell::web
