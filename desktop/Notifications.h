#pragma once
// Desktop notifications whose click brings the window back. The notification service may
// be missing or slow: nothing waits for it, and without it nothing is shown.
#include <QObject>
#include <QSet>

class Notifications : public QObject {
    Q_OBJECT

public:
    explicit Notifications(const QString &desktopId, QObject *parent = nullptr);

    // A notification whose default action (clicking it) emits activated.
    void notify(const QString &summary, const QString &actionLabel);

signals:
    // With the compositor's activation token for the window, when the service gave one.
    void activated(const QByteArray &activationToken);

private slots:
    void actionInvoked(uint id, const QString &action);
    void activationToken(uint id, const QString &token);
    void closed(uint id, uint reason);

private:
    void listen();

    QString desktopId;
    bool listening = false;
    QSet<uint> shown;
    QByteArray lastToken;
};
