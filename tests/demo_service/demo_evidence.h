#pragma once
// The demo's evidence images: real PNG files drawn as simple wireframes, so the reader
// page, previews and anchor files have something true to show. The same seed always
// gives the same picture.
#include <string>

namespace vesk::demo {

// The first screen of a web page: navigation, headline, competing buttons and cards.
std::string pageShotPng(const std::string& seed);
// A screen of an application: sidebar, figures and a bar chart.
std::string dashboardPng(const std::string& seed);

}  // namespace vesk::demo
