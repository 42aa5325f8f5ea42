// The main window's size and place between runs. The installation's window-position file keeps
// only the place of a first window and the slots of the running instances (its other bytes
// belong to the family's other programs), so the last size and place of this program's window
// are kept per user in the user's Qt settings (~/.config/AXO/axo-pap.ini), one entry per
// installation directory.
#pragma once

#include <QRect>
#include <filesystem>
#include <optional>

namespace axo::gui {

/// The size and place the main window of the installation in `programDirectory` had when it
/// was last closed; none when none was kept or the entry is unusable.
std::optional<QRect> RememberedWindowGeometry(const std::filesystem::path& programDirectory);

/// Keeps `geometry` (place of the frame, size of the window) for the installation.
void RememberWindowGeometry(const std::filesystem::path& programDirectory, const QRect& geometry);

/// A remembered geometry brought onto a screen whose available area is `screen`: no larger
/// than the screen, no smaller than `minimum`, and moved inside it where it would lie partly
/// or wholly outside (a screen that has gone since, a changed resolution).
QRect FitOnScreen(const QRect& geometry, const QRect& screen, const QSize& minimum);

}  // namespace axo::gui
