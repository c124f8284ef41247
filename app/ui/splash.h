#pragma once
// frmSplash: the start-up window with its loading bar, also shown as the
// about window.
//
// The artwork (a star field behind the product name) is painted in code.
// During start-up the splash timer fills the bar: every tick adds 4 while the
// value is below 97, then sets 100 and slows to one tick per 500 ms; start-up
// waits for a value of 99 or more, so it always takes 25 ticks. As the about
// window the timer never runs and a click closes the window. In both uses a
// click saves the window's picture as test.bmp in the data folder.

#include <QPointF>
#include <QString>
#include <QVector>
#include <QDialog>
#include <QIcon>

class QLabel;
class QProgressBar;
class QTimer;

namespace ce {

struct LanguageTable;

// The program's icon, drawn in code: five stars on a night-blue disc.
QIcon programIcon();

class frmSplash final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)

public:
    // `pictureFile` is where a click saves the window's picture; the texts
    // come from `lang`.
    frmSplash(QString pictureFile, const LanguageTable& lang, QWidget* parent = nullptr);

    // "Version " (key ui.about.version) and the program's major.minor.patch.
    static QString versionText(const LanguageTable& lang);

    // Starts the splash timer (start-up use only).
    void startTimer1();
    int barValue() const;
    bool barShown() const;
    int ticks() const { return ticks_; }

    // Whether a click closes the window: true for the about window, false
    // during start-up, where the start-up sequence releases the window itself.
    void setClickCloses(bool closes) { clickCloses_ = closes; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Timer1Tick();
    // Writes the window's picture to pictureFile_; a failure is told in a box.
    void savePicture();

    struct Star {
        QPointF position;
        double radius;
        int brightness;
    };

    QString pictureFile_;
    const LanguageTable& lang_;
    QVector<Star> stars_;
    QLabel* label1_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* barT_ = nullptr;
    QTimer* timer1_ = nullptr;
    int ticks_ = 0;
    bool clickCloses_ = true;
};

}  // namespace ce
