// klobbet-art OUTPUT_DIR         draws OUTPUT_DIR/bitmaps/101.bmp ... 127.bmp,
//                                OUTPUT_DIR/icon.png (the window's) and
//                                OUTPUT_DIR/icons/16.png ... 256.png
// klobbet-art --check DIR        checks the pictures in DIR (see check.cpp)

#include "art.h"
#include "check.h"
#include "icons.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "klobbet-art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int draw(const QString& outDir) {
    if (!QDir().mkpath(outDir + QStringLiteral("/bitmaps"))) {
        std::fprintf(stderr, "klobbet-art: cannot create %s/bitmaps\n", qPrintable(outDir));
        return 1;
    }
    for (const art::Bitmap& b : art::allBitmaps()) {
        const QString path = QStringLiteral("%1/bitmaps/%2.bmp").arg(outDir).arg(b.number);
        if (!writeBytes(path, art::encodeBmp(b.image))) {
            return 1;
        }
    }
    if (!QDir().mkpath(outDir + QStringLiteral("/icons"))) {
        std::fprintf(stderr, "klobbet-art: cannot create %s/icons\n", qPrintable(outDir));
        return 1;
    }
    for (const int size : art::kDesktopIconSizes) {
        const QString path = QStringLiteral("%1/icons/%2.png").arg(outDir).arg(size);
        if (!writeBytes(path, art::encodePng(art::desktopIcon(size)))) {
            return 1;
        }
    }
    return writeBytes(outDir + QStringLiteral("/icon.png"), art::encodePng(art::icon())) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        return art::check(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: klobbet-art OUTPUT_DIR\n       klobbet-art --check DIR\n");
        return 2;
    }
    return draw(QString::fromLocal8Bit(argv[1]));
}
