#include "ui/DBusNotifier.h"

#include "core/IErrorLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int replyTimeoutMs = 10000;
} // namespace

DBusNotifier::DBusNotifier(IErrorLog& log, QString iconPath, QObject* parent)
    : QObject(parent), m_log(log), m_iconPath(std::move(iconPath)) {}

// Joins the bus on first use, so a program that never notifies never touches it.
bool DBusNotifier::listen() {
    if (m_listening)
        return true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        unavailable(QStringLiteral("no session bus (") + bus.lastError().message() + QLatin1Char(')'));
        return false;
    }
    // QtDBus connects bus signals by their D-Bus signatures; these two are fixed by the protocol.
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(actionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(notificationClosed(uint, uint)));
    m_listening = true;
    return true;
}

void DBusNotifier::show(const QString& summary, const QString& body, quint32 replaces,
                        std::function<void(quint32)> shown) {
    if (!listen())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("category"), QStringLiteral("x-zentriq.timer")},
                            {QStringLiteral("desktop-entry"), QStringLiteral("zentriq")}};
    const QString icon = m_iconPath.isEmpty() ? QString() : QUrl::fromLocalFile(m_iconPath).toString();
    call << QStringLiteral("Zentriq") << uint(replaces) << icon << summary << body
         << QStringList{QStringLiteral("default"), QStringLiteral("Show Zentriq")} << hints << -1;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, shown = std::move(shown)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    unavailable(reply.error().name() + QStringLiteral(": ") + reply.error().message());
                    return;
                }
                m_reported = false; // a later failure is news again
                m_ours.insert(reply.value());
                if (shown)
                    shown(reply.value());
            });
}

void DBusNotifier::actionInvoked(uint id, const QString& actionKey) {
    if (m_ours.contains(id) && actionKey == QLatin1String("default"))
        emit activated();
}

void DBusNotifier::notificationClosed(uint id, uint /*reason*/) {
    m_ours.remove(id);
}

void DBusNotifier::unavailable(const QString& reason) {
    // Said once, not at every completion.
    if (m_reported)
        return;
    m_reported = true;
    m_log.logError(QStringLiteral("Unable to show desktop notifications: ") + reason);
}
