#include "app/ui/dialogs.h"

#include "skymap/ui/frm_detail.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ce {

QString defaultMessageTitle() { return QStringLiteral("Cinq Étoiles"); }

namespace {

QString titleOrDefault(const QString& title)
{
    return title.isEmpty() ? defaultMessageTitle() : title;
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
    QMessageBox box(QMessageBox::Question, titleOrDefault(title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
}

void QtDialogs::details(QWidget* parent, const QString& title, const QString& report)
{
    showFrmDetail(parent, title, report);
}

}  // namespace ce
