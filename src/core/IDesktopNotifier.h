#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

// The desktop's notification service.
class IDesktopNotifier {
public:
    virtual ~IDesktopNotifier() = default;
    // Shows a notification in place of notification `replaces` (0: a new one). Never waits for the
    // desktop: `shown` is called later with the desktop's id for it, if the desktop answers.
    virtual void show(const QString& summary, const QString& body, quint32 replaces,
                      std::function<void(quint32)> shown) = 0;
};
