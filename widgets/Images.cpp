#include "widgets/Images.h"

#include <QHash>


// The images live in a static library; make sure its resources are linked in.
static void loadResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(ordvane);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace Images {

QIcon menuImage(int index)
{
    loadResources();
    static const char *const names[] = {"options", "exit", "delete", "convert", "paste",
                                        "addfile", "adddir", "log", "selectall", "help"};
    if (index < 0 || index >= int(std::size(names)))
        return {};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(names[index])));
}

QIcon statusImage(int state)
{
    loadResources();
    static const char *const names[] = {"status-waiting", "status-converted", "status-failed"};
    if (state < 0 || state >= int(std::size(names)))
        return {};
    static QIcon icons[3];
    if (icons[state].isNull())
        icons[state] = QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(names[state])));
    return icons[state];
}

QIcon applicationIcon()
{
    loadResources();
    return QIcon(QStringLiteral(":/icons/ordvane.svg"));
}

QPixmap aboutFrame(int frame, qreal devicePixelRatio)
{
    loadResources();
    // One strip of four frames, 32 pixels each; cut in the strip's own pixels.
    static QHash<qreal, QPixmap> strips;
    QPixmap &strip = strips[devicePixelRatio];
    if (strip.isNull())
        strip = QIcon(QStringLiteral(":/icons/aniabout.svg")).pixmap(QSize(32 * AboutFrameCount, 32), devicePixelRatio);
    const qreal ratio = strip.devicePixelRatio();
    const int side = qRound(32 * ratio);
    QPixmap piece = strip.copy(QRect(side * (frame % AboutFrameCount), 0, side, side));
    piece.setDevicePixelRatio(ratio);
    return piece;
}

}
