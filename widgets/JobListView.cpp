#include "widgets/JobListView.h"

#include "widgets/JobListModel.h"
#include "widgets/Images.h"
#include "widgets/Metrics.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

// Rows alternate by position: even rows in the tooltip colours, odd rows in the list's own
// colours, selected rows as the style draws them. Every colour comes from the desktop's
// palette, so a dark theme stays readable.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QPalette theme = QApplication::palette(option->widget);
        const bool even = index.row() % 2 == 0;
        option->palette.setColor(QPalette::Text, theme.color(even ? QPalette::ToolTipText : QPalette::Text));
        if (index.data(JobListModel::SelectedRole).toBool())
            option->state |= QStyle::State_Selected;
        else
            option->backgroundBrush = theme.brush(even ? QPalette::ToolTipBase : QPalette::Base);
        if (index.column() == JobListModel::ColumnState) {
            option->icon = Images::statusImage(index.data(JobListModel::StateRole).toInt());
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->decorationSize = QSize(16, 16);
            option->state &= ~QStyle::State_HasFocus; // the icon alone: no empty focus box beside it
        }
    }
};

constexpr int ColumnWidths[JobListModel::ColumnCount] = {40, 100, 300, 62, 40, 300, 300};
// The widest size the Size column must show whole: a file of hundreds of gigabytes.
constexpr int SizeDigits = 12;

}

JobListView::JobListView(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new RowDelegate(this));
    setSelectionMode(NoSelection); // the job list keeps the selection
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    applyColours();
}

void JobListView::applyColours()
{
    // Below the last row the list shows the tooltip colour, as its first row does.
    const QPalette theme = QApplication::palette(this);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, theme.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::Text, theme.color(QPalette::ToolTipText));
    setPalette(colours);
}

void JobListView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    else if (event->type() == QEvent::FontChange)
        fitColumns();
}

void JobListView::fitColumns()
{
    // The usual widths, widened where the desktop's font needs more: a caption must fit
    // with its sort marker, and the Size column must show a large size whole.
    if (!jobs)
        return;
    QHeaderView *header = horizontalHeader();
    const int cellMargins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    for (int column = 0; column < JobListModel::ColumnCount; ++column) {
        QStyleOptionHeader option;
        option.initFrom(header);
        QFont bold = header->font(); // as the header measures its captions
        bold.setBold(true);
        option.fontMetrics = QFontMetrics(bold);
        option.text = QStringLiteral("(<-)") + model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        option.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
        int width = std::max(scaled(ColumnWidths[column]),
                             style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width());
        if (column == JobListModel::ColumnSize)
            width = std::max(width, fontMetrics().horizontalAdvance(QString(SizeDigits, u'0')) + cellMargins);
        setColumnWidth(column, width);
    }
}

void JobListView::setJobList(JobListModel *listModel)
{
    model = listModel;
    jobs = &listModel->list();
    setModel(listModel);
    fitColumns();
    connect(listModel, &JobListModel::focusShown, this, &JobListView::followFocus);
    connect(listModel, &JobListModel::selectionShown, this, &JobListView::showSelection);
}

void JobListView::showSelection()
{
    // The job list keeps the selection; the view's selection model mirrors it, a run of
    // rows at a time, so that assistive technology reports the selected rows.
    QItemSelection mirrored;
    const int rows = model->rowCount();
    for (int row = 0; row < rows;) {
        if (!jobs->isSelected(row)) {
            ++row;
            continue;
        }
        int last = row;
        while (last + 1 < rows && jobs->isSelected(last + 1))
            ++last;
        mirrored.select(model->index(row, 0), model->index(last, JobListModel::ColumnCount - 1));
        row = last + 1;
    }
    selectionModel()->select(mirrored, QItemSelectionModel::ClearAndSelect);
}

bool JobListView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !jobs)
        return QTableView::viewportEvent(event);
    // A cell too narrow for its text shows the whole text as a tool tip; a cell with a tip
    // of its own (a file that gave no text) shows that.
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data(Qt::DisplayRole).toString();
    const QString tip = index.data(Qt::ToolTipRole).toString();
    const QRect cell = visualRect(index);
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (index.isValid() && !tip.isEmpty())
        QToolTip::showText(help->globalPos(), tip, viewport(), cell);
    else if (index.isValid() && !text.isEmpty() && fontMetrics().horizontalAdvance(text) + margin > cell.width())
        QToolTip::showText(help->globalPos(), text, viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

void JobListView::reveal(int row)
{
    if (jobs)
        model->announceRows();
    if (jobs && row >= 0 && row < jobs->count())
        scrollTo(model->index(row, 0), EnsureVisible);
}

void JobListView::followFocus(int row)
{
    // The focus box goes round the file name. Moving the focus never scrolls by itself:
    // the commands that should scroll say so (reveal), and Paste does not.
    const QModelIndex index = row < 0 ? QModelIndex() : model->index(row, JobListModel::ColumnName);
    const bool autoScrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    setAutoScroll(autoScrolls);
}

void JobListView::selectFromAnchor(int row, bool keepOthers)
{
    if (anchor < 0)
        anchor = row;
    if (!keepOthers)
        jobs->clearSelection();
    jobs->setRangeSelected(std::min(anchor, row), std::max(anchor, row), true);
}

void JobListView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (!jobs)
        return;
    emit selectionEdited();
    const int row = indexAt(event->position().toPoint()).row();
    const auto modifiers = event->modifiers();
    if (row < 0) {
        if (!(modifiers & (Qt::ControlModifier | Qt::ShiftModifier)))
            jobs->clearSelection();
        return;
    }
    if (event->button() == Qt::RightButton) {
        // A right click on an unselected row selects it alone, for the context menu.
        if (!jobs->isSelected(row)) {
            jobs->clearSelection();
            jobs->setSelected(row, true);
            anchor = row;
        }
        jobs->setFocusRow(row);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (modifiers & Qt::ShiftModifier) {
        selectFromAnchor(row, modifiers & Qt::ControlModifier);
    } else if (modifiers & Qt::ControlModifier) {
        jobs->setSelected(row, !jobs->isSelected(row));
        anchor = row;
    } else {
        jobs->clearSelection();
        jobs->setSelected(row, true);
        anchor = row;
    }
    jobs->setFocusRow(row);
    dragging = true;
    dragKeepsOthers = modifiers & Qt::ControlModifier;
}

void JobListView::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging || !jobs || !(event->buttons() & Qt::LeftButton))
        return;
    const int row = indexAt(event->position().toPoint()).row();
    if (row < 0 || row == jobs->focusRow())
        return;
    emit selectionEdited();
    selectFromAnchor(row, dragKeepsOthers);
    jobs->setFocusRow(row);
    reveal(row);
}

void JobListView::mouseReleaseEvent(QMouseEvent *event)
{
    dragging = false;
    QTableView::mouseReleaseEvent(event);
}

void JobListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

int JobListView::rowsPerPage() const
{
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()) - 1);
}

void JobListView::keyPressEvent(QKeyEvent *event)
{
    if (!jobs || jobs->count() == 0) {
        event->ignore();
        return;
    }
    const int current = jobs->focusRow();
    int row = current;
    switch (event->key()) {
    case Qt::Key_Up: row = current < 0 ? 0 : current - 1; break;
    case Qt::Key_Down: row = current + 1; break;
    case Qt::Key_PageUp: row = current - rowsPerPage(); break;
    case Qt::Key_PageDown: row = current + rowsPerPage(); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = jobs->count() - 1; break;
    case Qt::Key_Space:
        emit selectionEdited();
        if (current >= 0)
            jobs->setSelected(current, (event->modifiers() & Qt::ControlModifier) ? !jobs->isSelected(current) : true);
        return;
    default:
        event->ignore(); // the window's keys (Delete, Ctrl+A ...) are the window's business
        return;
    }
    emit selectionEdited();
    row = std::clamp(row, 0, jobs->count() - 1);
    const auto modifiers = event->modifiers();
    if (modifiers & Qt::ShiftModifier) {
        selectFromAnchor(row, false);
    } else if (!(modifiers & Qt::ControlModifier)) {
        jobs->clearSelection();
        jobs->setSelected(row, true);
        anchor = row;
    }
    jobs->setFocusRow(row);
    reveal(row);
}
