// The dialog on real widgets with both panels: tabs, refused changes, the
// summary, and what Print does.

#include "HostFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

VelprintJob DryRun() {
    VelprintJob job;
    job.files = {"/dev/null"};
    job.dryRun = true;
    return job;
}

QStringList Lines(const QString& output) {
    return output.split('\n', Qt::SkipEmptyParts);
}

class PrintDialogTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        makeDialog(DryRun());
    }
};

TEST_F(PrintDialogTest, OneTabPerPanelBetweenTheBasicsAndTheSummary) {
    auto* tabs = control<QTabWidget>("tabs");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Color");
    EXPECT_EQ(tabs->tabText(2), "User Authentication");
    EXPECT_EQ(tabs->tabText(3), "Summary");
    EXPECT_EQ(dialog->panelOfTab(1), host->panels()[0]);
    EXPECT_EQ(dialog->panelOfTab(3), nullptr);
}

// Showing a panel's tab is its willShow: the view is filled from the choices.
TEST_F(PrintDialogTest, ShowingATabPreparesItsPanel) {
    showTab("Color");
    EXPECT_TRUE(control<QAbstractButton>("colorModeCell0")->isChecked()) << "Office Color";
    showTab("User Authentication");
    EXPECT_FALSE(control<QAbstractButton>("useUserAuthButton")->isChecked());
}

TEST_F(PrintDialogTest, ForbiddenColourChoiceIsRefusedAndThePanelKeepsItsChoice) {
    showTab("Color");
    control<QAbstractButton>("tonerSaving100Button")->click();
    ASSERT_EQ(host->ppd().markedChoice("VLOutputModeBlack"), "True");

    control<QAbstractButton>("colorModeCell2")->click(); // Graphic Pro: needs the colour toner
    EXPECT_EQ(host->ppd().markedChoice("VLControl"), "Office");
    EXPECT_TRUE(control<QAbstractButton>("colorModeCell0")->isChecked());
    EXPECT_FALSE(control<QAbstractButton>("colorModeCell2")->isChecked());

    control<QAbstractButton>("tonerSaving100Button")->click();
    control<QAbstractButton>("colorModeCell2")->click();
    EXPECT_EQ(host->ppd().markedChoice("VLControl"), "Graph") << "allowed again";
}

TEST_F(PrintDialogTest, TheDialogsOwnChoicesFollowTheSameRules) {
    choose("duplexComboBox", "DuplexNoTumble"); // no duplex unit installed
    EXPECT_EQ(host->ppd().markedChoice("Duplex"), "None");
    EXPECT_EQ(control<QComboBox>("duplexComboBox")->currentData().toString(), "None");
    EXPECT_FALSE(control<QLabel>("refusalLabel")->text().isEmpty());

    choose("pageSizeComboBox", "A4");
    EXPECT_EQ(host->ppd().markedChoice("PageSize"), "A4");
    EXPECT_TRUE(control<QLabel>("refusalLabel")->text().isEmpty());
}

TEST_F(PrintDialogTest, SummaryListsEveryPanelsSettings) {
    showTab("Color");
    control<QAbstractButton>("colorModeCell1")->click();
    showTab("Summary");
    auto* tree = control<QTreeWidget>("summaryTree");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* colour = tree->topLevelItem(0);
    EXPECT_EQ(colour->text(0), "Color");
    ASSERT_GT(colour->childCount(), 3);
    bool found = false;
    for (int i = 0; i < colour->childCount(); ++i) {
        found = found || (colour->child(i)->text(0) == "Color Mode" &&
                          colour->child(i)->text(1) == "Photo Color");
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "User Authentication");
}

TEST_F(PrintDialogTest, DryRunWritesEveryJobOption) {
    showTab("Color");
    control<QAbstractButton>("colorModeCell1")->click();
    showTab("General");
    control<QSpinBox>("copiesSpinBox")->setValue(3);
    control<QAbstractButton>("pageRangeButton")->click();
    control<QLineEdit>("pageRangeEdit")->setText("1-2, 4");
    print();

    const QStringList lines = Lines(output);
    for (const char* expected : {"VLControl=Photo", "PageSize=Letter", "copies=3",
                                 "page-ranges=1-2,4", "VLUseUserAuth=0", "VLJAUserID=4711"}) {
        EXPECT_TRUE(lines.contains(expected)) << expected << " in\n" << output.toStdString();
    }
    EXPECT_EQ(lines.filter(QRegularExpression("^VLUA(UserName|Password)=")).size(), 2);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(host->session().destinationType(), PMDestinationType::kPMDestinationPreview);
}

TEST_F(PrintDialogTest, UnreadablePageRangeStopsWithAMessage) {
    control<QAbstractButton>("pageRangeButton")->click();
    control<QLineEdit>("pageRangeEdit")->setText("3-1");
    print();
    EXPECT_TRUE(output.isEmpty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("The page range cannot be read"));
    EXPECT_NE(dialog->result(), QDialog::Accepted);

    control<QAbstractButton>("allPagesButton")->click();
    print();
    EXPECT_FALSE(Lines(output).filter("page-ranges=").size() > 0);
}

// The user-authentication panel refuses an empty user name with its own
// alert; the job does not go and the dialog stays.
TEST_F(PrintDialogTest, APanelThatRefusesStopsTheJob) {
    showTab("User Authentication");
    control<QAbstractButton>("useUserAuthButton")->click();
    QString alert;
    WhileModalOpen([&] { print(); },
                   [&](QWidget* window) {
                       auto* box = qobject_cast<QMessageBox*>(window);
                       ASSERT_NE(box, nullptr);
                       alert = box->text();
                   });
    EXPECT_FALSE(alert.isEmpty());
    EXPECT_TRUE(output.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

// Printing to a file: the document through CUPS' filters for the PPD, the
// choices' PostScript in it; credentials are not checked for a file.
class PrintToFile : public DialogFixture {
protected:
    void makeFileDialog(const char* name, const std::string& document) {
        VelprintJob job;
        job.files = {Path(dir.Write(name, document))};
        job.outputFile = Path(dir.Path() / "out.ps");
        makeDialog(job);
    }
};

TEST_F(PrintToFile, WritesWhatThePrinterWouldGet) {
    makeFileDialog("report.ps",
                   "%!PS\n72 720 moveto /Helvetica findfont 12 scalefont setfont (x) show "
                   "showpage\n");
    EXPECT_EQ(host->session().destinationType(), PMDestinationType::kPMDestinationFile);
    showTab("Color");
    control<QAbstractButton>("colorModeCell2")->click();
    showTab("User Authentication");
    control<QAbstractButton>("useUserAuthButton")->click(); // and no user name
    print();

    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(output.trimmed(), "printed to " + Path(dir.Path() / "out.ps"));
    const std::string printed = ReadFile(dir.Path() / "out.ps");
    EXPECT_NE(printed.find("userdict /VLControl (Graph) put"), std::string::npos) << printed;
}

TEST_F(PrintToFile, FilterFailureIsShown) {
    // Bytes of no type CUPS knows, in a file whose name tells none either.
    makeFileDialog("report", std::string("\x7f\x45\x4c\x46\x02\x01\x01\0\0\0", 10));
    dir.Write("out.ps", "an earlier job\n");
    print();
    EXPECT_EQ(ReadFile(dir.Path() / "out.ps"), "an earlier job\n") << "kept as it was";
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("out.ps."))
            << "a partial file left: " << entry.path();
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("The job was not printed: ")) << messages[0].toStdString();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(PrintDialogTest, CancelSendsNothing) {
    control<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(output.isEmpty());
}

} // namespace
