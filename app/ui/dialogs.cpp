#include "app/ui/dialogs.h"

#include "skymap/ui/frm_detail.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

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
bool yesNoBox(QWidget* parent, const QString& question, const QString& title)
{
    QMessageBox box(QMessageBox::Question, titleOrDefault(title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
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
