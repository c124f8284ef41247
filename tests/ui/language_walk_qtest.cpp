// Every text the windows show comes from the language file in use. For each
// shipped language file the program starts with it chosen, and the walk
// reads every visible text of the main window (menus and their entries,
// group boxes, buttons, labels, lists), the calibration windows, the
// assistant, a Yes/No question, a file dialog, a warning and the refusals
// of a calculation (a field that is not a number, a zero); each must be a
// text of that file. Excepted by rule, not by list: texts without a letter
// (numbers, units such as ° or ', zoom signs), what the user typed (edit
// fields) and the values a text receives (its %1, %2... match anything).

#include "app/builtin_texts.h"
#include "app/language_choice.h"
#include "app/language_table.h"
#include "app/program_options.h"
#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/startup.h"
#include "calibration/ui/config2_window.h"
#include "core/textfile.h"
#include "tests/ui/ui_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

namespace {

// A caption as shown: "&&" is one "&", a single "&" marks the shortcut.
QString shown(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.trimmed();
}

// The texts of one language file, each a pattern where %1, %2... stand for
// any value; a text of several lines also gives each of its lines.
class Vocabulary {
public:
    // `headings`: the first line of every language file beside the
    // program, each language's own name in Options > Langue.
    Vocabulary(const ce::LanguageTable& lang, const QStringList& headings)
    {
        QStringList texts = headings;
        const auto addAll = [&texts](const auto& section) {
            for (const QString& t : section) texts.append(t);
        };
        addAll(lang.config);
        addAll(lang.config2);
        addAll(lang.form);
        addAll(lang.wizard);
        addAll(lang.suggestions);
        for (const auto& [key, text] : lang.keyed) texts.append(text);
        // Lines of a text of several lines, names of a file filter "name|*.x|...".
        static const QRegularExpression parts(QStringLiteral("[\r\n|]+"));
        for (const QString& text : texts) {
            add(text);
            for (const QString& part : text.split(parts, Qt::SkipEmptyParts)) add(part);
        }
    }

    bool has(const QString& text) const
    {
        for (const QRegularExpression& pattern : patterns_)
            if (pattern.match(text).hasMatch()) return true;
        return false;
    }

private:
    void add(const QString& text)
    {
        const QString plain = shown(text);
        static const QRegularExpression value(QStringLiteral("%\\d"));
        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        // A text made only of values ("%1", "%1 : %2") would match anything.
        if (!QString(plain).remove(value).contains(letter)) return;
        QString pattern;
        qsizetype at = 0;
        for (auto it = value.globalMatch(plain); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            pattern += QRegularExpression::escape(plain.mid(at, m.capturedStart() - at)) + QStringLiteral(".*");
            at = m.capturedEnd();
        }
        pattern += QRegularExpression::escape(plain.mid(at));
        patterns_.emplace_back(QRegularExpression::anchoredPattern(pattern),
                               QRegularExpression::DotMatchesEverythingOption);
    }

    std::vector<QRegularExpression> patterns_;
};

// Collects the texts that the language file lacks, with where they were seen.
class Walk {
public:
    // `userData`: the text of the user's own files (configuration names...).
    Walk(const Vocabulary& words, QStringList userData) : words_(words), userData_(std::move(userData)) {}

    void check(const QString& where, const QString& raw)
    {
        const QString text = shown(raw);
        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        if (!text.contains(letter) || words_.has(text) || userData_.contains(text)) return;
        // A text put together from several lines: each line on its own.
        static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
        const QStringList lines = text.split(lineBreaks, Qt::SkipEmptyParts);
        if (lines.size() > 1) {
            for (const QString& line : lines) check(where, line);
            return;
        }
        foreign_.append(where + QStringLiteral(" : « ") + text + QStringLiteral(" »"));
    }

    void menu(const QString& where, QMenu* menu)
    {
        check(where, menu->title());
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            if (action->menu())
                this->menu(where + u'>' + action->menu()->objectName(), action->menu());
            else
                check(where + u'>' + action->objectName(), action->text());
            // Qt makes a tool tip of the caption, without its "..."
            QString caption = shown(action->text());
            if (caption.endsWith(QLatin1String("..."))) caption.chop(3);
            if (action->toolTip() != caption) check(where + u'>' + action->objectName(), action->toolTip());
        }
    }

    // Every text a window and its children show.
    void window(QWidget* window)
    {
        const QString name = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                             : window->objectName();
        check(name + QStringLiteral(" (titre)"), window->windowTitle());
        const QList<QWidget*> children = window->findChildren<QWidget*>();
        for (QWidget* w : children) {
            const QString where = name + u'/' + w->objectName();
            if (auto* label = qobject_cast<QLabel*>(w)) check(where, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(w)) check(where, button->text());
            if (auto* group = qobject_cast<QGroupBox*>(w)) check(where, group->title());
            if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable())
                for (int i = 0; i < combo->count(); ++i) check(where, combo->itemText(i));
            if (auto* list = qobject_cast<QListWidget*>(w))
                for (int i = 0; i < list->count(); ++i) check(where, list->item(i)->text());
            if (auto* bar = qobject_cast<QMenuBar*>(w))
                for (QAction* action : bar->actions())
                    if (action->menu()) menu(where, action->menu());
            check(where + QStringLiteral(" (bulle)"), w->toolTip());
        }
    }

    // A box: its text, title and buttons.
    void box(QMessageBox* box)
    {
        check(QStringLiteral("boîte (titre)"), box->windowTitle());
        check(QStringLiteral("boîte"), box->text());
        for (QAbstractButton* button : box->buttons()) check(QStringLiteral("boîte/bouton"), button->text());
    }

    // A file dialog: the title, the program's labels and the filters; the
    // rest of the dialog is Qt's own.
    void fileDialog(QFileDialog* dialog)
    {
        check(QStringLiteral("dialogue de fichier (titre)"), dialog->windowTitle());
        for (auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                           QFileDialog::Reject})
            check(QStringLiteral("dialogue de fichier"), dialog->labelText(label));
        static const QRegularExpression patterns(QStringLiteral("\\s*\\(.*\\)$"));
        for (QString filter : dialog->nameFilters())
            if (!words_.has(filter)) check(QStringLiteral("dialogue de fichier (filtre)"), filter.remove(patterns));
    }

    const QStringList& foreign() const { return foreign_; }

private:
    const Vocabulary& words_;
    const QStringList userData_;
    QStringList foreign_;
};

// Walks and closes each modal window as it appears, until stopped.
class ModalCloser : public QObject {
public:
    ModalCloser(Walk& walk) : walk_(walk)
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        timer_.start();
    }
    int seen = 0;
    QStringList kinds;

private:
    void step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        ++seen;
        kinds.append(QString::fromLatin1(modal->metaObject()->className()));
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            walk_.box(box);
            QAbstractButton* out = box->button(QMessageBox::No);
            if (!out) out = box->button(QMessageBox::Ok);
            if (out) out->click(); else box->reject();
            return;
        }
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            walk_.fileDialog(dialog);
            dialog->reject();
            return;
        }
        walk_.window(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject(); else modal->close();
    }

    Walk& walk_;
    QTimer timer_;
};

QStringList shippedLanguageFiles()
{
    return QDir(QStringLiteral(CE_DATA_DIR)).entryList({QStringLiteral("lang*.cfg")}, QDir::Files, QDir::Name);
}

}  // namespace

class LanguageWalkTest : public QObject {
    Q_OBJECT

private slots:
    void everyVisibleTextComesFromTheLanguageFile_data()
    {
        QTest::addColumn<QString>("fileName");
        for (const QString& fileName : shippedLanguageFiles())
            QTest::newRow(qPrintable(fileName)) << fileName;
        QVERIFY(shippedLanguageFiles().contains(QStringLiteral("lang.cfg")));
    }

    void everyVisibleTextComesFromTheLanguageFile()
    {
        QFETCH(QString, fileName);
        // The program folder as shipped, the file chosen for this start.
        ce::testing::TempProgram program;
        const QDir data(QStringLiteral(CE_DATA_DIR));
        for (const QString& name : data.entryList(QDir::Files))
            QVERIFY(QFile::copy(data.filePath(name), program.programFile(name)));
        // defaut.cfg opens the demonstration image.
        QVERIFY(QDir().mkpath(program.programFile(QStringLiteral("demo"))));
        for (const QString& name : QDir(data.filePath(QStringLiteral("demo"))).entryList(QDir::Files))
            QVERIFY(QFile::copy(data.filePath(QStringLiteral("demo/") + name), program.programFile(QStringLiteral("demo/") + name)));
        ce::ProgramOptions options;
        options.languageFile = fileName;
        QVERIFY(ce::saveOptions(program.paths().dataFolder, options, ce::builtinLanguage()).ok());

        ce::QtDialogs dialogs;
        ce::Startup startup(program.paths(), dialogs);
        QVERIFY(startup.run());
        QCOMPARE(startup.languageFile(), fileName);
        ce::LanguageTable file = *ce::loadLanguageFile(program.programFile(fileName));
        file.fillMessages();
        QStringList headings;
        for (const QString& name : shippedLanguageFiles())
            headings.append(ce::readTextLines(program.programFile(name), ce::test::KeyEcho())->value(0));
        const Vocabulary words(file, headings);
        QStringList userData;
        for (const char* name : {"config.cfg", "defaut.cfg"})
        {
            const ce::Result<QStringList> lines = ce::readTextLines(program.programFile(QLatin1String(name)), ce::test::KeyEcho());
            QVERIFY(lines.ok());
            for (const QString& line : *lines) userData.append(line.trimmed());
        }
        Walk walk(words, userData);
        ce::Form1* form = startup.mainWindow();
        walk.window(form);

        ModalCloser closer(walk);
        const auto trigger = [form](const char* entry) {
            auto* action = form->findChild<QAction*>(QLatin1String(entry));
            QVERIFY2(action, entry);
            action->trigger();
        };
        // The calibration windows and the assistant with its pages.
        trigger("mnu_config");
        trigger("mnu_etalonage2");
        trigger("mnu_wizard");
        trigger("mnu_catalogue");
        dialogs.details(form, QStringLiteral("0825-07582619"), QStringLiteral("9.8"));
        // A file dialog, a Yes/No question with its buttons, a warning.
        trigger("mnu_open");
        dialogs.askYesNo(form, file.message(ce::msg::kRefineOption), QString());
        form->findChild<QLineEdit*>(QStringLiteral("txt_corrasd"))->clear();
        form->findChild<QAbstractButton*>(QStringLiteral("AutoCalcul"))->click();  // no scale factor: a warning
        // Refused calculations word their reasons from the file too: a
        // focal length that is not a number, then one of zero.
        {
            ce::Config2 classical(*form, file, dialogs, form);
            const auto type = [&classical](const char* box, const char* text) {
                classical.findChild<QLineEdit*>(QLatin1String(box))->setText(QLatin1String(text));
            };
            for (const auto& [box, text] : {std::pair{"txt_1", "9"}, {"txt_2", "6"}, {"txt_3", "1000"}, {"txt_4", "800"}})
                type(box, text);
            type("txt_5", "f/5");
            classical.Calculer();
            type("txt_5", "0");
            classical.Calculer();
        }
        QTRY_VERIFY(closer.seen >= 10);
        QVERIFY2(closer.kinds.contains(QStringLiteral("QFileDialog")), qPrintable(closer.kinds.join(u' ')));
        QVERIFY2(closer.kinds.count(QStringLiteral("QMessageBox")) >= 4, qPrintable(closer.kinds.join(u' ')));
        // The journal and the main window after those commands.
        walk.window(form);

        QVERIFY2(walk.foreign().isEmpty(), qPrintable(walk.foreign().join(u'\n')));
    }
};

QTEST_MAIN(LanguageWalkTest)
#include "language_walk_qtest.moc"
