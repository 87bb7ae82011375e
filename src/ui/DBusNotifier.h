#pragma once
#include "core/IDesktopNotifier.h"

#include <QObject>
#include <QSet>

class IErrorLog;

// Notifications through the session bus (org.freedesktop.Notifications). Every call is asynchronous,
// so a slow or hung notification server never holds the loop.
class DBusNotifier final : public QObject, public IDesktopNotifier {
    Q_OBJECT
public:
    // iconPath: the program's icon, shown with every notification.
    DBusNotifier(IErrorLog& log, QString iconPath, QObject* parent = nullptr);

    void show(const QString& summary, const QString& body, quint32 replaces,
              std::function<void(quint32)> shown) override;

signals:
    // The user clicked one of our notifications.
    void activated();

private slots:
    void actionInvoked(uint id, const QString& actionKey);
    void notificationClosed(uint id, uint reason);

private:
    bool listen();
    void unavailable(const QString& reason);

    IErrorLog& m_log;
    QString m_iconPath;
    bool m_listening = false;
    bool m_reported = false;
    QSet<uint> m_ours;
};
