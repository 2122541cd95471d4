// The control helpers on hand-made PPD options: empty, unknown and null
// inputs leave the controls as the helpers promise.

#include "PDECommon.h"
#include "PDEBundle.h"
#include "PPDString.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A PPD option as libcups lays it out, with the given keyword/text pairs.
class HandMadeOption {
public:
    HandMadeOption(const char* defaultChoice,
                   std::initializer_list<std::pair<const char*, const char*>> choices)
        : m_Choices(choices.size()) {
        std::strncpy(m_Option.keyword, "VLTest", sizeof m_Option.keyword - 1);
        std::strncpy(m_Option.defchoice, defaultChoice, sizeof m_Option.defchoice - 1);
        std::size_t i = 0;
        for (const auto& [keyword, text] : choices) {
            std::strncpy(m_Choices[i].choice, keyword, sizeof m_Choices[i].choice - 1);
            std::strncpy(m_Choices[i].text, text, sizeof m_Choices[i].text - 1);
            m_Choices[i].option = &m_Option;
            ++i;
        }
        m_Option.num_choices = int(m_Choices.size());
        m_Option.choices = m_Choices.empty() ? nullptr : m_Choices.data();
    }
    ppd_option_t* get() { return &m_Option; }

private:
    ppd_option_t m_Option{};
    std::vector<ppd_choice_t> m_Choices;
};

HandMadeOption Modes() {
    return HandMadeOption(
        "Office", {{"Office", "Office Color"}, {"Photo", "Photo Color"}, {"Graph", "Graphic Pro"}});
}

QStringList itemsOf(const QComboBox& popup) {
    QStringList items;
    for (int i = 0; i < popup.count(); ++i) {
        items << popup.itemText(i) + "=" + popup.itemData(i).toString();
    }
    return items;
}

TEST(PDECommonPopupButton, HoldsOneItemPerChoiceInPPDOrder) {
    HandMadeOption modes = Modes();
    QComboBox popup;
    PDECommon::initializeUI_PopupButton(&popup, modes.get());
    PDECommon::initializeUI_PopupButton(&popup, modes.get());
    EXPECT_EQ(itemsOf(popup),
              QStringList({"Office Color=Office", "Photo Color=Photo", "Graphic Pro=Graph"}));

    HandMadeOption none("", {});
    PDECommon::initializeUI_PopupButton(&popup, none.get());
    EXPECT_EQ(popup.count(), 0);
}

// Two choices with one text still stand for their own keywords.
TEST(PDECommonPopupButton, KeepsChoicesWithTheSameTextApart) {
    HandMadeOption twins("A", {{"A", "Same"}, {"B", "Same"}});
    QComboBox popup;
    PDECommon::initializeUI_PopupButton(&popup, twins.get());
    PDECommon::updateUI_PopupButton(&popup, "B");
    EXPECT_EQ(itemsOf(popup), QStringList({"Same=A", "Same=B"}));
    EXPECT_EQ(popup.currentIndex(), 1);
}

TEST(PDECommonPopupButton, SelectsByExactKeyword) {
    HandMadeOption modes = Modes();
    QComboBox popup;
    PDECommon::initializeUI_PopupButton(&popup, modes.get());
    PDECommon::updateUI_PopupButton(&popup, "Graph");
    EXPECT_EQ(popup.currentIndex(), 2);
    PDECommon::updateUI_PopupButton(&popup, QString());
    EXPECT_EQ(popup.currentIndex(), 2) << "a null keyword changes nothing";
    PDECommon::updateUI_PopupButton(&popup, "graph");
    EXPECT_EQ(popup.currentIndex(), -1) << "an unknown keyword leaves no item selected";
}

TEST(PDECommonMatrix, SelectsTheCellOfTheChoiceIndex) {
    HandMadeOption modes = Modes();
    QWidget parent;
    QButtonGroup matrix;
    for (int tag = 0; tag < 3; ++tag) {
        matrix.addButton(new QRadioButton(&parent), tag);
    }
    PDECommon::updateUI_Matrix(&matrix, "Photo", modes.get());
    EXPECT_EQ(matrix.checkedId(), 1);
    for (const QString& unchanged : {QString("Gray"), QString("photo"), QString()}) {
        PDECommon::updateUI_Matrix(&matrix, unchanged, modes.get());
        EXPECT_EQ(matrix.checkedId(), 1) << "keyword " << unchanged.toStdString();
    }
    PDECommon::updateUI_Matrix(&matrix, "Graph", nullptr);
    EXPECT_EQ(matrix.checkedId(), 1);
}

TEST(PDECommonCheckBox, IsOnForExactlyTrue) {
    QCheckBox box;
    const struct {
        const char* keyword;
        bool on;
    } cases[] = {{"True", true},   {"true", false}, {"True", true},
                 {"False", false}, {"True", true},  {"Yes", false}};
    for (const auto& c : cases) {
        PDECommon::updateUI_CheckBox(&box, c.keyword);
        EXPECT_EQ(box.isChecked(), c.on) << c.keyword;
    }
    PDECommon::updateUI_CheckBox(&box, "True");
    PDECommon::updateUI_CheckBox(&box, QString());
    EXPECT_TRUE(box.isChecked()) << "a null keyword leaves the box as it was";
}

TEST(PDECommonSummary, AddsTheChoiceTextUnderTheLocalizedTitle) {
    HandMadeOption modes = Modes();
    const PDEBundle bundle(QC_COLOR_BUNDLE, QLocale(QLocale::English));
    QMap<QString, QString> summary;
    PDECommon::addSummaryInfo(&bundle, &summary, "ColorMode", "Graph", modes.get());
    PDECommon::addSummaryInfo(&bundle, &summary, "NoSuchKey", "Photo", modes.get());
    const QMap<QString, QString> expected{{"Color Mode", "Graphic Pro"},
                                          {"NoSuchKey", "Photo Color"}};
    EXPECT_EQ(summary, expected);
}

TEST(PDECommonSummary, AddsNothingForAnUnknownKeywordOrANullArgument) {
    HandMadeOption modes = Modes();
    const PDEBundle bundle{QString()};
    QMap<QString, QString> summary;
    PDECommon::addSummaryInfo(&bundle, &summary, "ColorMode", "graph", modes.get());
    PDECommon::addSummaryInfo(&bundle, &summary, "ColorMode", "Gray", modes.get());
    PDECommon::addSummaryInfo(&bundle, &summary, "ColorMode", QString(), modes.get());
    PDECommon::addSummaryInfo(&bundle, &summary, QString(), "Graph", modes.get());
    PDECommon::addSummaryInfo(&bundle, &summary, "ColorMode", "Graph", nullptr);
    PDECommon::addSummaryInfo(nullptr, &summary, "ColorMode", "Graph", modes.get());
    EXPECT_TRUE(summary.isEmpty());
    PDECommon::addSummaryInfo(&bundle, nullptr, "ColorMode", "Graph", modes.get());
}

TEST(PDECommonNullControls, AreLeftAlone) {
    HandMadeOption modes = Modes();
    PDECommon::initializeUI_PopupButton(nullptr, modes.get());
    PDECommon::updateUI_PopupButton(nullptr, "Graph");
    PDECommon::updateUI_Matrix(nullptr, "Graph", modes.get());
    PDECommon::updateUI_CheckBox(nullptr, "True");
    QComboBox popup;
    popup.addItem("kept");
    PDECommon::initializeUI_PopupButton(&popup, nullptr);
    EXPECT_EQ(popup.count(), 1);
}

// A keyword that cannot be read matches nothing; an empty one is a value.
TEST(PPDString, KeepsNullApartFromEmpty) {
    EXPECT_TRUE(QStringFromPPD(nullptr).isNull());
    EXPECT_TRUE(QStringFromPPD("\xff\xfe").isNull());
    EXPECT_FALSE(QStringFromPPD("").isNull());
    EXPECT_EQ(QStringFromPPD("Gr\xc3\xbcn"), QString::fromUtf8("Gr\u00fcn"));
    EXPECT_FALSE(QStringForDisplayFromPPD("\xff").isEmpty());
}

} // namespace
