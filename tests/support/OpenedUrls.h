#pragma once
// Records what the desktop is asked to open, instead of opening it.
#include <QDesktopServices>
#include <QObject>
#include <QUrl>

class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};
