#include "calibration/ui/config2_window.h"

#include "app/builtin_texts.h"
#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "app/ui/apply_lang.h"
#include "app/ui/dialogs.h"
#include "calibration/calibration_solver.h"
#include "core/numbers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <numbers>

namespace ce {

namespace {

QLabel* namedLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Config2::Config2(ReductionView& mainWindow, const LanguageTable& lang, Dialogs& dialogs,
                 QWidget* parent)
    : QDialog(parent), main_(mainWindow), lang_(lang), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Config2"));
    setWindowTitle(lang_.config2[1]);

    // txt_1..txt_5: label caption, unit, and grid cell (row, column). The
    // width in mm has the focal length to its right; the other three follow.
    struct Input {
        QString label;
        QString unit;
        int row;
        int column;
    };
    const std::array<Input, 5> inputs = {{
        {lang_.config2[3], lang_.text(QStringLiteral("ui.unit.mm")), 1, 0},
        {lang_.config2[4], lang_.text(QStringLiteral("ui.unit.mm")), 2, 0},
        {lang_.config2[5], lang_.text(QStringLiteral("ui.unit.pixels")), 3, 0},
        {lang_.config2[6], lang_.text(QStringLiteral("ui.unit.pixels")), 4, 0},
        {lang_.config2[7], lang_.text(QStringLiteral("ui.unit.mm")), 1, 3},
    }};

    auto* grid = new QGridLayout(this);
    grid->addWidget(namedLabel(QStringLiteral("lbl_0"),
                               lang_.config2[2], this),
                    0, 0, 1, 6);
    for (int k = 0; k < 5; ++k) {
        const QString n = QString::number(k + 1);
        const Input& in = inputs[std::size_t(k)];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txt_") + n);
        txt_[std::size_t(k)] = edit;
        grid->addWidget(namedLabel(QStringLiteral("lbl_") + n, in.label, this), in.row, in.column);
        grid->addWidget(edit, in.row, in.column + 1);
        grid->addWidget(namedLabel(QStringLiteral("unit_") + n, in.unit, this), in.row,
                        in.column + 2);
    }
    cmd1_ = new QPushButton(lang_.config2[8], this);
    cmd1_->setObjectName(QStringLiteral("cmd1"));
    cmd1_->setDefault(true);
    grid->addWidget(cmd1_, 5, 3, 1, 3);
    connect(cmd1_, &QPushButton::clicked, this, &Config2::Calculer);

    applyCaptions(*this, lang_, QStringLiteral("Config2"));
}

void Config2::Calculer()
{
    std::array<QString, 5> boxes;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        boxes[k] = txt_[k]->text();
    const QChar point = systemDecimalPoint();
    const Result<SensorInput> input = readSensorBoxes(boxes, point, lang_);
    if (!input) {
        dialogs_.message(this, input.error(), QString(), false);
        return;
    }
    const Result<ClassicalCalibration> result = solveClassical(*input, lang_);
    if (!result) {
        dialogs_.message(this, result.error(), QString(), false);
        return;
    }
    // CX and CY are pixels per degree of sky. Corr Asd counts pixels per
    // degree of right ascension, which spans cos δ degrees of sky: without
    // that factor no field far from the equator would match.
    const QString report = classicalReport(lang_.message(7), *result, point) + QChar(13);
    const Result<FieldCentre> centre = readFieldCentre(main_, lang_);
    if (!centre) {
        dialogs_.message(this, report + lang_.message(msg::kClassicalNeedsCentre), QString(), false);
        return;
    }
    const QString corrAsd = formatDouble(result->scale.corrAsd * std::cos(centre->decDeg * std::numbers::pi / 180.0));
    main_.setText(QStringLiteral("txt_corrasd"), corrAsd);
    main_.setText(QStringLiteral("txt_corrdec"), result->scale.corrDecText);
    dialogs_.message(this,
                     report + lang_.message(msg::kClassicalCosDec)
                                  .arg(formatDouble(roundHalfEven(centre->decDeg, 4), point), corrAsd,
                                       result->scale.corrDecText),
                     QString(), false);
}

void openClassicalCalibration(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    Config2 window(controller.view(), controller.lang(), dialogs, parent);
    window.exec();
}

}  // namespace ce
