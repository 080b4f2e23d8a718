#pragma once
// A one-line label for long paths and messages: what does not fit loses its middle, so the
// start and the end (a file name) stay readable; the whole text is its tool tip.
#include <QLabel>
#include <QPainter>

class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

    void setPath(const QString &path)
    {
        setText(path);
        setToolTip(path);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(margin(), 0, -margin(), 0);
        painter.drawText(area, int(alignment()) | Qt::TextSingleLine,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }

    // However long the path, it asks for no width: the window keeps its size.
    QSize sizeHint() const override { return {1, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {1, QLabel::minimumSizeHint().height()}; }
};
