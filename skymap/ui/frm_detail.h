#pragma once
// FrmDetail: the object details window. It shows the report on one
// catalogue star (identification, magnitudes, coordinates for J2000.0 and
// for the typed epoch, catalogue name) in a read-only monospace box, copies
// it to the clipboard with "Copier" and closes with "OK" or its close box.
// Fixed French texts; they do not come from the language file.
//
// Usage: showFrmDetail(mainWindow, report.title, report.text) builds a fresh
// window, shows it modally and returns once the user has closed it.

#include "app/builtin_texts.h"
#include "app/language_table.h"

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace ce {

namespace skymap {

class FrmDetail final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmDetail)

public:
    // The buttons' captions come from `lang`.
    explicit FrmDetail(const LanguageTable& lang, QWidget* parent = nullptr);

    // Sets the window title and the report (lines joined with CR LF, as the
    // report is built); the box shows one line per report line.
    void fill(const QString& title, const QString& report);

    // The whole content of the box, lines joined with CR LF again.
    QString report() const;

    // "Copier": the whole content on the clipboard as plain text, replacing
    // the clipboard's text; the window stays open.
    void copy();

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace skymap

// Builds a fresh FrmDetail over `parent`, fills it with the title and the
// report and shows it modally; returns when it has been closed ("OK" or the
// close box). Nothing survives from one call to the next.
void showFrmDetail(QWidget* parent, const QString& title, const QString& report,
                   const LanguageTable& lang = builtinLanguage());

}  // namespace ce
