#include "ui/WindowPlacement.h"

#include "widgets/JobListModel.h"
#include "settings/WindowLayout.h"
#include "widgets/JobListView.h"
#include "widgets/Metrics.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

void StoreWindowLayout(const QMainWindow &window, const JobListView &view, const JobListModel &jobs)
{
    const QRect normal = window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
    if (normal.width() <= 0 || normal.height() <= 0)
        return;
    Layout.left = normal.x();
    Layout.top = normal.y();
    Layout.width = normal.width();
    Layout.height = normal.height();
    Layout.maximized = window.isMaximized();
    Layout.columns.clear();
    for (int column = 0; column < JobListModel::ColumnCount; ++column)
        Layout.columns << view.columnWidth(column);
    Layout.sortcolumn = jobs.sortColumn();
    Layout.sortascending = jobs.sortAscending();
}

void RestoreWindowLayout(QMainWindow &window, JobListView &view, JobListModel &jobs)
{
    for (int column = 0; column < JobListModel::ColumnCount && column < Layout.columns.size(); ++column)
        if (Layout.columns[column] > 0)
            view.setColumnWidth(column, std::min(Layout.columns[column], scaled(4000)));
    jobs.restoreSortState(Layout.sortcolumn, Layout.sortascending);
    if (Layout.width <= 0 || Layout.height <= 0)
        return;
    window.setGeometry(VisibleGeometry(QRect(Layout.left, Layout.top, Layout.width, Layout.height)));
    if (Layout.maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

QRect VisibleGeometry(const QRect &wanted)
{
    // Kept where it was when a screen still holds its size and shows its top edge and a good
    // part of it; otherwise (a screen gone, a smaller one) it comes to the middle of the main
    // screen.
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect shown = area.intersected(wanted);
        if (wanted.width() <= area.width() && wanted.height() <= area.height() && wanted.top() >= area.top()
            && shown.width() >= std::min(wanted.width(), 120)
            && shown.height() >= std::min(wanted.height(), 60))
            return wanted;
    }
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return wanted;
    const QRect area = primary->availableGeometry();
    // Room is left for the window's frame, which the kept size does not include.
    QRect moved(QPoint(), wanted.size().boundedTo(area.size() * 0.9));
    moved.moveCenter(area.center());
    return moved;
}
