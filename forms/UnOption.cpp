#include "forms/UnOption.h"

#include "platform/CodePage.h"
#include "desktop/Desktop.h"
#include "platform/FileSystem.h"
#include "settings/DocumentTypes.h"
#include "settings/RecognitionChoice.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "widgets/Accessibility.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyPreview.h"
#include "widgets/Metrics.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

TFmOption *FmOption = nullptr;

namespace {

enum ExtensionColumn { ColumnType, ColumnDescription, ColumnDefault, ColumnUser };
constexpr int ExtensionColumnWidths[] = {38, 100, 76, 80};

QString userDefinedPatterns()
{
    return CodePage::toUnicode(Settings.userfileext1, CodePage::System);
}

}

TKvListView::TKvListView(QWidget *parent) : QTreeWidget(parent)
{
    connect(header(), &QHeaderView::sectionResized, this, [this] { emit OnEndColumnResize(this); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit OnHScroll(this); });
}

namespace {

// The number, a run of blanks, the name: the blanks belong to the entry. Each language keeps
// the number and the blanks.
const char *const CodePageNames[] = {
    QT_TRANSLATE_NOOP("TFmOption", "0         Default"),
    QT_TRANSLATE_NOOP("TFmOption", "1252   Latin 1: European Western"),
    QT_TRANSLATE_NOOP("TFmOption", "1200   Unicode (UTF-16, ISO 10646)"),
    QT_TRANSLATE_NOOP("TFmOption", "65001 Unicode (UTF-8)"),
    QT_TRANSLATE_NOOP("TFmOption", "1250   European Eastern"),
    QT_TRANSLATE_NOOP("TFmOption", "1256   Arabic"),
    QT_TRANSLATE_NOOP("TFmOption", "1257   Baltic"),
    QT_TRANSLATE_NOOP("TFmOption", "1251   Cyrillic"),
    QT_TRANSLATE_NOOP("TFmOption", "1253   Greek"),
    QT_TRANSLATE_NOOP("TFmOption", "1255   Hebrew"),
    QT_TRANSLATE_NOOP("TFmOption", "1254   Turkish"),
    QT_TRANSLATE_NOOP("TFmOption", "874     Thai"),
    QT_TRANSLATE_NOOP("TFmOption", "932     Japanese"),
    QT_TRANSLATE_NOOP("TFmOption", "936     Chinese Simplified"),
    QT_TRANSLATE_NOOP("TFmOption", "950     Chinese Traditional"),
    QT_TRANSLATE_NOOP("TFmOption", "949     Korean Hangul"),
    QT_TRANSLATE_NOOP("TFmOption", "1361   Korean Johab"),
};

}

QStringList TFmOption::CodePageEntries()
{
    QStringList shown;
    for (const char *name : CodePageNames)
        shown << tr(name);
    return shown;
}

bool TFmOption::ParseCodePage(const QString &text, qint32 &codePage)
{
    // An entry counts in the user's language and in English alike.
    QString number = text;
    const QStringList shown = CodePageEntries();
    for (size_t i = 0; i < std::size(CodePageNames); ++i) {
        if (text.compare(QLatin1String(CodePageNames[i]), Qt::CaseInsensitive) == 0
            || text.compare(shown[qsizetype(i)], Qt::CaseInsensitive) == 0)
            number = text.left(text.indexOf(u' '));
    }
    return ParseInteger(number, codePage);
}

TFmOption::TFmOption(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmOption"));
    setWindowTitle(tr("Options"));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PageControl1 = new QTabWidget(panel);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true); // tabs as flat buttons
    PageControl1->setAccessibleName(tr("Pages"));
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(PageControl1);

    createGeneralPage();
    createExtensionPage();
    createSpecialPage();
    PageControl1->addTab(TabSheet1, tr("General"));
    PageControl1->addTab(TabSheet3, tr("Special"));
    createButtons(panel);
    FormCreate();
}

void TFmOption::createGeneralPage()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto *GroupBox1 = new QGroupBox(TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    CBSameDir = new QCheckBox(tr("Target file directory same as source file"), GroupBox1);
    CBSameDir->setObjectName(QStringLiteral("CBSameDir"));
    auto *Label1 = new QLabel(tr("Target file dir"), GroupBox1);
    EditTargetDir = new QLineEdit(GroupBox1);
    EditTargetDir->setObjectName(QStringLiteral("EditTargetDir"));
    Label1->setBuddy(EditTargetDir); // assistive technology names the field by its label
    BtnDir = new QPushButton(tr("&Browse"), GroupBox1);
    BtnDir->setObjectName(QStringLiteral("BtnDir"));
    BtnDir->setAutoDefault(false);
    auto *groupLayout = new QGridLayout(GroupBox1);
    groupLayout->addWidget(CBSameDir, 0, 0, 1, 2);
    groupLayout->addWidget(Label1, 1, 0, 1, 2);
    groupLayout->addWidget(EditTargetDir, 2, 0);
    groupLayout->addWidget(BtnDir, 2, 1);

    ComBFileOverTp = new NamedComboBox(TabSheet1);
    ComBFileOverTp->setObjectName(QStringLiteral("ComBFileOverTp"));
    ComBFileOverTp->addItems({tr("Auto rename"), tr("Overwrite"), tr("Prompt"),
                              tr("Cancel"), tr("Replace if older")});
    ComBSourceCode = new NamedComboBox(TabSheet1);
    ComBSourceCode->setObjectName(QStringLiteral("ComBSourceCode"));
    ComBSourceCode->setEditable(true);
    ComBSourceCode->setInsertPolicy(QComboBox::NoInsert);
    ComBSourceCode->setCompleter(nullptr); // the text typed is the text checked
    ComBSourceCode->addItems(CodePageEntries());
    auto *general = new QGridLayout(TabSheet1);
    general->addWidget(GroupBox1, 0, 0, 1, 2);
    auto *Label2 = new QLabel(tr("When target file exists"), TabSheet1);
    Label2->setBuddy(ComBFileOverTp);
    auto *Label3 = new QLabel(tr("File code page"), TabSheet1);
    Label3->setBuddy(ComBSourceCode);
    general->addWidget(Label2, 1, 0);
    general->addWidget(ComBFileOverTp, 1, 1);
    general->addWidget(Label3, 2, 0);
    general->addWidget(ComBSourceCode, 2, 1);
    general->setRowStretch(3, 1);
}

// The file extensions: present, but no page of the page control, so that no key reaches it.
void TFmOption::createExtensionPage()
{
    TabSheet2 = new QWidget(this);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    ExtensionGrid = new TKvListView(TabSheet2);
    ExtensionGrid->setObjectName(QStringLiteral("ExtensionGrid"));
    ExtensionGrid->setHeaderLabels({tr("Type"), tr("Description"), tr("Default ext"),
                                    tr("User defined")});
    // The usual widths, wider where a caption needs more.
    for (int column : {ColumnType, ColumnDescription, ColumnDefault, ColumnUser})
        ExtensionGrid->setColumnWidth(column, std::max(scaled(ExtensionColumnWidths[column]),
                                                       ExtensionGrid->header()->sectionSizeHint(column)));
    ExtensionGrid->setRootIsDecorated(false);
    ExtensionGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ExtensionGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ExtensionGrid->setWordWrap(false);
    ExtensionGrid->setFrameStyle(QFrame::NoFrame);
    EditFileExt = new QLineEdit(ExtensionGrid->viewport());
    EditFileExt->setObjectName(QStringLiteral("EditFileExt"));
    EditFileExt->setAccessibleName(tr("User defined")); // the grid column it edits
    EditFileExt->setFrame(false);
    EditFileExt->setTextMargins(EditFileExt->font().pointSize() / 2, 0, 0, 0);
    EditFileExt->hide();
    auto *extensionLayout = new QVBoxLayout(TabSheet2);
    extensionLayout->setContentsMargins(0, 0, 0, 0);
    extensionLayout->addWidget(ExtensionGrid);
}

void TFmOption::createSpecialPage()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    GBoxPDF = new QGroupBox(QStringLiteral("PDF"), TabSheet3);
    GBoxPDF->setObjectName(QStringLiteral("GBoxPDF"));
    CMBTextOrder = new NamedComboBox(GBoxPDF);
    CMBTextOrder->setObjectName(QStringLiteral("CMBTextOrder"));
    CMBTextOrder->addItems({tr("Default reading order"), tr("Maintain original layout"),
                            tr("Keep raw order")});
    CBPageBreak = new QCheckBox(tr("Insert page break"), GBoxPDF);
    CBPageBreak->setObjectName(QStringLiteral("CBPageBreak"));
    auto *pdfLayout = new QGridLayout(GBoxPDF);
    auto *Label9 = new QLabel(tr("Text output order"), GBoxPDF);
    Label9->setBuddy(CMBTextOrder);
    pdfLayout->addWidget(Label9, 0, 0);
    pdfLayout->addWidget(CMBTextOrder, 0, 1);
    pdfLayout->addWidget(CBPageBreak, 1, 0, 1, 2);
    CBOcr = new QCheckBox(tr("Recognise text in scanned pages (OCR)"), GBoxPDF);
    CBOcr->setObjectName(QStringLiteral("CBOcr"));
    EditOcrLang = new QLineEdit(GBoxPDF);
    EditOcrLang->setObjectName(QStringLiteral("EditOcrLang"));
    EditOcrLang->setToolTip(tr("Tesseract language codes joined by \"+\", such as eng+deu"));
    auto *LabelOcrLang = new QLabel(tr("Recognition languages"), GBoxPDF);
    LabelOcrLang->setBuddy(EditOcrLang);
    pdfLayout->addWidget(CBOcr, 2, 0, 1, 2);
    pdfLayout->addWidget(LabelOcrLang, 3, 0);
    pdfLayout->addWidget(EditOcrLang, 3, 1);
    connect(CBOcr, &QCheckBox::toggled, EditOcrLang, &QWidget::setEnabled);
    GBoxDOC = new QGroupBox(QStringLiteral("DOC"), TabSheet3);
    GBoxDOC->setObjectName(QStringLiteral("GBoxDOC"));
    CBKeepRaw = new QCheckBox(tr("Keep raw characters"), GBoxDOC);
    CBKeepRaw->setObjectName(QStringLiteral("CBKeepRaw"));
    (new QVBoxLayout(GBoxDOC))->addWidget(CBKeepRaw);
    auto *special = new QVBoxLayout(TabSheet3);
    special->addWidget(GBoxPDF);
    special->addWidget(GBoxDOC);
    special->addStretch();
}

void TFmOption::createButtons(QWidget *panel)
{
    BtnOK = makeButton(this, "BtnOK", tr("&OK"));
    BtnCancel = makeButton(this, "BtnCancel", tr("&Cancel"));
    BtnHelp = makeButton(this, "BtnHelp", tr("&Help"));
    for (QPushButton *b : {BtnOK, BtnCancel, BtnHelp})
        b->setMinimumSize(scaled(60), scaled(22));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnHelp);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    setFixedSize(std::max(scaled(317), sizeHint().width()), std::max(scaled(258), sizeHint().height()));
}

void TFmOption::FormCreate()
{
    connect(ExtensionGrid, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { PlaceExtensionEditor(current, current != nullptr); });
    const auto followEditor = [this] { PlaceExtensionEditor(ExtensionGrid->currentItem(), true); };
    connect(ExtensionGrid, &TKvListView::OnEndColumnResize, this, followEditor);
    connect(ExtensionGrid, &TKvListView::OnHScroll, this, followEditor);
    connect(EditFileExt, &QLineEdit::textChanged, this, &TFmOption::EditFileExtChange);
    FillExtensionGrid();
    EditFileExt->raise();
    GBoxDOC->hide();
    TabSheet2->hide();

    connect(CBSameDir, &QCheckBox::clicked, this, &TFmOption::CBSameDirClick);
    connect(BtnDir, &QPushButton::clicked, this, &TFmOption::BtnDirClick);
    connect(BtnOK, &QPushButton::clicked, this, &TFmOption::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFmOption::BtnCancelClick);
    connect(BtnHelp, &QPushButton::clicked, this, &TFmOption::BtnHelpClick);
    KeyPreview::enterAndEscape(this, [this] { BtnOKClick(); }, [this] { BtnCancelClick(); }); // FormKeyDown
}

void TFmOption::showEvent(QShowEvent *event)
{
    ShowSettings();
    PageControl1->setCurrentIndex(0);
    CBSameDir->setFocus();
    QDialog::showEvent(event);
}

void TFmOption::ShowSettings()
{
    EditTargetDir->setText(Settings.targetdir);
    CBSameDir->setChecked(Settings.samedir);
    CBSameDirClick();
    ComBFileOverTp->setCurrentIndex(Settings.fileovertp <= 4 ? Settings.fileovertp : -1);

    // The number alone, unless an entry of the list begins with it and a blank.
    const QString number = QString::number(Settings.sourcecode);
    QString shown = number;
    const QStringList entries = CodePageEntries();
    for (const QString &entry : entries) {
        if (entry.startsWith(number + u' ')) {
            shown = entry;
            break;
        }
    }
    ComBSourceCode->setCurrentText(shown);

    if (QTreeWidgetItem *first = ExtensionGrid->topLevelItem(0))
        first->setText(ColumnUser, userDefinedPatterns());
    PlaceExtensionEditor(ExtensionGrid->currentItem(), ExtensionGrid->currentItem() != nullptr);
    CMBTextOrder->setCurrentIndex(Settings.textorder >= 0 && Settings.textorder <= 2 ? Settings.textorder : -1);
    CBPageBreak->setChecked(Settings.pagebreak);
    CBKeepRaw->setChecked(Settings.keepraw == 1);
    CBOcr->setChecked(Settings.ocr);
    EditOcrLang->setEnabled(Settings.ocr);
    EditOcrLang->setText(Settings.ocrlang);
}

void TFmOption::CBSameDirClick()
{
    EditTargetDir->setEnabled(!CBSameDir->isChecked());
    BtnDir->setEnabled(!CBSameDir->isChecked());
}

void TFmOption::BtnDirClick()
{
    const QString folder = Dialogs::browseForFolder(this, tr("Select target directory"), EditTargetDir->text());
    if (!folder.isEmpty())
        EditTargetDir->setText(folder);
}

void TFmOption::BtnOKClick()
{
    // The code page first: a refused OK stores nothing at all.
    qint32 codePage = 0;
    if (!ParseCodePage(ComBSourceCode->currentText(), codePage)) {
        Dialogs::error(this, tr("Error"), tr("Code page identifier must be numeric!"));
        ComBSourceCode->setFocus();
        return;
    }
    if (!CodePage::hasConverter(codePage)) { // its text files would come out empty
        Dialogs::error(this, tr("Error"),
                       tr("Code page %1 is not supported on this system!").arg(codePage));
        ComBSourceCode->setFocus();
        return;
    }
    // Recognition languages must be installed to be used; while recognition is off, only
    // their form is checked.
    const QString languages = EditOcrLang->text().trimmed();
    const QString problem = RecognitionLanguagesProblem(languages, CBOcr->isChecked());
    if (!problem.isEmpty()) {
        Dialogs::error(this, tr("Error"), problem);
        PageControl1->setCurrentWidget(TabSheet3);
        EditOcrLang->setFocus();
        return;
    }
    Settings.targetdir = FileSystem::withTrailingSeparator(EditTargetDir->text());
    Settings.samedir = CBSameDir->isChecked();
    Settings.fileovertp = quint8(ComBFileOverTp->currentIndex()); // none selected gives 255
    Settings.sourcecode = codePage;
    if (QTreeWidgetItem *first = ExtensionGrid->topLevelItem(0))
        Settings.userfileext1 = CodePage::fromUnicode(first->text(ColumnUser), CodePage::System);
    Settings.textorder = CMBTextOrder->currentIndex();
    Settings.pagebreak = CBPageBreak->isChecked();
    Settings.keepraw = CBKeepRaw->isChecked() ? 1 : 0;
    Settings.ocr = CBOcr->isChecked();
    Settings.ocrlang = languages;
    accept();
}

void TFmOption::BtnCancelClick()
{
    ShowSettings();
    reject();
}

void TFmOption::BtnHelpClick()
{
    Desktop::openHelpTopic(QStringLiteral("Options.htm"));
}

void TFmOption::FillExtensionGrid()
{
    ExtensionGrid->clear();
    for (int type = 1; type <= DocumentTypeCount; ++type) {
        const TDocumentType &t = DocumentType(type);
        ExtensionGrid->addTopLevelItem(new QTreeWidgetItem(
            {QString::fromLatin1(t.TypeName), QCoreApplication::translate("DocumentTypes", t.TypeDescription), QString::fromLatin1(t.TypeDefaultExt), QString()}));
    }
}

void TFmOption::PlaceExtensionEditor(QTreeWidgetItem *row, bool selected)
{
    if (!row)
        return;
    if (!selected) {
        EditFileExt->hide();
        return;
    }
    const QRect cell = ExtensionGrid->visualItemRect(row);
    EditFileExt->setGeometry(ExtensionGrid->header()->sectionViewportPosition(ColumnUser) + 1, cell.top() + 1,
                             ExtensionGrid->columnWidth(ColumnUser) - 1, cell.height());
    EditFileExt->setText(row->text(ColumnUser));
    EditFileExt->show();
}

void TFmOption::EditFileExtChange(const QString &text)
{
    if (QTreeWidgetItem *row = ExtensionGrid->currentItem())
        row->setText(ColumnUser, text);
}
