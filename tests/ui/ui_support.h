#pragma once
// Shared pieces of the window tests: a scripted answerer for the boxes, a
// temporary program folder, and a language file whose every text says
// where it comes from.

#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "core/program_paths.h"
#include "core/textfile.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace ce::testing {

// Records every box instead of showing it. Yes/No questions take the next
// scripted answer (No when none is left); file dialogs answer `fileName`
// (empty: cancelled).
class ScriptedDialogs final : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        bool warning = false;
    };
    struct FileDialog {
        QString title, folder, filter;
    };

    QList<Box> messages;
    QList<Box> questions;
    QList<bool> answers;
    QList<QString> detailTitles;
    QList<QString> fileDialogTitles;  // open and save dialogs, in order
    QList<FileDialog> fileDialogs;    // the same, with folder and filter
    QString fileName;

    void message(QWidget*, const QString& text, const QString& title, bool warning) override
    {
        messages.append({text, title, warning});
    }
    bool askYesNo(QWidget*, const QString& question, const QString& title) override
    {
        questions.append({question, title, false});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& title, const QString& folder, const QString& filter) override
    {
        return fileDialog(title, folder, filter);
    }
    QString saveFileName(QWidget*, const QString& title, const QString& folder, const QString& filter) override
    {
        return fileDialog(title, folder, filter);
    }
    void details(QWidget*, const QString& title, const QString&) override { detailTitles.append(title); }

private:
    QString fileDialog(const QString& title, const QString& folder, const QString& filter)
    {
        fileDialogTitles.append(title);
        fileDialogs.append({title, folder, filter});
        return fileName;
    }
};

// A program folder and a data folder inside one temporary folder.
class TempProgram {
public:
    TempProgram()
    {
        QDir root(dir_.path());
        root.mkpath(QStringLiteral("program"));
        root.mkpath(QStringLiteral("data"));
        paths_.programFolder = root.filePath(QStringLiteral("program"));
        paths_.dataFolder = root.filePath(QStringLiteral("data"));
    }
    const ProgramPaths& paths() const { return paths_; }
    QString programFile(const QString& name) const { return paths_.programFile(name); }
    QString dataFile(const QString& name) const { return paths_.dataFile(name); }
    bool write(const QString& name, const QStringList& lines) const
    {
        return writeTextLines(programFile(name), lines).ok();
    }

private:
    QTemporaryDir dir_;
    ProgramPaths paths_;
};

// A main window over a temporary program folder: write the folder's files,
// then open() (again to reopen) the window over them.
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
// "K2" ([CONFIG2] line 2), "F45" ([FORM] line 45), "W19" ([WIZARD] line 19),
// "S0" (suggestion 0).
inline QString sectionText(char section, int n)
{
    return QString(QLatin1Char(section)) + QString::number(n);
}

// A complete language file: heading, 8 configuration texts, 8 [CONFIG2]
// texts, `formLines` [FORM] texts, 19 [WIZARD] texts and 15 suggestions, all
// named by sectionText. Drop or alter lines to make a broken file.
inline QStringList languageLines(int formLines = 65)
{
    QStringList lines{QStringLiteral("Fichier de langue pour les tests")};
    const auto section = [&lines](char prefix, int from, int to) {
        for (int n = from; n <= to; ++n)
            lines.append(sectionText(prefix, n));
    };
    section('C', 1, 8);
    lines.append(QStringLiteral("[CONFIG2]"));
    section('K', 1, 8);
    lines.append(QStringLiteral("[FORM]"));
    section('F', 1, formLines);
    lines.append(QStringLiteral("[WIZARD]"));
    section('W', 1, 19);
    lines.append(QStringLiteral("[SUGESTIONS]"));
    section('S', 0, 14);
    lines.append(QStringLiteral("[END]"));
    return lines;
}

}  // namespace ce::testing
