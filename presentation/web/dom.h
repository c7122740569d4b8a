#pragma once

#include <string>
#include <string_view>

#include "colour.h"

namespace quadrell::web {

// The few things the program does to the page, as direct calls into the page's script (dom.cpp):
// no binding layer to set up at start-up, nothing compiled while the page opens. Elements are
// held by the page and named here by a number.
using Node = int;

Node Document();
Node RootElement();  // <html>
Node CreateElement(std::string_view tag);
// Elements written as HTML, built in one pass, apart from the page until appended.
Node ParseMarkup(std::string_view html);
Node ElementById(std::string_view id);
Node ElementById(Node within, std::string_view id);  // in the page, or in parsed markup
Node Closest(Node element, std::string_view selector);  // it or its nearest ancestor that matches
void Append(Node parent, Node child);
void ReplaceChildren(Node parent, Node child);  // `child` becomes the only one
void Focus(Node element);

// An element's property, as scripts set it: element[name] = value.
void SetProperty(Node element, std::string_view name, std::string_view value);
void SetFlag(Node element, std::string_view name, bool value);
std::string TextProperty(Node element, std::string_view name);
void SetAttribute(Node element, std::string_view name, std::string_view value);
void RemoveAttribute(Node element, std::string_view name);
// A style property in CSS's own words ("background-color"); an empty value removes it.
void SetStyle(Node element, std::string_view property, std::string_view value);
void SetDataset(Node element, std::string_view name, std::string_view value);

// The browser's settings.
std::string BrowserLanguage();                            // "it-IT"
std::string DecimalSeparator(std::string_view language);  // "," for "it-IT"
// CSS system colours as now shown, each of `names` ("Canvas,CanvasText") into `colours` in order;
// a see-through one as it shows over the first.
void SystemColours(std::string_view names, Colour* colours);
bool MediaMatches(std::string_view query);                // "(forced-colors: active)"

}  // namespace quadrell::web
