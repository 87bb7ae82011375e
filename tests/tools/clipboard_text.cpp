// Prints the text on the clipboard, as another program would paste it. Usage: clipboard_text
#include <QClipboard>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream(stdout) << QGuiApplication::clipboard()->text();
    return 0;
}
