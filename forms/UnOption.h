#pragma once
// The Options dialog: where target files go, what happens when one exists, the code page of
// the written text and the PDF text options. It shows the settings each time it opens and
// writes them back on OK; the file is written at program end.
#include <QDialog>
#include <QTreeWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// A list view that also tells when the user has resized a column or scrolled sideways,
// so that an editor laid over one of its cells can follow.
class TKvListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit TKvListView(QWidget *parent = nullptr);

signals:
    void OnEndColumnResize(TKvListView *sender);
    void OnHScroll(TKvListView *sender);
};

class TFmOption : public QDialog {
    Q_OBJECT

public:
    explicit TFmOption(QWidget *parent = nullptr);

    void ShowSettings();
    // The code-page box's text as a number; false when it is not a whole number.
    static bool ParseCodePage(const QString &text, qint32 &codePage);
    static QStringList CodePageEntries(); // in the user's language

    QTabWidget *PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3;
    QCheckBox *CBSameDir;
    QLineEdit *EditTargetDir;
    QPushButton *BtnDir;
    QComboBox *ComBFileOverTp;
    QComboBox *ComBSourceCode;
    TKvListView *ExtensionGrid;
    QLineEdit *EditFileExt;
    QGroupBox *GBoxPDF, *GBoxDOC;
    QComboBox *CMBTextOrder;
    QCheckBox *CBPageBreak, *CBKeepRaw;
    QCheckBox *CBOcr;
    QLineEdit *EditOcrLang;
    QPushButton *BtnOK, *BtnCancel, *BtnHelp;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createGeneralPage();
    void createExtensionPage();
    void createSpecialPage();
    void createButtons(QWidget *panel);
    void FormCreate(); // the connections, and the extension grid filled
    void CBSameDirClick();
    void BtnDirClick();
    void BtnOKClick();
    void BtnCancelClick();
    void BtnHelpClick();
    void FillExtensionGrid();
    void PlaceExtensionEditor(QTreeWidgetItem *row, bool selected);
    void EditFileExtChange(const QString &text);
};

extern TFmOption *FmOption;
