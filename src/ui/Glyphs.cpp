// Renders the vector glyphs at the sizes a button or the logo needs.
#include "ui/Glyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace zelta::ui {

namespace {

QPixmap render(const QString& path, int size) {
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

} // namespace

QIcon glyph(const char* name) {
    const QString path = QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(name));
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(render(path, size));
    return icon;
}

QPixmap logo(int size) {
    return render(QStringLiteral(":/glyphs/logo.svg"), size);
}

} // namespace zelta::ui
