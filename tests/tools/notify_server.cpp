// A stand-in desktop notification server for the script tests. It owns org.freedesktop.Notifications on
// the session bus and writes one line per Notify call to a log file:
//   app|replaces_id|icon|summary|body|actions|category
// Usage: notify_server <log file> [--hang | --click]
//   --hang   accepts calls and never answers them
//   --click  answers, then half a second later reports a click on the notification ("default" action)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

class NotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    NotificationServer(QString logPath, QString mode)
        : m_logPath(std::move(logPath)), m_mode(std::move(mode)) {}

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int /*timeout*/) {
        QFile log(m_logPath);
        if (log.open(QIODevice::Append)) {
            const QStringList fields{app,
                                     QString::number(replaces),
                                     icon,
                                     summary,
                                     body,
                                     actions.join(','),
                                     hints.value(QStringLiteral("category")).toString()};
            log.write(fields.join('|').toUtf8() + '\n');
        }
        if (m_mode == QLatin1String("--hang")) {
            setDelayedReply(true); // and never reply
            return 0;
        }
        const uint id = replaces ? replaces : ++m_lastId;
        if (m_mode == QLatin1String("--click"))
            QTimer::singleShot(500, this, [this, id] {
                QDBusMessage signal = QDBusMessage::createSignal(
                    QStringLiteral("/org/freedesktop/Notifications"),
                    QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
                signal << id << QStringLiteral("default");
                QDBusConnection::sessionBus().send(signal);
            });
        return id;
    }

private:
    QString m_logPath;
    QString m_mode;
    uint m_lastId = 0;
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: notify_server <log file> [--hang | --click]\n");
        return 2;
    }
    NotificationServer server(QString::fromLocal8Bit(argv[1]),
                              argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notify_server: cannot own the notification service: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    return app.exec();
}

#include "notify_server.moc"
