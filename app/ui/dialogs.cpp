#include "app/ui/dialogs.h"

#include "skymap/ui/frm_detail.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ce {

QString defaultMessageTitle() { return QStringLiteral("Cinq Étoiles"); }

namespace {

QString titleOrDefault(const QString& title)
{
    return title.isEmpty() ? defaultMessageTitle() : title;
}

// Qt writes its own buttons and labels in English unless its translations
// are installed, so the boxes the program shows carry their French words
// themselves.
void frenchYesNo(QMessageBox& box)
{
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    box.setDefaultButton(QMessageBox::Yes);
}

bool yesNoBox(QWidget* parent, const QString& question, const QString& title)
{
    QMessageBox box(QMessageBox::Question, titleOrDefault(title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    frenchYesNo(box);
    return box.exec() == QMessageBox::Yes;
}

// Where a box of `size` stands beside `image` on its screen: right of the
// image when there is room, else left of it, else over the screen's left
// edge; vertically at the image's top. Global coordinates.
QPoint besideImage(const QWidget& image, QSize size)
{
    const QRect area = image.screen() ? image.screen()->availableGeometry() : QRect();
    const QRect shown(image.mapToGlobal(QPoint(0, 0)), image.size());
    const int gap = 12;
    int x = shown.right() + gap;
    if (area.isValid() && x + size.width() > area.right()) {
        x = shown.left() - gap - size.width();
        if (x < area.left()) x = area.left();
    }
    int y = shown.top();
    if (area.isValid()) y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - size.height()));
    return {x, y};
}

QString fileDialog(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter, QFileDialog::AcceptMode acceptMode)
{
    const bool saving = acceptMode == QFileDialog::AcceptSave;
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Replacing a file is asked below, in French.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Regarder dans :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type de fichier :"));
    dialog.setLabelText(QFileDialog::Accept,
                        saving ? QStringLiteral("&Enregistrer") : QStringLiteral("&Ouvrir"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    while (dialog.exec() == QDialog::Accepted) {
        const QString chosen = dialog.selectedFiles().value(0);
        if (!saving || !QFileInfo::exists(chosen))
            return chosen;
        const QString question = QStringLiteral("Le fichier %1 existe déjà. Voulez-vous le remplacer ?")
                                     .arg(QFileInfo(chosen).fileName());
        if (yesNoBox(&dialog, question, title))
            return chosen;
        // No: back to the dialog to choose another name.
    }
    return QString();
}

}  // namespace

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, titleOrDefault(title),
                    text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& question, const QString& title)
{
    return yesNoBox(parent, question, title);
}

bool QtDialogs::askYesNoBesideImage(QWidget* parent, const QString& question, const QString& title,
                                    QWidget* image)
{
    // Not modal to the window: the image beneath can still be panned to
    // look at the candidate; the caller keeps the other commands disabled
    // until the answer comes.
    QMessageBox box(QMessageBox::Question, titleOrDefault(title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    frenchYesNo(box);
    box.setWindowModality(Qt::NonModal);
    QEventLoop answered;
    QObject::connect(&box, &QMessageBox::finished, &answered, &QEventLoop::quit);
    box.show();
    if (image) box.move(besideImage(*image, box.sizeHint()));
    answered.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return fileDialog(parent, title, folder, filter, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return fileDialog(parent, title, folder, filter, QFileDialog::AcceptSave);
}

void QtDialogs::details(QWidget* parent, const QString& title, const QString& report)
{
    showFrmDetail(parent, title, report);
}

}  // namespace ce
