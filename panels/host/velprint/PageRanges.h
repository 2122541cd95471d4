#pragma once
// The page range a person types, checked and put in the form of the
// "page-ranges" job option: "1-3,5,7-".

#include <QString>

#include <optional>

// Nothing when the text is not a list of pages and ranges counted from 1,
// each range running upwards.
std::optional<QString> NormalizedPageRanges(const QString& text);
