#include "app/Application.h"
#include "app/Fonts.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mokaRUNs"));
    QApplication::setQuitOnLastWindowClosed(false);
    moka::Fonts::install();

    moka::QtPlatform platform;
    moka::Application game(platform, {});
    game.Main();
    if (!platform.ending())
        QApplication::exec();
    return 0;
}
