// Saves a picture of the whole X screen (or of the window whose title
// contains a text) to a PNG file: grab_screen OUT.png [TITLE-PART]
// Exit status 0 when saved, 1 when no such window, 2 on a usage error.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab_screen OUT.png\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "grab_screen: no screen\n");
        return 1;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "grab_screen: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
