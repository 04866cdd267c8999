#pragma once
// Reading a web view's page from a test: a script's result as JSON, and waiting until a
// script's result says a condition holds.
#include <webkit/webkit.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace vesk::testing {

// Runs `script` in the page and returns its value as JSON text; nothing when the script
// threw or the page did not answer within `deadline`.
std::optional<std::string> evaluateInPage(WebKitWebView* view, const std::string& script,
                                          std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Runs the loop until `script` evaluates to true in the page.
bool pageUntil(WebKitWebView* view, const std::string& script,
               std::chrono::milliseconds deadline = std::chrono::seconds(15));

// Runs an expression that may be a promise and returns its settled value as JSON text.
std::optional<std::string> awaitInPage(WebKitWebView* view, const std::string& script,
                                       std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Scrolls the first element matching `selector` into the middle of the view and returns
// its centre in the view's coordinates once it has stopped moving; nothing when it is
// missing or never settles.
std::optional<std::pair<double, double>> pageCentreOf(WebKitWebView* view, const std::string& selector);

// The WebKit web processes this process has started (its descendants of that name).
std::set<int> ownWebProcesses();

// The text of a PDF file, as pdftotext reads it ("" when it cannot).
std::string pdfText(const std::filesystem::path& file);

// A PNG of the given size in one colour.
std::string solidPng(int width, int height, unsigned rgba = 0x336699ff);

}  // namespace vesk::testing
