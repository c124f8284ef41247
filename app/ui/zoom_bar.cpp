#include "app/ui/zoom_bar.h"

#include "app/language_table.h"

#include "app/ui/image_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace ce {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The zoom as a percentage: 25 %, 100 %, 800 %; below 1 % with one decimal.
QString percent(double zoom)
{
    const double value = zoom * 100.0;
    return (value < 10.0 ? QString::number(value, 'f', 1) : QString::number(std::lround(value)))
           + QStringLiteral(" %");
}

}  // namespace

ZoomBar::ZoomBar(ImageView& view, const LanguageTable& lang, QWidget* parent) : QWidget(parent), view_(view)
{
    setObjectName(QStringLiteral("zoomBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    QPushButton* fit = makeButton(this, "zoomFit", lang.message(82 - 45), QStringLiteral("0"));  // [FORM] line 82
    QPushButton* actual = makeButton(this, "zoomActual", QStringLiteral("1:1"), QStringLiteral("1"));
    QPushButton* out = makeButton(this, "zoomOut", QStringLiteral("−"), QStringLiteral("−"));
    QPushButton* in = makeButton(this, "zoomIn", QStringLiteral("+"), QStringLiteral("+"));
    level_ = new QLabel(this);
    level_->setObjectName(QStringLiteral("zoomLevel"));
    level_->setMinimumWidth(level_->fontMetrics().horizontalAdvance(QStringLiteral("800 %")) + 6);

    stretch_ = new QComboBox(this);
    stretch_->setObjectName(QStringLiteral("stretch"));
    stretch_->setFocusPolicy(Qt::NoFocus);
    // Black and white fractions of each preset (see image/stretch.h).
    stretch_->addItem(QStringLiteral("0,25 % – 99,75 %"), int(StretchPreset::Auto));
    stretch_->addItem(QStringLiteral("0,05 % – 99,95 %"), int(StretchPreset::Soft));
    stretch_->addItem(QStringLiteral("5 % – 99,5 %"), int(StretchPreset::Hard));
    stretch_->addItem(lang.text(QStringLiteral("image.stretch.minmax")), int(StretchPreset::MinMax));

    orientation_ = new QLabel(lang.message(83 - 45), this);  // [FORM] line 83
    orientation_->setObjectName(QStringLiteral("orientation"));

    for (QWidget* widget : {static_cast<QWidget*>(fit), static_cast<QWidget*>(actual),
                            static_cast<QWidget*>(out), static_cast<QWidget*>(in),
                            static_cast<QWidget*>(level_), static_cast<QWidget*>(stretch_),
                            static_cast<QWidget*>(orientation_)})
        layout->addWidget(widget);
    layout->addStretch();

    connect(fit, &QPushButton::clicked, &view_, &ImageView::showWhole);
    connect(actual, &QPushButton::clicked, &view_, &ImageView::showActualSize);
    connect(out, &QPushButton::clicked, this, [this] { view_.zoomOut(QPointF(view_.width() / 2.0, view_.height() / 2.0)); });
    connect(in, &QPushButton::clicked, this, [this] { view_.zoomIn(QPointF(view_.width() / 2.0, view_.height() / 2.0)); });
    connect(stretch_, &QComboBox::activated, this,
            [this](int index) { view_.setStretch(StretchPreset(stretch_->itemData(index).toInt())); });
    connect(&view_, &ImageView::viewChanged, this, &ZoomBar::refresh);
    refresh();
}

void ZoomBar::refresh()
{
    level_->setText(percent(view_.zoom()));
    stretch_->setVisible(view_.store().hasLinear());
    const int preset = stretch_->findData(int(view_.store().stretchPreset()));
    stretch_->setCurrentIndex(std::max(preset, 0));
    orientation_->setVisible(view_.store().current().fits);
}

}  // namespace ce
