// The program's own screenshots: started with --screenshots DIR, the program goes through its
// start-up, opens statement I with its period dialog, shows the printouts of the run, a message
// and the system information, writes a PNG picture of each window into DIR and ends.
#pragma once

#include <QString>
#include <QWidget>

namespace axo::gui {

class TPAP_Form;

/// A picture of windows as a desktop shows them: each window with a title bar holding its
/// caption, the later ones over the earlier ones, on a plain background.
QImage DesktopPicture(const QList<QWidget*>& windows);

/// Scripts the screenshot run on the main window; the program ends with exit code 0 when every
/// picture was written, 1 otherwise (also when the run takes longer than a minute).
void StartScreenshots(TPAP_Form& form, const QString& directory);

}  // namespace axo::gui
