#pragma once
// The list that shows the job list: a report view whose selection lives in the job list
// itself, so that selecting a row costs the same with ten rows or sixty thousand. It paints
// the rows in alternating colours by position and shows each entry's state icon.
#include <QTableView>

class JobList;
class JobListModel;

class JobListView : public QTableView {
    Q_OBJECT

public:
    explicit JobListView(QWidget *parent = nullptr);
    void setJobList(JobListModel *model);
    // Scrolls the row fully into view.
    void reveal(int row);

signals:
    // The user changed the selection with the mouse or the keyboard.
    void selectionEdited();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void selectFromAnchor(int row, bool keepOthers);
    void followFocus(int row);
    void showSelection();
    int rowsPerPage() const;
    void applyColours();
    void fitColumns();

    JobListModel *model = nullptr;
    JobList *jobs = nullptr;
    int anchor = -1;
    bool dragging = false;
    bool dragKeepsOthers = false;
};
