#include "HostFixture.h"

#include "PDEPanelFolders.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>

QStringList StagedBundles() {
    return PDEBundlesIn({QStringLiteral(QC_STAGED_PANELS)});
}

std::unique_ptr<PDEHost> HostWithPanels(const std::filesystem::path& ppd) {
    QString error;
    std::unique_ptr<PDEHostPPD> opened = PDEHostPPD::openFile(Path(ppd), &error);
    if (opened == nullptr) {
        ADD_FAILURE() << error.toStdString();
        return nullptr;
    }
    auto host = std::make_unique<PDEHost>(std::move(opened));
    const QStringList diagnostics = host->loadBundles(StagedBundles());
    EXPECT_TRUE(diagnostics.isEmpty()) << diagnostics.join("\n").toStdString();
    EXPECT_EQ(host->panels().size(), 2u);
    return host;
}

bool RecordingPanel::shouldPrint() {
    if (calls != nullptr) {
        calls->push_back(panelName() + " shouldPrint");
    }
    return agreesToPrint;
}

bool RecordingPanel::saveValuesAndReturnError(QString* error) {
    if (calls != nullptr) {
        calls->push_back(panelName() + " save");
    }
    if (!saveError.isEmpty()) {
        *error = saveError;
        return false;
    }
    return true;
}

void DialogFixture::SetUp() {
    dir.Write("etc/QUORVAN/VLJA.prefs", "user7,4711,x\n");
}

void DialogFixture::makeDialog(VelprintJob job, std::unique_ptr<PDEHost> made) {
    host = made != nullptr ? std::move(made) : HostWithPanels(WriteColourPPD(dir));
    ASSERT_NE(host, nullptr);
    dialog = std::make_unique<PrintDialog>(*host, std::move(job));
    dialog->setMessagePanel([this](const QString& title, const QString& text) {
        messages.push_back(title + ": " + text);
    });
    dialog->setOutput(&outputStream);
    dialog->show();
}

int DialogFixture::showTab(const QString& title) {
    auto* tabs = control<QTabWidget>("tabs");
    for (int i = 0; tabs != nullptr && i < tabs->count(); ++i) {
        if (tabs->tabText(i) == title) {
            tabs->setCurrentIndex(i);
            return i;
        }
    }
    ADD_FAILURE() << "no tab " << title.toStdString();
    return -1;
}

void DialogFixture::choose(const char* boxName, const char* data) {
    auto* box = control<QComboBox>(boxName);
    ASSERT_NE(box, nullptr);
    const int index = box->findData(QString::fromLatin1(data));
    ASSERT_GE(index, 0) << boxName << " has no " << data;
    box->setCurrentIndex(index);
    emit box->activated(index);
}
