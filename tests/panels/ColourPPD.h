#pragma once
// The example colour PPD, and variants of it edited for one case each.

#include "TestSupport.h"

#include <filesystem>
#include <string>
#include <vector>

struct PPDEdit {
    enum Kind { kDropOption, kDropLine, kReplace } kind;
    std::string text;
    std::string with;
};

// Drops every line of the option: its block, its default, its constraints.
inline PPDEdit DropOption(std::string keyword) {
    return {PPDEdit::kDropOption, keyword, ""};
}
// Drops the lines that begin with the text.
inline PPDEdit DropLine(std::string prefix) {
    return {PPDEdit::kDropLine, prefix, ""};
}
inline PPDEdit Replace(std::string from, std::string to) {
    return {PPDEdit::kReplace, from, to};
}

// Throws when an edit finds nothing to change, so a stale edit cannot pass
// a test by accident.
std::filesystem::path WriteColourPPD(const TempDir& dir, const std::vector<PPDEdit>& edits = {});

// The example's toner saving as an on/off check box, without the
// black-only option that only goes with several saving levels.
std::vector<PPDEdit> CheckBoxTonerSaving();

// The example without the Graphic Pro colour mode and its constraints.
std::vector<PPDEdit> NoGraphicPro();
