#pragma once
// Putting the language texts on a window's controls.
//
// One table per form key says which text of the language table goes on
// which control; the controls are found by their objectName, so the same
// code serves the main window and the secondary windows. Keys: "Form" (main
// window), "Config" (optical configuration list), "Config2" (classical
// calibration), "Wizard" (assistant), "aide" (help window). Any other key
// assigns nothing.

#include "app/language_table.h"

#include <QList>
#include <QString>

class QWidget;

namespace ce {

// One caption: the control's objectName (empty for the window title) and
// the text it receives.
struct CaptionAssignment {
    QString control;
    QString text;
};

// The captions of a form key, in the order they are put on the window.
// "aide" gives the help window's title alone ([FORM] line 13, the text of
// the help menu entry); it never touches another window.
QList<CaptionAssignment> languageCaptions(const LanguageTable& lang, const QString& key);

// Puts the captions of `key` on `window`, in the order of
// languageCaptions. Controls the window lacks are skipped.
void applyCaptions(QWidget& window, const LanguageTable& lang, const QString& key);

// The main window's full language step: applyCaptions, and for "Form" it
// then fills the language messages, gives CheckDecideur the caption of Frm_6
// and shows suggestion 0 in `sugestion`.
void ApplyLang(QWidget& window, LanguageTable& lang, const QString& key);

}  // namespace ce
