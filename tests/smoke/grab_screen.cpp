// Saves a picture of the whole X screen to a PNG file and prints how many
// distinct colours it holds (a blank screen has one): grab_screen OUT.png
// Exit status 0 when saved, 1 when it could not be, 2 on a usage error.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <unordered_set>

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
    const QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    std::unordered_set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(line[x]);
        }
    }
    std::printf("%zu\n", colours.size());
    return 0;
}
