// Saves the whole X screen as a PNG (used by scripts/screenshots.sh, which
// runs the console under a virtual X server that has no grabber of its own).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.png\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "screen_grab: cannot grab or write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
