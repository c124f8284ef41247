#pragma once
// Where the program finds its own files and keeps the downloaded catalogue.
//
// The program folder holds lang.cfg, aide.rtf, defaut.cfg, config.cfg and
// serveur.cfg; the data folder (the user's application data folder) holds
// data.txt and test.bmp. Tests hand temporary folders in through this record.

#include <QString>

namespace ce {

struct ProgramPaths {
    QString programFolder;
    QString dataFolder;

    QString programFile(const QString& name) const { return programFolder + u'/' + name; }
    QString dataFile(const QString& name) const { return dataFolder + u'/' + name; }
    QString catalogueFile() const { return dataFile(QStringLiteral("data.txt")); }

    // The catalogue service address given for this run only, overriding
    // serveur.cfg and the chosen VizieR mirror: the "--service URL" option,
    // else the CINQ_ETOILES_SERVICE environment variable. Empty: none.
    enum class ServiceOrigin { None, Option, Environment };
    QString serviceAddress;
    ServiceOrigin serviceOrigin = ServiceOrigin::None;

    // An image path typed by the user: used as typed when absolute ("/..." or
    // a drive letter and ":"), otherwise relative to the program folder, with
    // "\" read as "/" (paths stored by the program on Windows) unless a file
    // of that very name exists.
    QString resolveImagePath(const QString& typed) const;

    // The folders of the installed program: the executable's folder and
    // QStandardPaths::AppLocalDataLocation (created when missing).
    static ProgramPaths forInstalledProgram();
};

}  // namespace ce
