#include "app/language_table.h"
#include "app/ui/splash.h"

#include "core/textfile.h"

#include <QBuffer>
#include <QPushButton>
#include <QLabel>
#include <QMessageBox>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTimer>

namespace ce {

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 320;
constexpr int kStarCount = 260;
// A fixed seed: the artwork is the same at every start.
constexpr quint32 kArtworkSeed = 1572;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int pointSize,
                  bool bold, const QRect& geometry, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(align);
    label->setGeometry(geometry);
    label->setStyleSheet(QStringLiteral("color: #f3ecd2; background: transparent;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(16, 24, 64));
        painter.drawEllipse(QRectF(0, 0, size, size));
        painter.setBrush(QColor(255, 240, 190));
        // The five stars of the emblem, in the disc's own units (0..1).
        const QPointF stars[] = {{0.30, 0.32}, {0.62, 0.24}, {0.72, 0.55}, {0.40, 0.68}, {0.22, 0.55}};
        for (const QPointF& star : stars)
            painter.drawEllipse(star * size, size / 14.0 + 0.5, size / 14.0 + 0.5);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

frmSplash::frmSplash(QString pictureFile, const LanguageTable& lang, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), pictureFile_(std::move(pictureFile)), lang_(lang)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kWidth, kHeight);
    const auto text = [&lang](const char* key) { return lang.text(QString::fromLatin1(key)); };
    setWindowTitle(text("box.title"));

    QRandomGenerator random(kArtworkSeed);
    stars_.reserve(kStarCount);
    for (int i = 0; i < kStarCount; ++i) {
        const double size = random.generateDouble();
        stars_.append({QPointF(random.bounded(kWidth), random.bounded(kHeight)),
                       0.4 + 1.8 * size * size * size, 110 + int(random.bounded(146))});
    }

    label1_ = makeLabel(this, QStringLiteral("Label1"), text("box.title"), 30, true,
                        QRect(24, 70, kWidth - 48, 56), Qt::AlignLeft | Qt::AlignVCenter);
    lblVersion_ = makeLabel(this, QStringLiteral("lblVersion"), versionText(lang), 11, false,
                            QRect(28, 128, 300, 22), Qt::AlignLeft | Qt::AlignVCenter);
    makeLabel(this, QStringLiteral("Label2"),
              text("ui.about.copyright"),
              8, false, QRect(24, kHeight - 58, kWidth - 48, 18), Qt::AlignLeft);
    makeLabel(this, QStringLiteral("Label3"), QStringLiteral("https://cinq-etoiles.example.org"),
              8, false, QRect(24, kHeight - 38, kWidth - 48, 18), Qt::AlignLeft);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("Bar"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(24, 196, kWidth - 48, 12);
    bar_->hide();
    barT_ = makeLabel(this, QStringLiteral("BarT"), text("ui.about.loading"), 8, true,
                      QRect(24, 176, 200, 18), Qt::AlignLeft | Qt::AlignVCenter);
    barT_->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1);
    connect(timer1_, &QTimer::timeout, this, &frmSplash::Timer1Tick);
}

QString frmSplash::versionText(const LanguageTable& lang)
{
    return lang.text(QStringLiteral("ui.about.version")).arg(QStringLiteral(CE_VERSION));
}

void frmSplash::startTimer1() { timer1_->start(); }

int frmSplash::barValue() const { return bar_->value(); }

bool frmSplash::barShown() const { return !bar_->isHidden(); }

void frmSplash::Timer1Tick()
{
    ++ticks_;
    bar_->show();
    barT_->show();
    if (bar_->value() < 97)
        bar_->setValue(bar_->value() + 4);
    else
        bar_->setValue(100);
    if (bar_->value() == 100)
        timer1_->setInterval(500);
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kWidth * 0.3, kHeight);
    sky.setColorAt(0.0, QColor(6, 10, 32));
    sky.setColorAt(0.6, QColor(16, 24, 64));
    sky.setColorAt(1.0, QColor(46, 22, 58));
    painter.fillRect(rect(), sky);

    // A faint band of light across the field, like the Milky Way.
    QRadialGradient band(QPointF(kWidth * 0.72, kHeight * 0.35), kWidth * 0.5);
    band.setColorAt(0.0, QColor(120, 110, 160, 70));
    band.setColorAt(1.0, QColor(120, 110, 160, 0));
    painter.fillRect(rect(), band);

    painter.setPen(Qt::NoPen);
    for (const Star& star : stars_) {
        painter.setBrush(QColor(star.brightness, star.brightness, 255));
        painter.drawEllipse(star.position, star.radius, star.radius);
    }

    // Five bright stars with rays, the product's emblem.
    const QPointF emblem[] = {{380, 60}, {430, 92}, {468, 58}, {412, 140}, {478, 128}};
    for (const QPointF& centre : emblem) {
        QRadialGradient glow(centre, 14);
        glow.setColorAt(0.0, QColor(255, 244, 200, 230));
        glow.setColorAt(1.0, QColor(255, 244, 200, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, 14, 14);
        painter.setPen(QPen(QColor(255, 240, 200, 180), 1));
        painter.drawLine(centre - QPointF(9, 0), centre + QPointF(9, 0));
        painter.drawLine(centre - QPointF(0, 9), centre + QPointF(0, 9));
        painter.setPen(Qt::NoPen);
    }
}

void frmSplash::savePicture()
{
    // Encoded in memory and saved like every other file of the program, so a
    // full disk is told and never leaves a cut-off picture.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    grab().save(&buffer, "BMP");
    const Status saved = writeFileBytes(pictureFile_, bytes, lang_);
    if (!saved)
    {
        QMessageBox box(QMessageBox::Warning, lang_.text(QStringLiteral("box.title")), saved.error(), QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setText(lang_.text(QStringLiteral("box.ok")));
        box.exec();
    }
}

void frmSplash::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The bar is hidden only when the window is the about window (or before
    // the first tick of start-up, when the start-up keeps it open).
    const bool closing = clickCloses_ && !barShown();
    savePicture();
    emit clicked();
    if (closing)
        close();
}

}  // namespace ce
