#pragma once

#include <QString>

#include <functional>

// Where an insertion dialog puts its text: normally the editor view's InsertHtmlAtSelection.
// The result is false when nothing could be inserted (an object, not text, is selected).
using HtmlInserter = std::function<bool(const QString &html)>;
