#pragma once
// The program's start-up: splash window, language table, main window,
// marker tables.
//
// Usage:
//   1. Startup startup(paths, dialogs);   // paths: the program and data folders
//   2. if (!startup.run()) return 1;      // false: lang.cfg could not be read,
//                                         // one message box said why
//   3. startup.mainWindow() is shown; its programEnd() signal ends the program.
// Tests hand in temporary folders and a scripted Dialogs.

#include "app/language_table.h"
#include "core/program_paths.h"

#include <memory>

class QTranslator;

namespace ce {

class Dialogs;
class Form1;
class KeyStateFilter;

class Startup final {
public:
    Startup(ProgramPaths paths, Dialogs& dialogs);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // The whole sequence:
    //   1. read the language file chosen in options.ini, or lang.cfg (a
    //      chosen file that fails: one box says so and lang.cfg is read; lang.cfg
    //      failing: one message box naming the file and the line, and false:
    //      the main window is never created);
    //   2. show the splash window and start its timer;
    //   3. create Form1 (its load reads defaut.cfg) and apply the texts "Form";
    //   4. let events run until the splash bar reaches 99;
    //   5. show Form1, create the marker tables, release the splash window and
    //      make Form1 the active window.
    bool run();

    Form1* mainWindow() const { return form_.get(); }
    LanguageTable& lang() { return lang_; }
    // The file name of the language file in use, e.g. "lang.cfg".
    const QString& languageFile() const { return languageFile_; }
    // Splash timer ticks counted before the splash window was released.
    int splashTicks() const { return splashTicks_; }

private:
    bool loadLanguage();
    void useLanguage();

    ProgramPaths paths_;
    Dialogs& dialogs_;
    LanguageTable lang_;
    QString languageFile_;
    std::unique_ptr<KeyStateFilter> keys_;
    std::unique_ptr<QTranslator> qtTexts_;
    std::unique_ptr<Form1> form_;
    int splashTicks_ = 0;
};

}  // namespace ce
