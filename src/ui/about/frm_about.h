#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace velquor::platform {
struct Platform;
}

namespace velquor::ui {

/// The About window: title, version line, fixed texts, and a button that
/// starts the operating system's system-information program.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    frmAbout(platform::Platform& platform, QWidget* parent);

    /// "Version " and the program's version numbers, e.g. "Version 2.0.0".
    static QString versionLine();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Form_Load();
    void cmdSysInfo_Click();

    platform::Platform& platform_;
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QFrame* Line1_1;
    QFrame* Line1_0;
    QLabel* lblDisclaimer2;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

}  // namespace velquor::ui
