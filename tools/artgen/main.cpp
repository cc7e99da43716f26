// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// mokaart: draws the game's pictures and writes them into one folder.
//   mokaart <output-folder>
// Run by hand; the output is committed under assets/.

#include "BallArt.h"
#include "BannerArt.h"
#include "BmpWriter.h"
#include "ComRacketArt.h"
#include "ConfettiArt.h"
#include "CourtArt.h"
#include "CursorArt.h"
#include "IconArt.h"
#include "Palette16.h"
#include "PlainArt.h"
#include "RollArt.h"
#include "ShadedBallArt.h"
#include "SoundArt.h"
#include "SplashArt.h"
#include "TrophyArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

bool writeBmp(const QDir &dir, const QString &name, const QImage &image, BmpWriter::Encoding encoding,
              const QList<QRgb> &palette = {})
{
    QString error;
    if (!BmpWriter::write(dir.filePath(name), image, encoding, palette, &error)) {
        std::fprintf(stderr, "mokaart: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

bool writePng(const QDir &dir, const QString &name, const QImage &image)
{
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "mokaart: cannot write %s\n", qPrintable(dir.filePath(name)));
        return false;
    }
    return true;
}

bool writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QSaveFile file(dir.filePath(name));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "mokaart: cannot write %s\n", qPrintable(dir.filePath(name)));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Text needs a platform plugin, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mokaart <output-folder>\n");
        return 2;
    }
    QDir dir(args.at(1));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "mokaart: cannot create %s\n", qPrintable(args.at(1)));
        return 1;
    }
    if (SplashArt::fontFamily().isEmpty()) {
        std::fprintf(stderr, "mokaart: font IPAPGothic not found (install fonts-ipafont-gothic)\n");
        return 1;
    }

    bool ok = true;
    ok &= writeBmp(dir, QStringLiteral("court.bmp"), CourtArt::render(), BmpWriter::Encoding::Rle8);
    ok &= writeBmp(dir, QStringLiteral("splash.bmp"), SplashArt::render(), BmpWriter::Encoding::Rle4);
    ok &= writeBmp(dir, QStringLiteral("lifebar.bmp"), PlainArt::lifebar(), BmpWriter::Encoding::Rle4);
    ok &= writeBmp(dir, QStringLiteral("black.bmp"), PlainArt::black(), BmpWriter::Encoding::Mono);

    ok &= writeBmp(dir, QStringLiteral("ball.bmp"), BallArt::render(), BmpWriter::Encoding::Rle4);
    ok &= writeBmp(dir, QStringLiteral("roll.bmp"), RollArt::render(), BmpWriter::Encoding::Mono);
    ok &= writeBmp(dir, QStringLiteral("com_racket.bmp"), ComRacketArt::rest(), BmpWriter::Encoding::Rle4);
    ok &= writeBmp(dir, QStringLiteral("com_swing.bmp"), ComRacketArt::swing(), BmpWriter::Encoding::Rle4);
    ok &= writePng(dir, QStringLiteral("cursor_racket.png"), CursorArt::racket());
    ok &= writePng(dir, QStringLiteral("cursor_none.png"), CursorArt::none());

    ok &= writePng(dir, QStringLiteral("icon.png"), IconArt::render(32));
    for (int size : {16, 48, 64, 128, 256})
        ok &= writePng(dir, QStringLiteral("icon-%1.png").arg(size), IconArt::render(size));

    // The champion's celebration.
    ok &= writeFile(dir, QStringLiteral("trophy.bin"), TrophyArt::resource());
    ok &= writeBmp(dir, QStringLiteral("trophy_mask.bmp"), TrophyArt::mask(), BmpWriter::Encoding::Mono);
    ok &= writeBmp(dir, QStringLiteral("banner_gold.bmp"), BannerArt::gold(), BmpWriter::Encoding::Rle8);
    ok &= writeBmp(dir, QStringLiteral("banner_navy.bmp"), BannerArt::navy(), BmpWriter::Encoding::Rle4);
    ok &= writeBmp(dir, QStringLiteral("banner_mask.bmp"), BannerArt::mask(), BmpWriter::Encoding::Mono);
    ok &= writeBmp(dir, QStringLiteral("confetti.bmp"), ConfettiArt::render(), BmpWriter::Encoding::Rle4);
    ok &=
        writeBmp(dir, QStringLiteral("shaded_ball.bmp"), ShadedBallArt::render(), BmpWriter::Encoding::Rle8);

    for (int id = moka::SoundArt::kFirstId; id <= moka::SoundArt::kLastId; ++id)
        ok &= writeFile(dir, QStringLiteral("se%1.wav").arg(id), moka::SoundArt::wav(id));

    return ok ? 0 : 1;
}
