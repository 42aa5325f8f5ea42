// The main window's size and place kept per user and installation.
#include "WindowGeometry.h"

#include <QSettings>
#include <QUrl>
#include <algorithm>

namespace axo::gui {

namespace {

QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "AXO", "axo-pap");
}

/// The settings group of an installation: its absolute directory, "/" escaped so that the
/// path stays one key.
QString Group(const std::filesystem::path& programDirectory) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(programDirectory, error);
    if (error)
        absolute = programDirectory;
    const QString path = QString::fromStdString(absolute.lexically_normal().string());
    return "okno/" + QString::fromLatin1(QUrl::toPercentEncoding(path));
}

}  // namespace

std::optional<QRect> RememberedWindowGeometry(const std::filesystem::path& programDirectory) {
    QSettings settings = UserSettings();
    settings.beginGroup(Group(programDirectory));
    bool ok[4] = {};
    const QRect geometry(settings.value("x").toInt(&ok[0]), settings.value("y").toInt(&ok[1]),
                         settings.value("sirka").toInt(&ok[2]),
                         settings.value("vyska").toInt(&ok[3]));
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || geometry.width() <= 0 || geometry.height() <= 0)
        return std::nullopt;
    return geometry;
}

void RememberWindowGeometry(const std::filesystem::path& programDirectory, const QRect& geometry) {
    QSettings settings = UserSettings();
    settings.beginGroup(Group(programDirectory));
    settings.setValue("x", geometry.x());
    settings.setValue("y", geometry.y());
    settings.setValue("sirka", geometry.width());
    settings.setValue("vyska", geometry.height());
    settings.endGroup();
    settings.sync();
}

QRect FitOnScreen(const QRect& geometry, const QRect& screen, const QSize& minimum) {
    if (!screen.isValid())
        return geometry;
    const int width =
        std::clamp(geometry.width(), std::min(minimum.width(), screen.width()), screen.width());
    const int height =
        std::clamp(geometry.height(), std::min(minimum.height(), screen.height()), screen.height());
    const int x = std::clamp(geometry.x(), screen.left(), screen.left() + screen.width() - width);
    const int y = std::clamp(geometry.y(), screen.top(), screen.top() + screen.height() - height);
    return {x, y, width, height};
}

}  // namespace axo::gui
