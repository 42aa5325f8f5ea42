// The window tests of the desktop program: the main window on a demo installation (menus,
// command frame, a statement from the menu, closing during a run, the screenshot run) and the Qt
// windows of the UI services fed by key presses as a user would.
#pragma once

#include <QObject>
#include <QTemporaryDir>

class DesktopTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();

    // The main window (MainWindowTest.cpp)
    void mainWindowOpensOnTheInstallation();
    void mainWindowKeepsItsSizeAndPlaceBetweenRuns();
    void menusCarryTheExactCaptions();
    void frameDisablesTheMenuAroundACommand();
    void statementFromTheMenuShowsItsProtocol();
    void statementFromTheMenuWritesItsXml();
    void escapeDuringARunAsksTheCloseQuestion();
    void confirmedCloseDuringARunEndsTheProgram();
    void escapeOnAProgressPanelAsksToStopThePass();
    void screenshotsRunWhateverChoosesTheYear_data();
    void screenshotsRunWhateverChoosesTheYear();

    // The windows of the UI services (QtUiTest.cpp)
    void decisionAnswersWithTheChosenButton();
    void messageClosesWithEscapeAsLeave();
    void dialogFormTakesKeysThroughItsModel();
    void dialogFormKeepsAFieldThatFailsItsCheck();
    void dialogFieldEntrySelectsItsContent();
    void qtsOwnButtonsSpeakCzech();
    void promptHidesThePassword();
    void listWindowPicksALine();
    void printoutViewerShowsFrames();
    void waitWindowEndsByTimeEscapeOrClose();
    void reportWindowPrintsAndCloses();
    void radioGroupChoosesByAcceleratorAndClick();

    // The browse window (BrowseWindowTest.cpp)
    void browseWindowPagesThroughAHundredThousandLines();
    void browseWindowRepeatsHeldButtonsAndSearchesDirectly();

  private:
    QTemporaryDir home_;
};
