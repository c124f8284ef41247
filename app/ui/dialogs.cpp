#include "app/ui/dialogs.h"

#include "app/builtin_texts.h"
#include "app/language_table.h"
#include "skymap/ui/frm_detail.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ce {

QString defaultMessageTitle(const LanguageTable& lang) { return lang.text(QStringLiteral("box.title")); }

namespace {

QString titleOrDefault(const LanguageTable& lang, const QString& title)
{
    return title.isEmpty() ? defaultMessageTitle(lang) : title;
}

// Qt writes its own buttons and labels in English unless its translations
// are installed, so the boxes the program shows carry the language file's
// words themselves.
void yesNoTexts(QMessageBox& box, const LanguageTable& lang)
{
    box.button(QMessageBox::Yes)->setText(lang.text(QStringLiteral("box.yes")));
    box.button(QMessageBox::No)->setText(lang.text(QStringLiteral("box.no")));
    box.setDefaultButton(QMessageBox::Yes);
}

bool yesNoBox(QWidget* parent, const QString& question, const QString& title, const LanguageTable& lang)
{
    QMessageBox box(QMessageBox::Question, titleOrDefault(lang, title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    yesNoTexts(box, lang);
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
                   const QString& filter, QFileDialog::AcceptMode acceptMode, const LanguageTable& lang)
{
    const bool saving = acceptMode == QFileDialog::AcceptSave;
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Replacing a file is asked below, in the program's language.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const auto text = [&lang](const char* key) { return lang.text(QString::fromLatin1(key)); };
    dialog.setLabelText(QFileDialog::LookIn, text("file.lookin"));
    dialog.setLabelText(QFileDialog::FileName, text("file.name"));
    dialog.setLabelText(QFileDialog::FileType, text("file.type"));
    dialog.setLabelText(QFileDialog::Accept, saving ? text("file.save") : text("file.open"));
    dialog.setLabelText(QFileDialog::Reject, text("file.cancel"));
    while (dialog.exec() == QDialog::Accepted) {
        const QString chosen = dialog.selectedFiles().value(0);
        if (!saving || !QFileInfo::exists(chosen))
            return chosen;
        const QString question = text("file.exists").arg(QFileInfo(chosen).fileName());
        if (yesNoBox(&dialog, question, title, lang))
            return chosen;
        // No: back to the dialog to choose another name.
    }
    return QString();
}

}  // namespace

QtDialogs::QtDialogs() : lang_(&builtinLanguage()) {}

void QtDialogs::useLanguage(const LanguageTable& lang) { lang_ = &lang; }

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title, bool warning)
{
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, titleOrDefault(*lang_, title),
                    text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(lang_->text(QStringLiteral("box.ok")));
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& question, const QString& title)
{
    return yesNoBox(parent, question, title, *lang_);
}

bool QtDialogs::askYesNoBesideImage(QWidget* parent, const QString& question, const QString& title,
                                    QWidget* image)
{
    // Not modal to the window: the image beneath can still be panned to
    // look at the candidate; the caller keeps the other commands disabled
    // until the answer comes.
    QMessageBox box(QMessageBox::Question, titleOrDefault(*lang_, title), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    yesNoTexts(box, *lang_);
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
    return fileDialog(parent, title, folder, filter, QFileDialog::AcceptOpen, *lang_);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    return fileDialog(parent, title, folder, filter, QFileDialog::AcceptSave, *lang_);
}

void QtDialogs::details(QWidget* parent, const QString& title, const QString& report)
{
    showFrmDetail(parent, title, report, *lang_);
}

}  // namespace ce
