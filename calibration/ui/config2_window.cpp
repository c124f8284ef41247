#include "calibration/ui/config2_window.h"

#include "app/flow/reduction_controller.h"
#include "app/ui/apply_lang.h"
#include "app/ui/control_text.h"
#include "app/ui/dialogs.h"
#include "calibration/calibration_solver.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace ce {

namespace {

QChar systemDecimalPoint()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

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
    setWindowTitle(QStringLiteral("Etalonage classique"));

    // Input label caption and unit of txt_1..txt_5.
    struct Input {
        const char16_t* label;
        const char16_t* unit;
    };
    static constexpr std::array<Input, 5> inputs = {{
        {u"Largeur du capteur:", u"mm"},
        {u"Hauteur du capteur:", u"mm"},
        {u"Largeur en pixels:", u"pixels"},
        {u"Hauteur en pixels:", u"pixels"},
        {u"Focale:", u"mm"},
    }};

    auto* grid = new QGridLayout(this);
    grid->addWidget(namedLabel(QStringLiteral("lbl_0"),
                               QStringLiteral("Configuration optique de l'instrument:"), this),
                    0, 0, 1, 6);
    // Width in mm with the focal length to its right, then the other three.
    const std::array<std::pair<int, int>, 5> cell = {{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {1, 3}}};
    for (int k = 0; k < 5; ++k) {
        const QString n = QString::number(k + 1);
        const Input& in = inputs[std::size_t(k)];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txt_") + n);
        txt_[std::size_t(k)] = edit;
        const auto [row, column] = cell[std::size_t(k)];
        grid->addWidget(namedLabel(QStringLiteral("lbl_") + n, QString::fromUtf16(in.label), this),
                        row, column);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(namedLabel(QStringLiteral("unit_") + n, QString::fromUtf16(in.unit), this),
                        row, column + 2);
    }
    cmd1_ = new QPushButton(QStringLiteral("Calculer"), this);
    cmd1_->setObjectName(QStringLiteral("cmd1"));
    cmd1_->setDefault(true);
    grid->addWidget(cmd1_, 5, 3, 1, 3);
    connect(cmd1_, &QPushButton::clicked, this, &Config2::Calculer);

    for (const CaptionAssignment& caption : languageCaptions(lang_, QStringLiteral("Config2")))
        setControlCaption(*this, caption.control, caption.text);
}

void Config2::Calculer()
{
    std::array<QString, 5> boxes;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        boxes[k] = txt_[k]->text();
    const QChar point = systemDecimalPoint();
    const Result<SensorInput> input = readSensorBoxes(boxes, point);
    if (!input) {
        dialogs_.message(this, input.error(), QString(), false);
        return;
    }
    const Result<ClassicalCalibration> result = solveClassical(*input);
    if (!result) {
        dialogs_.message(this, result.error(), QString(), false);
        return;
    }
    main_.setText(QStringLiteral("txt_corrasd"), result->scale.corrAsdText);
    main_.setText(QStringLiteral("txt_corrdec"), result->scale.corrDecText);
    dialogs_.message(this, classicalReport(lang_.message(7), *result, point), QString(), false);
}

void openClassicalCalibration(QWidget* parent, ReductionController& controller, Dialogs& dialogs)
{
    Config2 window(controller.view(), controller.lang(), dialogs, parent);
    window.exec();
}

}  // namespace ce
