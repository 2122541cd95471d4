// make_big_ppd PPD-OUT DESCRIPTION-OUT [INSTALLABLE-COUNT]
//
// Writes a large synthetic PPD of a Velmark printer, shaped like the big PPDs
// of office printers (many options with multi-line PostScript code, thousands
// of UI constraints, translations into seven languages, long lines), and the
// printer-sim description of a printer that answers its queries: user code
// HX2 over SNMP, and ON or OFF for the PJL query of every installable option.
// The output is the same on every run, so figures of different runs compare.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kDefaultInstallables = 40;
constexpr int kMinimumInstallables = 30;
// libcups refuses a PPD with a physical line longer than this.
constexpr std::size_t kMaxLineLength = 255;
// The printer's reply is searched for a choice's text as a plain substring,
// the first choice in PPD order winning: neither text may hold the other, and
// no queried name may hold either.
constexpr std::string_view kInstalledText = "ON";
constexpr std::string_view kNotInstalledText = "OFF";

struct Language {
    const char* code;
    const char* installed;
    const char* notInstalled;
    const char* prefix; // stands in for a translation of every other text
};

const Language kLanguages[] = {
    {"fr", "Install\xc3\xa9", "Non install\xc3\xa9", "R\xc3\xa9glage"},
    {"de", "Installiert", "Nicht installiert", "Einstellung"},
    {"es", "Instalado", "No instalado", "Ajuste"},
    {"it", "Installato", "Non installato", "Impostazione"},
    {"nl", "Ge\xc3\xafnstalleerd", "Niet ge\xc3\xafnstalleerd", "Instelling"},
    {"pt", "Instalado", "N\xc3\xa3o instalado", "Defini\xc3\xa7\xc3\xa3o"},
    {"ja", "\xe3\x81\x82\xe3\x82\x8a", "\xe3\x81\xaa\xe3\x81\x97", "\xe8\xa8\xad\xe5\xae\x9a"},
};

class PPDWriter {
public:
    void Line(const std::string& line) {
        if (line.size() > kMaxLineLength)
            throw std::logic_error("PPD line longer than libcups reads: " + line);
        m_Text += line;
        m_Text += '\n';
    }
    const std::string& Text() const { return m_Text; }

private:
    std::string m_Text;
};

struct Installable {
    std::string keyword;
    std::string label;
    std::string pjlName;
    bool installed;
};

struct Choice {
    std::string name;
    std::string label;
};

struct Option {
    std::string keyword;
    std::string label;
    std::vector<Choice> choices;
};

struct Group {
    std::string name;
    std::string label;
    std::vector<Option> options;
};

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Padded(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::vector<Installable> MakeInstallables(int count) {
    static const char* const kParts[][2] = {
        {"Tray", "Paper Tray"},         {"Finisher", "Finisher"},
        {"Stapler", "Staple Unit"},     {"PunchUnit", "Punch Unit"},
        {"HardDisk", "Hard Disk"},      {"Memory", "Memory Module"},
        {"FaxBoard", "Fax Board"},      {"Scanner", "Scanner"},
        {"Bridge", "Bridge Unit"},      {"Mailbox", "Mailbox"},
        {"Inserter", "Cover Inserter"}, {"Folder", "Folding Unit"},
        {"Booklet", "Booklet Maker"},   {"LargeTray", "Large Capacity Tray"},
        {"Feeder", "Envelope Feeder"},  {"Banner", "Banner Guide"},
        {"SecureKit", "Security Kit"},  {"Wireless", "Wireless Card"},
        {"CardReader", "Card Reader"},  {"Trimmer", "Trimmer"},
    };
    constexpr int kPartCount = static_cast<int>(sizeof kParts / sizeof kParts[0]);
    std::vector<Installable> list;
    list.push_back({"VLDuplexUnit", "Duplex Unit", "DUPLEX", true});
    for (int i = 1; static_cast<int>(list.size()) < count; ++i) {
        const auto& part = kParts[(i - 1) % kPartCount];
        const int unit = (i - 1) / kPartCount + 1;
        const std::string base = std::string(part[0]) + Padded(unit);
        // Two of every three are installed, so both choices are answered.
        list.push_back({"VL" + base, std::string(part[1]) + " " + std::to_string(unit), Upper(base),
                        i % 3 != 2});
    }
    for (const auto& option : list)
        if (option.pjlName.find(kInstalledText) != std::string::npos ||
            option.pjlName.find(kNotInstalledText) != std::string::npos)
            throw std::logic_error("PJL name holds a choice's text: " + option.pjlName);
    return list;
}

std::vector<Choice> NumberedChoices(const std::string& stem, const std::string& label, int count) {
    std::vector<Choice> choices;
    for (int i = 1; i <= count; ++i)
        choices.push_back({stem + Padded(i), label + " " + std::to_string(i)});
    return choices;
}

struct PageSize {
    std::string name;
    int width;
    int height;
};

std::vector<PageSize> MakePageSizes() {
    std::vector<PageSize> sizes = {
        {"Letter", 612, 792},   {"Legal", 612, 1008},   {"A4", 595, 842}, {"A5", 420, 595},
        {"A3", 842, 1191},      {"B4", 729, 1032},      {"B5", 516, 729}, {"Executive", 522, 756},
        {"Tabloid", 792, 1224}, {"Statement", 396, 612}};
    // The many envelope, postcard and custom-cut sizes of a production printer.
    for (int i = 1; i <= 70; ++i)
        sizes.push_back({"VLCut" + Padded(i), 200 + 7 * i, 300 + 9 * i});
    return sizes;
}

std::vector<Group> MakeGroups() {
    std::vector<Group> groups;
    groups.push_back({"General", "General", {}});
    groups.push_back({"Finishing", "Finishing", {}});
    groups.push_back({"Quality", "Print Quality", {}});
    groups.push_back({"ColorSettings", "Colour", {}});
    groups.push_back({"Media", "Paper", {}});
    groups.push_back({"JobHandling", "Job Handling", {}});
    groups.push_back({"Security", "Security", {}});
    groups.push_back({"Advanced", "Advanced", {}});
    for (std::size_t g = 0; g < groups.size(); ++g) {
        Group& group = groups[g];
        const int optionCount = 6 + static_cast<int>(g % 3);
        for (int o = 1; o <= optionCount; ++o) {
            const std::string keyword = "VL" + group.name + Padded(o);
            const int choices = 3 + (o * 7 + static_cast<int>(g) * 3) % 22;
            group.options.push_back({keyword, group.label + " Setting " + std::to_string(o),
                                     NumberedChoices("Choice", group.label + " Choice", choices)});
        }
    }
    groups[4].options.push_back(
        {"MediaType", "Media Type", NumberedChoices("Paper", "Paper Type", 30)});
    groups[1].options.push_back(
        {"VLStaple", "Staple", NumberedChoices("Staple", "Staple Position", 12)});
    groups[0].options.push_back({"Duplex",
                                 "Two-Sided Printing",
                                 {{"None", "Off"},
                                  {"DuplexNoTumble", "Long-Edge Binding"},
                                  {"DuplexTumble", "Short-Edge Binding"}}});
    return groups;
}

void WriteHeader(PPDWriter& out) {
    for (const char* line : {
             "*PPD-Adobe: \"4.3\"",
             "*% Velmark XL-9000 PS: a production colour printer with every option of the range.",
             "*% Made by bench/make_big_ppd for the rewriting benchmark; not a printer's own file.",
             "*FormatVersion: \"4.3\"",
             "*FileVersion: \"3.21\"",
             "*LanguageVersion: English",
             "*LanguageEncoding: ISOLatin1",
             "*PCFileName: \"VLXL9000.PPD\"",
             "*Manufacturer: \"Velmark\"",
             "*Product: \"(Velmark XL-9000)\"",
             "*ModelName: \"Velmark XL-9000 PS\"",
             "*ShortNickName: \"Velmark XL-9000 PS\"",
             "*NickName: \"Velmark XL-9000 PS\"",
             "*PSVersion: \"(3010.000) 0\"",
             "*LanguageLevel: \"3\"",
             "*ColorDevice: True",
             "*DefaultColorSpace: CMYK",
             "*FileSystem: True",
             "*Throughput: \"90\"",
             "*LandscapeOrientation: Plus90",
             "*TTRasterizer: Type42",
             "*cupsVersion: 2.4",
             "*cupsLanguages: \"fr de es it nl pt ja\"",
             "*cupsFilter2: \"application/vnd.cups-postscript application/postscript 0 -\"",
             "*VLInstallOptionError: True",
             "*VLUSER: USER",
             "*VLRegion: Default",
             "*VLMediaWeightUnit: gsm",
         })
        out.Line(line);
    // A long capability line such as printers' own PPDs carry.
    std::string features = "*VLFeatureList: \"";
    for (int i = 0; features.size() < kMaxLineLength - 12; ++i)
        features += "F" + std::to_string(i) + ",";
    out.Line(features + "END\"");
    out.Line("");
}

void WriteInstallable(PPDWriter& out, const Installable& option, int index) {
    const std::string& kw = option.keyword;
    const char* verb = index % 2 == 0 ? "INQUIRE" : "DINQUIRE";
    out.Line("*OpenUI *" + kw + "/" + option.label + ": Boolean");
    out.Line("*OrderDependency: 10 AnySetup *" + kw);
    out.Line("*Default" + kw + ": False");
    out.Line("*" + kw + " True/Installed: \"\"");
    out.Line("*" + kw + " False/Not Installed: \"\"");
    out.Line("*?" + kw + ": \"save currentpagedevice /" + kw +
             " known {(True)} {(False)} ifelse = flush restore\"");
    out.Line("*?VLPJL" + kw + ": \"@PJL " + verb + " " + option.pjlName + "\"");
    out.Line("*VLPJL" + kw + " True: \"" + std::string(kInstalledText) + "\"");
    out.Line("*VLPJL" + kw + " False: \"" + std::string(kNotInstalledText) + "\"");
    out.Line("*CloseUI: *" + kw);
    out.Line("");
}

void WriteInstallables(PPDWriter& out, const std::vector<Installable>& list) {
    out.Line("*OpenGroup: InstallableOptions/Installable Options");
    out.Line("");
    for (std::size_t i = 0; i < list.size(); ++i)
        WriteInstallable(out, list[i], static_cast<int>(i));
    out.Line("*CloseGroup: InstallableOptions");
    out.Line("");
}

// A choice's PostScript code over several lines, as most choices of a big PPD have.
void WriteChoiceCode(PPDWriter& out, const Option& option, const Choice& choice, int index) {
    out.Line("*" + option.keyword + " " + choice.name + "/" + choice.label + ": \"");
    out.Line("  userdict /VLSettings known not { userdict /VLSettings 64 dict put } if");
    out.Line("  userdict /VLSettings get /" + option.keyword + " (" + choice.name + ") put");
    out.Line("  << /DeviceRenderingInfo << /Type 2 /VLMode " + std::to_string(index) +
             " /VLOption (" + option.keyword + ") >> >> setpagedevice\"");
    out.Line("*End");
}

void WriteOption(PPDWriter& out, const Option& option, int order) {
    out.Line("*OpenUI *" + option.keyword + "/" + option.label + ": PickOne");
    out.Line("*OrderDependency: " + std::to_string(order) + " AnySetup *" + option.keyword);
    out.Line("*Default" + option.keyword + ": " + option.choices.front().name);
    for (std::size_t c = 0; c < option.choices.size(); ++c)
        WriteChoiceCode(out, option, option.choices[c], static_cast<int>(c));
    out.Line("*CloseUI: *" + option.keyword);
    out.Line("");
}

void WritePageSizes(PPDWriter& out, const std::vector<PageSize>& sizes) {
    for (const char* keyword : {"PageSize", "PageRegion"}) {
        out.Line(std::string("*OpenUI *") + keyword + "/" +
                 (keyword == std::string("PageSize") ? "Page Size" : "Page Region") + ": PickOne");
        out.Line(std::string("*OrderDependency: 20 AnySetup *") + keyword);
        out.Line(std::string("*Default") + keyword + ": Letter");
        for (const auto& size : sizes)
            out.Line(std::string("*") + keyword + " " + size.name + "/" + size.name +
                     ": \"<</PageSize[" + std::to_string(size.width) + " " +
                     std::to_string(size.height) + "]/ImagingBBox null>>setpagedevice\"");
        out.Line(std::string("*CloseUI: *") + keyword);
        out.Line("");
    }
    out.Line("*DefaultImageableArea: Letter");
    for (const auto& size : sizes)
        out.Line("*ImageableArea " + size.name + "/" + size.name + ": \"12 12 " +
                 std::to_string(size.width - 12) + " " + std::to_string(size.height - 12) + "\"");
    out.Line("*DefaultPaperDimension: Letter");
    for (const auto& size : sizes)
        out.Line("*PaperDimension " + size.name + "/" + size.name + ": \"" +
                 std::to_string(size.width) + " " + std::to_string(size.height) + "\"");
    out.Line("");
}

void WriteGroups(PPDWriter& out, const std::vector<Group>& groups,
                 const std::vector<PageSize>& sizes) {
    int order = 20;
    for (const auto& group : groups) {
        out.Line("*OpenGroup: " + group.name + "/" + group.label);
        out.Line("");
        if (group.name == "General")
            WritePageSizes(out, sizes);
        for (const auto& option : group.options)
            WriteOption(out, option, ++order);
        out.Line("*CloseGroup: " + group.name);
        out.Line("");
    }
}

void WriteConstraintPair(PPDWriter& out, const std::string& first, const std::string& second) {
    out.Line("*UIConstraints: " + first + " " + second);
    out.Line("*UIConstraints: " + second + " " + first);
}

void WriteConstraints(PPDWriter& out, const std::vector<Installable>& installables,
                      const std::vector<Group>& groups) {
    out.Line("*% Without the optional parts, their settings cannot be chosen.");
    const auto& duplex = groups[0].options.back();
    for (std::size_t c = 1; c < duplex.choices.size(); ++c)
        WriteConstraintPair(out, "*VLDuplexUnit False", "*Duplex " + duplex.choices[c].name);
    // Every optional part rules out some choices of the options it serves.
    for (std::size_t i = 1; i < installables.size(); ++i)
        for (const auto& group : groups)
            for (std::size_t o = 0; o < group.options.size(); ++o) {
                if ((i + o) % 4 != 0)
                    continue;
                const auto& option = group.options[o];
                // Never the default choice: the defaults stay free of conflicts.
                const auto& choice = option.choices[1 + i % (option.choices.size() - 1)];
                WriteConstraintPair(out, "*" + installables[i].keyword + " False",
                                    "*" + option.keyword + " " + choice.name);
            }
    // Media types that the finisher cannot staple.
    const auto& media = groups[4].options.back();
    const auto& staple = groups[1].options.back();
    for (std::size_t m = 0; m < media.choices.size(); ++m)
        for (std::size_t s = 0; s < staple.choices.size(); ++s)
            if ((m + s) % 3 == 0 && m != 0 && s != 0)
                WriteConstraintPair(out, "*MediaType " + media.choices[m].name,
                                    "*VLStaple " + staple.choices[s].name);
    out.Line("");
}

void WriteFonts(PPDWriter& out) {
    static const char* const kFamilies[] = {
        "AvantGarde", "Bookman", "Courier", "Helvetica", "HelveticaNarrow", "NewCenturySchlbk",
        "Palatino",   "Times",   "Optima",  "Garamond",  "Univers",         "Futura",
        "Gill",       "Goudy",   "Letter",  "Marigold",  "Albertus",        "Antique"};
    static const char* const kStyles[] = {"",       "-Bold",        "-Italic", "-BoldItalic",
                                          "-Light", "-LightItalic", "-Demi",   "-DemiItalic"};
    out.Line("*DefaultFont: Courier");
    for (const char* family : kFamilies)
        for (const char* style : kStyles)
            out.Line(std::string("*Font ") + family + style +
                     ": Standard \"(001.008S)\" Standard ROM");
    out.Line("");
}

void WriteTranslations(PPDWriter& out, const std::vector<Installable>& installables,
                       const std::vector<Group>& groups) {
    for (const auto& language : kLanguages) {
        const std::string code = language.code;
        const std::string prefix = language.prefix;
        out.Line("*% Translations: " + code);
        out.Line("*" + code + ".Translation Manufacturer/Velmark: \"\"");
        out.Line("*" + code + ".Translation ModelName/Velmark XL-9000 PS: \"\"");
        out.Line("*" + code + ".Translation InstallableOptions/" + prefix + " Options: \"\"");
        for (const auto& option : installables) {
            out.Line("*" + code + ".Translation " + option.keyword + "/" + prefix + " " +
                     option.label + ": \"\"");
            out.Line("*" + code + "." + option.keyword + " True/" + language.installed + ": \"\"");
            out.Line("*" + code + "." + option.keyword + " False/" + language.notInstalled +
                     ": \"\"");
        }
        for (const auto& group : groups) {
            out.Line("*" + code + ".Translation " + group.name + "/" + prefix + " " + group.label +
                     ": \"\"");
            for (const auto& option : group.options) {
                out.Line("*" + code + ".Translation " + option.keyword + "/" + prefix + " " +
                         option.label + ": \"\"");
                for (const auto& choice : option.choices)
                    out.Line("*" + code + "." + option.keyword + " " + choice.name + "/" + prefix +
                             " " + choice.label + ": \"\"");
            }
        }
        out.Line("");
    }
}

std::string MakePPD(const std::vector<Installable>& installables) {
    const auto groups = MakeGroups();
    const auto sizes = MakePageSizes();
    PPDWriter out;
    WriteHeader(out);
    WriteInstallables(out, installables);
    WriteGroups(out, groups, sizes);
    WriteConstraints(out, installables, groups);
    WriteFonts(out);
    WriteTranslations(out, installables, groups);
    out.Line("*% End of Velmark-XL9000.ppd");
    return out.Text();
}

std::string MakeDescription(const std::vector<Installable>& installables) {
    std::string text = "# The printer of the big benchmark PPD: region HX2, and an answer\n"
                       "# for the PJL query of every installable option.\n"
                       "snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2\n"
                       "pjl VELUSER = HX2\n";
    for (const auto& option : installables)
        text += "pjl " + option.pjlName + " = " +
                std::string(option.installed ? kInstalledText : kNotInstalledText) + "\n";
    return text;
}

void WriteFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: make_big_ppd PPD-OUT DESCRIPTION-OUT [INSTALLABLE-COUNT]\n", stderr);
        return 2;
    }
    const int count = argc == 4 ? std::atoi(argv[3]) : kDefaultInstallables;
    if (count < kMinimumInstallables) {
        std::fprintf(stderr, "make_big_ppd: at least %d installable options\n",
                     kMinimumInstallables);
        return 2;
    }
    try {
        const auto installables = MakeInstallables(count);
        WriteFile(argv[1], MakePPD(installables));
        WriteFile(argv[2], MakeDescription(installables));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "make_big_ppd: %s\n", failure.what());
        return 1;
    }
    return 0;
}
