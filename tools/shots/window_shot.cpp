// Saves what a window on the X server shows, at the server's pixels, into a PNG.
// Usage: zentriq_window_shot <window id> <out.png>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: zentriq_window_shot <window id> <out.png>\n";
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(WId(args[1].toULongLong(nullptr, 0)));
    if (shot.isNull() || !shot.save(args[2], "PNG")) {
        QTextStream(stderr) << "cannot save window " << args[1] << " to " << args[2] << '\n';
        return 1;
    }
    return 0;
}
