#pragma once
// Shared pieces of the window tests: a scripted answerer for the boxes, a
// temporary program folder, and a language file whose texts name their place.

#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "core/program_paths.h"
#include "core/textfile.h"
#include "tests/core/key_echo.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace ce::testing {

// Records every box instead of showing it. Questions take the next scripted
// answer (No when none is left); file dialogs answer `fileName` (empty: cancelled).
class ScriptedDialogs final : public Dialogs {
public:
    struct Box {
        QString text, title;  // for a details window: the report and its title
    };
    QList<Box> messages, questions, detailWindows;
    QList<bool> answers;
    QList<QStringList> fileDialogs;  // title, folder and filter of each open or save dialog
    QString fileName;

    void message(QWidget*, const QString& text, const QString& title, bool) override { messages.append({text, title}); }
    bool askYesNo(QWidget*, const QString& question, const QString& title) override
    {
        questions.append({question, title});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& t, const QString& d, const QString& f) override { return file(t, d, f); }
    QString saveFileName(QWidget*, const QString& t, const QString& d, const QString& f) override { return file(t, d, f); }
    void details(QWidget*, const QString& title, const QString& report) override { detailWindows.append({report, title}); }

private:
    QString file(const QString& title, const QString& folder, const QString& filter)
    {
        fileDialogs.append({title, folder, filter});
        return fileName;
    }
};

// A program folder and a data folder inside one temporary folder.
class TempProgram {
public:
    TempProgram()
    {
        paths_.programFolder = dir_.filePath(QStringLiteral("program"));
        paths_.dataFolder = dir_.filePath(QStringLiteral("data"));
        QDir().mkpath(paths_.programFolder);
        QDir().mkpath(paths_.dataFolder);
    }
    const ProgramPaths& paths() const { return paths_; }
    QString programFile(const QString& name) const { return paths_.programFile(name); }
    QString dataFile(const QString& name) const { return paths_.dataFile(name); }
    bool write(const QString& name, const QStringList& lines) const { return writeTextLines(programFile(name), lines, ce::test::KeyEcho()).ok(); }

private:
    QTemporaryDir dir_;
    ProgramPaths paths_;
};

// A main window over a temporary program folder: write its files, then open() (again to reopen).
struct WindowRig {
    TempProgram program;
    LanguageTable lang;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> form;

    Form1& open()
    {
        form.reset();
        form = std::make_unique<Form1>(lang, program.paths(), dialogs);
        return *form;
    }
};

// Text N of a section, unique in the whole file: "C3" (configuration text 3),
// "K2" ([CONFIG2] line 2), "F45" ([FORM] line 45), "W19", "S0" (suggestion 0).
inline QString sectionText(char section, int n) { return QString(QLatin1Char(section)) + QString::number(n); }

// A complete language file: heading, 8 configuration texts, 8 [CONFIG2], 65
// [FORM], 19 [WIZARD] texts and 15 suggestions, all named by sectionText.
inline QStringList languageLines()
{
    QStringList lines{QStringLiteral("Fichier de langue pour les tests")};
    const auto section = [&lines](const char* marker, char prefix, int from, int to) {
        if (*marker) lines.append(QString::fromLatin1(marker));
        for (int n = from; n <= to; ++n) lines.append(sectionText(prefix, n));
    };
    section("", 'C', 1, 8);
    section("[CONFIG2]", 'K', 1, 8);
    section("[FORM]", 'F', 1, 65);
    section("[WIZARD]", 'W', 1, 19);
    section("[SUGESTIONS]", 'S', 0, 14);
    return lines << QStringLiteral("[END]");
}

}  // namespace ce::testing
