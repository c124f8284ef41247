// Form1: the controls of the main window and their places. Frames on the
// left (commands, field, CCD, decision, suggestion, debug or calibration),
// the image viewport on the right with the four pan buttons around it and
// the view controls under it. The viewport takes the room the window gives;
// the left panel keeps its own size.

#include "app/ui/form1.h"

#include "app/builtin_texts.h"

#include "app/ui/image_view.h"
#include "app/ui/magnifier.h"
#include "app/ui/zoom_bar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ce {

namespace {

// The smallest viewport: with it and the left panel, the window fits a
// 1280 x 720 screen with room for its frame and the menu bar.
constexpr int kMinViewportWidth = 360;
constexpr int kMinViewportHeight = 300;

QString indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + u'_' + QString::number(index);
}

QGroupBox* makeFrame(QWidget* parent, int index, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(indexed("Frm", index));
    return frame;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLabel* lbl(QWidget* parent, int index, const QString& caption)
{
    return makeLabel(parent, indexed("lbl", index), caption);
}

QLabel* unit(QWidget* parent, const QString& text) { return makeLabel(parent, QString(), text); }

// A text box wide enough for `characters` digits.
QLineEdit* makeEdit(QWidget* parent, const QString& name, int characters, const QString& text = {})
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    if (characters > 0) {
        const int digit = edit->fontMetrics().horizontalAdvance(u'0');
        edit->setFixedWidth(digit * characters + 16);
    }
    return edit;
}

QRadioButton* makeSign(QWidget* parent, int index, const QString& caption)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(indexed("txt_dec_sign", index));
    return button;
}

QLabel* makeSignShow(QWidget* parent, int index)
{
    auto* label = makeLabel(parent, indexed("txt_dec_sign_show", index), QStringLiteral("+"));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(u'-') * 2 + 2);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A row of widgets, left-aligned.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(4);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

}  // namespace

void Form1::buildLayout()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->addWidget(buildCommandFrame());
    top->addWidget(buildCatalogueFrame(), 1);
    left->addLayout(top);
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildCcdFrame(), 1);
    middle->addWidget(buildDeciderFrame(), 1);
    left->addLayout(middle);
    left->addWidget(buildSuggestionFrame());
    // The calibration frame takes the place of the debug frame.
    left->addWidget(buildDebugFrame(), 1);
    left->addWidget(buildCalibrationFrame(), 1);

    auto* leftPanel = new QWidget(central);
    leftPanel->setObjectName(QStringLiteral("leftPanel"));
    leftPanel->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftPanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);
    layout->addWidget(leftPanel);
    layout->addWidget(buildImageArea(), 1);
}

QWidget* Form1::buildCommandFrame()
{
    QGroupBox* frame = makeFrame(this, 0, lang_.form[19]);
    auto* layout = new QVBoxLayout(frame);
    const std::pair<const char*, QString> buttons[] = {
        {"DownloadData", lang_.form[15]},
        {"SelectStar", lang_.form[16]},
        {"startCalcul", lang_.form[17]},
        {"FullMap", lang_.form[18]},
        {"AutoCalcul", lang_.message(msg::kAutoCaption)},
    };
    for (const auto& [name, caption] : buttons) {
        auto* button = new QPushButton(caption, frame);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumHeight(30);
        layout->addWidget(button);
    }
    layout->addStretch();
    return frame;
}

QWidget* Form1::buildCatalogueFrame()
{
    QGroupBox* frame = makeFrame(this, 1, lang_.form[20]);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);

    grid->addWidget(lbl(frame, 0, lang_.form[26]), 0, 0);
    grid->addLayout(row({makeEdit(frame, indexed("txt_ra", 0), 2), unit(frame, lang_.text(QStringLiteral("ui.unit.hours"))),
                         makeEdit(frame, indexed("txt_ra", 1), 2), unit(frame, QStringLiteral("'")),
                         makeEdit(frame, indexed("txt_ra", 2), 5), unit(frame, QStringLiteral("\""))}),
                    0, 1, 1, 3);

    auto* minus = makeSign(frame, 0, QStringLiteral("-"));
    auto* plus = makeSign(frame, 1, QStringLiteral("+"));
    plus->setChecked(true);
    auto* signs = new QButtonGroup(frame);
    signs->addButton(minus);
    signs->addButton(plus);
    grid->addWidget(lbl(frame, 1, lang_.form[27]), 1, 0);
    grid->addLayout(row({makeSignShow(frame, 0), makeEdit(frame, indexed("txt_dec", 0), 2),
                         unit(frame, QStringLiteral("°")), makeEdit(frame, indexed("txt_dec", 1), 2),
                         unit(frame, QStringLiteral("'")), makeEdit(frame, indexed("txt_dec", 2), 5),
                         unit(frame, QStringLiteral("\"")), minus, plus}),
                    1, 1, 1, 3);

    grid->addWidget(lbl(frame, 2, lang_.form[28]), 2, 0);
    grid->addWidget(makeEdit(frame, QStringLiteral("txt_epoch"), 6, QStringLiteral("2000.0")), 2, 1);
    grid->addWidget(lbl(frame, 3, lang_.form[29]), 2, 2);
    grid->addLayout(row({makeEdit(frame, QStringLiteral("txt_distance"), 4, QStringLiteral("20")),
                         unit(frame, lang_.text(QStringLiteral("ui.unit.arcmin")))}),
                    2, 3);

    grid->addWidget(lbl(frame, 4, lang_.form[30]), 3, 0);
    grid->addWidget(makeEdit(frame, QStringLiteral("txt_mag"), 4, QStringLiteral("13")), 3, 1);
    grid->addWidget(lbl(frame, 6, lang_.form[32]), 3, 2);
    grid->addWidget(makeEdit(frame, QStringLiteral("txt_mag2"), 4, QStringLiteral("16")), 3, 3);

    auto* load = new QPushButton(lang_.form[43], frame);
    load->setObjectName(QStringLiteral("Loadimg"));
    grid->addWidget(lbl(frame, 12, lang_.form[38]), 4, 0);
    // "…" chooses the file in a dialog.
    auto* choose = new QPushButton(QStringLiteral("…"), frame);
    choose->setObjectName(QStringLiteral("chooseImage"));
    choose->setFixedWidth(choose->fontMetrics().horizontalAdvance(QStringLiteral("…")) + 16);
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(makeEdit(frame, QStringLiteral("txt_url"), 0), 1);
    imageRow->addWidget(choose);
    imageRow->addWidget(load);
    grid->addLayout(imageRow, 4, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    return frame;
}

QWidget* Form1::buildCcdFrame()
{
    QGroupBox* frame = makeFrame(this, 2, lang_.form[21]);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(lbl(frame, 10, lang_.form[36]), 0, 0);
    grid->addWidget(makeEdit(frame, QStringLiteral("txt_corrasd"), 9), 0, 1);
    grid->addWidget(lbl(frame, 11, lang_.form[37]), 1, 0);
    grid->addWidget(makeEdit(frame, QStringLiteral("txt_corrdec"), 9), 1, 1);
    auto* load = new QPushButton(lang_.form[44], frame);
    load->setObjectName(QStringLiteral("LoadCorr"));
    grid->addWidget(load, 0, 2, 2, 1, Qt::AlignVCenter);
    // The loaded image's size in pixels.
    grid->addWidget(lbl(frame, 8, lang_.form[34]), 2, 0);
    grid->addWidget(makeLabel(frame, QStringLiteral("sizeX"), QStringLiteral("-")), 2, 1);
    grid->addWidget(lbl(frame, 9, lang_.form[35]), 3, 0);
    grid->addWidget(makeLabel(frame, QStringLiteral("sizeY"), QStringLiteral("-")), 3, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* Form1::buildDeciderFrame()
{
    QGroupBox* frame = makeFrame(this, 6, lang_.form[25]);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(lbl(frame, 7, lang_.form[33]), 0, 0);
    grid->addLayout(row({makeEdit(frame, QStringLiteral("txt_tolerance"), 4, QStringLiteral("7")),
                         unit(frame, lang_.text(QStringLiteral("ui.unit.pixels")))}),
                    0, 1);
    grid->addWidget(lbl(frame, 5, lang_.form[31]), 1, 0);
    QLineEdit* threshold = makeEdit(frame, QStringLiteral("txt_calcul"), 4, QStringLiteral("10"));
    threshold->setToolTip(
        lang_.text(QStringLiteral("ui.tip.threshold")));
    grid->addLayout(row({threshold, unit(frame, lang_.text(QStringLiteral("ui.unit.pixels")))}), 1, 1);
    auto* decider = new QCheckBox(lang_.form[25], frame);
    decider->setObjectName(QStringLiteral("CheckDecideur"));
    // Two states for the user; setting the grey state read from a file
    // makes it three-state until the next click.
    decider->setTristate(false);
    decider->setCheckState(Qt::Unchecked);
    grid->addWidget(decider, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return frame;
}

QWidget* Form1::buildSuggestionFrame()
{
    QGroupBox* frame = makeFrame(this, 5, lang_.form[24]);
    auto* layout = new QVBoxLayout(frame);
    sugestion_ = makeLabel(frame, QStringLiteral("sugestion"), lang_.suggestion(0));
    sugestion_->setWordWrap(true);
    sugestion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sugestion_->setMinimumHeight(sugestion_->fontMetrics().lineSpacing() * 3);
    sugestion_->setStyleSheet(QStringLiteral("color: #1d3f8a;"));
    layout->addWidget(sugestion_);
    return frame;
}

QWidget* Form1::buildDebugFrame()
{
    QGroupBox* frame = makeFrame(this, 3, lang_.form[22]);
    auto* layout = new QVBoxLayout(frame);
    status_ = new QListWidget(frame);
    status_->setObjectName(QStringLiteral("status"));
    layout->addWidget(status_, 1);
    info_ = makeLabel(frame, QStringLiteral("info"), QString());
    info_->setWordWrap(true);
    info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A hovered star's line wraps to two lines; room for them is kept from
    // the start so that the journal above does not jump at every hover.
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info_->setMinimumHeight(info_->fontMetrics().lineSpacing() * 2);
    auto* infoRow = new QHBoxLayout;
    infoRow->addWidget(lbl(frame, 13, lang_.form[39]), 0, Qt::AlignTop);
    infoRow->addWidget(info_, 1);
    layout->addLayout(infoRow);
    texte_ = new QPlainTextEdit(frame);
    texte_->setObjectName(QStringLiteral("Texte"));
    texte_->setReadOnly(true);
    texte_->setFixedHeight(texte_->fontMetrics().lineSpacing() * 2 + 12);
    layout->addWidget(texte_);
    return frame;
}

QWidget* Form1::buildCalibrationFrame()
{
    QGroupBox* frame = makeFrame(this, 4, lang_.form[23]);
    auto* grid = new QGridLayout(frame);
    QLabel* instruction = lbl(frame, 14, lang_.form[40]);
    instruction->setWordWrap(true);
    grid->addWidget(instruction, 0, 0, 1, 2);

    QLineEdit* boxes[8];
    const int widths[8] = {5, 5, 2, 2, 6, 2, 2, 6};
    for (int k = 0; k < 8; ++k) {
        boxes[k] = makeEdit(frame, indexed("Etalo", k), widths[k]);
        if (k == 2 || k == 3 || k == 5 || k == 6)
            boxes[k]->setMaxLength(2);
    }
    grid->addWidget(unit(frame, lang_.text(QStringLiteral("calib.x"))), 1, 0);
    grid->addLayout(row({boxes[0], unit(frame, lang_.text(QStringLiteral("ui.unit.pixels")))}), 1, 1);
    grid->addWidget(unit(frame, lang_.text(QStringLiteral("calib.y"))), 2, 0);
    grid->addLayout(row({boxes[1], unit(frame, lang_.text(QStringLiteral("ui.unit.pixels")))}), 2, 1);
    grid->addWidget(lbl(frame, 15, lang_.form[41]), 3, 0);
    grid->addLayout(row({boxes[2], unit(frame, lang_.text(QStringLiteral("ui.unit.hours"))), boxes[3],
                         unit(frame, QStringLiteral("'")), boxes[4], unit(frame, QStringLiteral("\""))}),
                    3, 1);

    auto* minus = makeSign(frame, 2, QStringLiteral("-"));
    auto* plus = makeSign(frame, 3, QStringLiteral("+"));
    plus->setChecked(true);
    auto* signs = new QButtonGroup(frame);
    signs->addButton(minus);
    signs->addButton(plus);
    grid->addWidget(lbl(frame, 16, lang_.form[42]), 4, 0);
    grid->addLayout(row({makeSignShow(frame, 1), boxes[5], unit(frame, QStringLiteral("°")), boxes[6],
                         unit(frame, QStringLiteral("'")), boxes[7], unit(frame, QStringLiteral("\"")),
                         minus, plus}),
                    4, 1);

    auto* next = new QPushButton(lang_.form[45], frame);
    next->setObjectName(QStringLiteral("BoutonEtalo"));
    grid->addWidget(next, 5, 1, Qt::AlignRight);
    grid->setRowStretch(6, 1);
    frame->hide();
    return frame;
}

QWidget* Form1::buildImageArea()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("imageArea"));
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);

    picOrange_ = new QWidget(area);
    picOrange_->setObjectName(QStringLiteral("PicOrange"));
    picOrange_->setMinimumSize(kMinViewportWidth, kMinViewportHeight);
    picOrange_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QPalette palette = picOrange_->palette();
    palette.setColor(QPalette::Window, QColor(36, 28, 22));
    picOrange_->setPalette(palette);

    picture1_ = new ImageView(controller_->state().markers, picOrange_);
    picture1_->setPalette(palette);
    auto* viewLayout = new QVBoxLayout(picOrange_);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    viewLayout->addWidget(picture1_);
    zoom_ = new Magnifier(picture1_);

    // Element 1 shows more of the image's left side, 2 its bottom, 3 its
    // right side, 4 its top.
    const struct {
        int element;
        const char* arrow;
        int rowIndex;
        int column;
    } pans[] = {{1, "◀", 1, 0}, {2, "▼", 2, 1}, {3, "▶", 1, 2}, {4, "▲", 0, 1}};
    for (const auto& pan : pans) {
        auto* button = new QPushButton(QString::fromUtf8(pan.arrow), area);
        button->setObjectName(indexed("PicMove", pan.element));
        button->setFocusPolicy(Qt::NoFocus);
        if (pan.column == 1)
            button->setFixedHeight(18);
        else
            button->setFixedWidth(18);
        button->setSizePolicy(pan.column == 1 ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                              pan.column == 1 ? QSizePolicy::Fixed : QSizePolicy::Expanding);
        const std::int16_t element = std::int16_t(pan.element);
        connect(button, &QPushButton::pressed, this, [this, element] { panDirection_ = element; });
        connect(button, &QPushButton::released, this, [this] { panDirection_ = 0; });
        grid->addWidget(button, pan.rowIndex, pan.column);
    }
    grid->addWidget(picOrange_, 1, 1);
    zoomBar_ = new ZoomBar(*picture1_, lang_, area);
    grid->addWidget(zoomBar_, 3, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    return area;
}

}  // namespace ce
