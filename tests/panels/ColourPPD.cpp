#include "ColourPPD.h"

#include <sstream>
#include <stdexcept>

namespace {

// Whether the line names the option: "*KW", "*DefaultKW" or a constraint's
// "*KW", ending at a blank, a "/", a ":" or the line's end.
bool namesOption(const std::string& line, const std::string& keyword) {
    for (const std::string& mark : {"*" + keyword, "Default" + keyword}) {
        for (auto at = line.find(mark); at != std::string::npos; at = line.find(mark, at + 1)) {
            const auto end = at + mark.size();
            if (end == line.size() || line[end] == ' ' || line[end] == '/' || line[end] == ':') {
                return true;
            }
        }
    }
    return false;
}

std::string applyEdit(const std::string& ppd, const PPDEdit& edit) {
    std::istringstream lines(ppd);
    std::ostringstream out;
    bool changed = false;
    for (std::string line; std::getline(lines, line);) {
        bool drop = false;
        switch (edit.kind) {
        case PPDEdit::kDropOption:
            drop = namesOption(line, edit.text);
            break;
        case PPDEdit::kDropLine:
            drop = line.rfind(edit.text, 0) == 0;
            break;
        case PPDEdit::kReplace:
            if (const auto at = line.find(edit.text); at != std::string::npos) {
                line.replace(at, edit.text.size(), edit.with);
                changed = true;
            }
            break;
        }
        changed = changed || drop;
        if (!drop) {
            out << line << '\n';
        }
    }
    if (!changed) {
        throw std::runtime_error("PPD edit found nothing: " + edit.text);
    }
    return out.str();
}

} // namespace

std::filesystem::path WriteColourPPD(const TempDir& dir, const std::vector<PPDEdit>& edits) {
    std::string ppd = ReadFile(std::filesystem::path(QC_EXAMPLES_DIR) / "Velmark-CL7200.ppd");
    for (const PPDEdit& edit : edits) {
        ppd = applyEdit(ppd, edit);
    }
    return dir.Write("Velmark-CL7200.ppd", ppd);
}

std::vector<PPDEdit> CheckBoxTonerSaving() {
    return {DropLine("*VLOutputMode Standard/"),
            Replace("*VLOutputMode High/High Saving:", "*VLOutputMode True/On:"),
            DropOption("VLOutputModeBlack")};
}

std::vector<PPDEdit> NoGraphicPro() {
    return {DropLine("*VLControl Graph/"), DropOption("VLControl Graph")};
}
