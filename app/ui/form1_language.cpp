// Form1: Options > Langue, the choice of the language file for the next
// start.

#include "app/ui/form1.h"

#include "app/language_choice.h"
#include "app/program_options.h"
#include "app/ui/dialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace ce {

void Form1::setLanguageInUse(const QString& fileName)
{
    languageInUse_ = fileName;
    fillLanguageMenu();
}

void Form1::fillLanguageMenu()
{
    if (!languageMenu_)
        return;
    languageMenu_->clear();
    for (QActionGroup* old : languageMenu_->findChildren<QActionGroup*>())
        delete old;
    auto* group = new QActionGroup(languageMenu_);
    group->setExclusive(true);
    for (const LanguageFile& file : findLanguageFiles(paths_.programFolder, lang_)) {
        // The heading line is the user's own text: "&" shows as itself.
        QString caption = file.name;
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* entry = languageMenu_->addAction(caption);
        entry->setObjectName(QStringLiteral("mnu_language_") + file.fileName);
        entry->setCheckable(true);
        entry->setChecked(file.fileName == languageInUse_);
        group->addAction(entry);
        const QString fileName = file.fileName;
        const QString name = file.name;
        connect(entry, &QAction::triggered, this, [this, fileName, name] { chooseLanguage(fileName, name); });
    }
}

void Form1::chooseLanguage(const QString& fileName, const QString& name)
{
    ProgramOptions options = loadOptions(paths_.dataFolder);
    if (languageFileToRead(options.languageFile) == fileName)
        return;
    options.languageFile = fileName == QLatin1String(kDefaultLanguageFile) ? QString() : fileName;
    const Status saved = saveOptions(paths_.dataFolder, options, lang_);
    if (!saved) {
        dialogs_.message(this, saved.error(), QString(), true);
        fillLanguageMenu();
        return;
    }
    dialogs_.message(this, lang_.text(QStringLiteral("box.language.next")).arg(name), QString(), false);
}

}  // namespace ce
