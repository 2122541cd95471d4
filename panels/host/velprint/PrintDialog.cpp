#include "PrintDialog.h"

#include "PageRanges.h"
#include "ui_PrintDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>

namespace {

QTextStream& StandardOutput() {
    static QTextStream out(stdout);
    return out;
}

void ShowMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, title, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("velprintMessage"));
    box.setInformativeText(text);
    box.exec();
}

} // namespace

PrintDialog::PrintDialog(PDEHost& host, VelprintJob job, QWidget* parent)
    : QDialog(parent), m_Ui(std::make_unique<Ui::PrintDialog>()), m_Host(host),
      m_Job(std::move(job)), m_Out(&StandardOutput()) {
    m_Ui->setupUi(this);
    m_MessagePanel = [this](const QString& title, const QString& text) {
        ShowMessageBox(this, title, text);
    };
    m_Host.session().setDestinationType(m_Job.destination());
    const QString destination = destinationText();
    setWindowTitle(tr("Print to %1").arg(destination));
    m_Ui->printerLabel->setText(destination);
    m_Ui->filesLabel->setText(m_Job.files.join(QStringLiteral(", ")));

    QPushButton* printButton =
        m_Ui->buttonBox->addButton(tr("Print"), QDialogButtonBox::AcceptRole);
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setDefault(true);
    connect(printButton, &QPushButton::clicked, this, &PrintDialog::print);
    connect(m_Ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_Ui->pageRangeButton, &QRadioButton::toggled, m_Ui->pageRangeEdit,
            &QLineEdit::setEnabled);

    setUpChoiceBox(m_Ui->pageSizeComboBox, m_Ui->pageSizeLabel, "PageSize");
    setUpChoiceBox(m_Ui->duplexComboBox, m_Ui->duplexLabel, "Duplex");
    showChoices();
    addPanelTabs();
    connect(m_Ui->tabs, &QTabWidget::currentChanged, this, &PrintDialog::tabChanged);
}

PrintDialog::~PrintDialog() = default;

QString PrintDialog::destinationText() const {
    if (!m_Job.outputFile.isEmpty()) {
        return tr("the file %1").arg(m_Job.outputFile);
    }
    const QString queue = m_Job.queue.isEmpty() ? tr("(no queue)") : m_Job.queue;
    return m_Job.dryRun ? tr("%1 (dry run: nothing is sent)").arg(queue) : queue;
}

PDEPanel* PrintDialog::panelOfTab(int index) const {
    return m_PanelOfPage.value(m_Ui->tabs->widget(index), nullptr);
}

// Between the basics and the summary, in the order the panels were loaded.
void PrintDialog::addPanelTabs() {
    int index = m_Ui->tabs->indexOf(m_Ui->summaryTab);
    for (PDEPanel* panel : m_Host.panels()) {
        QWidget* page = panel->panelView();
        if (page == nullptr) {
            std::fprintf(stderr, "velprint: %s: the panel's view could not be loaded\n",
                         qUtf8Printable(panel->panelKind()));
            auto* missing = new QLabel(tr("This panel could not load its view."));
            missing->setAlignment(Qt::AlignCenter);
            page = missing;
        }
        m_Ui->tabs->insertTab(index++, page, panel->panelName());
        m_PanelOfPage.insert(page, panel);
    }
}

// A box for one of the PPD's own options; hidden when the PPD has none.
void PrintDialog::setUpChoiceBox(QComboBox* box, QWidget* label, const char* keyword) {
    const ppd_option_t* option = ppdFindOption(m_Host.ppd().ppd(), keyword);
    if (option == nullptr) {
        box->hide();
        label->hide();
        return;
    }
    for (int c = 0; c < option->num_choices; ++c) {
        box->addItem(QString::fromUtf8(option->choices[c].text),
                     QString::fromUtf8(option->choices[c].choice));
    }
    m_KeywordOfBox.insert(box, keyword);
    connect(box, &QComboBox::activated, this,
            [this, box, keyword] { chooseFromBox(box, keyword); });
}

// The boxes show what is marked; a panel may have changed it meanwhile.
void PrintDialog::showChoices() {
    for (auto it = m_KeywordOfBox.cbegin(); it != m_KeywordOfBox.cend(); ++it) {
        const QSignalBlocker quiet(it.key());
        it.key()->setCurrentIndex(
            it.key()->findData(m_Host.ppd().markedChoice(QString::fromLatin1(it.value()))));
    }
}

void PrintDialog::chooseFromBox(QComboBox* box, const char* keyword) {
    const QString choice = box->currentData().toString();
    if (m_Host.changeChoice(PDEHost::kHostOrigin, QString::fromLatin1(keyword), choice)) {
        m_Ui->refusalLabel->clear();
        return;
    }
    m_Ui->refusalLabel->setText(
        tr("\"%1\" cannot be combined with the other settings.").arg(box->currentText()));
    showChoices();
}

// A panel may keep itself shown (shouldHide); the one coming up is told.
void PrintDialog::tabChanged(int index) {
    if (PDEPanel* leaving = panelOfTab(m_CurrentTab);
        leaving != nullptr && !leaving->shouldHide()) {
        const QSignalBlocker quiet(m_Ui->tabs);
        m_Ui->tabs->setCurrentIndex(m_CurrentTab);
        return;
    }
    m_CurrentTab = index;
    if (PDEPanel* coming = panelOfTab(index)) {
        coming->willShow();
    } else if (m_Ui->tabs->widget(index) == m_Ui->summaryTab) {
        showSummary();
    } else {
        showChoices();
    }
}

void PrintDialog::showSummary() {
    QTreeWidget* tree = m_Ui->summaryTree;
    tree->clear();
    for (PDEPanel* panel : m_Host.panels()) {
        auto* heading = new QTreeWidgetItem(tree, {panel->panelName()});
        const QMap<QString, QString> summary = panel->summaryInfo();
        for (auto it = summary.cbegin(); it != summary.cend(); ++it) {
            new QTreeWidgetItem(heading, {it.key(), it.value()});
        }
    }
    tree->expandAll();
    tree->resizeColumnToContents(0);
}

// Copies and pages go with the job as print settings.
bool PrintDialog::storeBasics() {
    PDEHostPrintSettings& settings = m_Host.settings();
    settings.setValue(QStringLiteral("copies"), QString::number(m_Ui->copiesSpinBox->value()));
    if (!m_Ui->pageRangeButton->isChecked()) {
        settings.remove(QStringLiteral("page-ranges"));
        return true;
    }
    const std::optional<QString> ranges = NormalizedPageRanges(m_Ui->pageRangeEdit->text());
    if (!ranges.has_value()) {
        showMessage(tr("The page range cannot be read"),
                    tr("Give pages and ranges counted from 1, such as 1-3, 5, 8-."));
        return false;
    }
    settings.setValue(QStringLiteral("page-ranges"), *ranges);
    return true;
}

void PrintDialog::print() {
    if (!storeBasics()) {
        return;
    }
    QString error;
    // A panel that stops the job has told the person why.
    if (!m_Host.panelsAgreeToPrint(&error)) {
        if (!error.isEmpty()) {
            showMessage(tr("A panel stopped the job"), error);
        }
        return;
    }
    if (!m_Job.run(m_Host, *m_Out, &error)) {
        showMessage(tr("The job was not printed"), error);
        return;
    }
    accept();
}

void PrintDialog::showMessage(const QString& title, const QString& text) {
    std::fprintf(stderr, "velprint: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
    m_MessagePanel(title, text);
}
