#pragma once
// What the controller tests share: temporary program and data folders, a
// language table whose texts name their own numbers, a controller over the
// scripted window, catalogue answers laid out as the service writes them,
// the local catalogue service on 127.0.0.1, and main().

#include "app/builtin_texts.h"
#include "app/flow/reduction_controller.h"
#include "app/language_table.h"
#include "core/program_paths.h"
#include "tests/flow/fake_view.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <string>
#include <vector>

namespace ce::testing {

// Language message N reads "message N", suggestion N "suggestion N", so a
// test sees which text was used without restating any wording. A later
// message that takes values reads "message N %1 %2 ..." with as many place
// holders as the program's own text.
inline LanguageTable numberedLanguage()
{
    LanguageTable lang;
    for (int n = 0; n <= 20; ++n) lang.form[std::size_t(45 + n)] = QStringLiteral("message %1").arg(n);
    for (int n = kFirstLaterMessage; !builtinMessage(n).isEmpty(); ++n) {
        QString text = QStringLiteral("message ") + QString::number(n);
        for (int k = 1; builtinMessage(n).contains(u'%' + QString::number(k)); ++k)
            text += QStringLiteral(" %") + QString::number(k);
        lang.form[std::size_t(45 + n)] = text;
    }
    lang.fillMessages();
    for (int n = 0; n <= 20; ++n) lang.suggestions[std::size_t(n)] = QStringLiteral("suggestion %1").arg(n);
    // Keyed texts read "<key>", followed by " %1" where the program puts a
    // value in: the key shows which text was used.
    // Every key the program knows, so that none falls back to French.
    for (const auto& [key, french] : builtinLanguage().keyed) {
        QString text = key;
        for (int k = 1; french.contains(u'%' + QString::number(k)); ++k)
            text += QStringLiteral(" %") + QString::number(k);
        lang.keyed[key] = text;
    }
    return lang;
}

inline QString message(int n) { return QStringLiteral("message %1").arg(n); }
// A later message with its values: message(23, {"12", "0.4", "0.5"}).
inline QString message(int n, const QStringList& values)
{
    return message(n) + u' ' + values.join(u' ');
}

// Texts as one readable line, so that a failed comparison shows them.
inline std::string lines(const QStringList& texts) { return texts.join(QStringLiteral(" | ")).toStdString(); }

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A program folder and a data folder of the test's own.
struct Folders {
    QTemporaryDir program;
    QTemporaryDir data;

    ProgramPaths paths() const
    {
        ProgramPaths p;
        p.programFolder = program.path(), p.dataFolder = data.path();
        return p;
    }
    QString catalogueFile() const { return paths().catalogueFile(); }
    void writeProgramFile(const QString& name, const QByteArray& bytes) const
    {
        writeFile(program.path() + u'/' + name, bytes);
    }
    void writeServer(const QString& base) const { writeProgramFile(QStringLiteral("serveur.cfg"), base.toUtf8() + "\r\n"); }
    void writeCatalogue(const QByteArray& bytes) const { writeFile(catalogueFile(), bytes); }
    QByteArray catalogueBytes() const
    {
        QFile f(catalogueFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
};

// A controller with its markers, over a scripted window, folders of its own
// and the numbered texts.
struct FlowRig {
    FlowRig() { controller.createMarkers(); }
    FlowRig(const FlowRig&) = delete;
    FlowRig& operator=(const FlowRig&) = delete;

    Folders folders;
    FakeView view;
    LanguageTable lang = numberedLanguage();
    ReductionController controller{view, lang, folders.paths()};
    ReductionState& st = controller.state();
};

// One star of a test catalogue, J2000.0 degrees and magnitudes.
struct TestStar { double raDeg = 0, decDeg = 0, magR = 12.0, magB = 13.0; };

inline QByteArray starIdentifier(int n) { return QStringLiteral("U0975_%1").arg(n, 8, 10, QChar(u'0')).toLatin1(); }

// The service's answer page listing `stars` in the given order (head, "<pre>",
// the bold header closed by the first record's "</b>", 65-column records, closing
// tags), or with `extract` the "id ra dec magR magB" lines the local service reads.
inline QByteArray answerPage(const std::vector<TestStar>& stars, bool extract = false)
{
    QByteArray page = extract ? QByteArray()
                              : "<html><head><title>USNO-A2.0</title></head><body>\n<pre>\n"
                                "<b>  nr ID              ra        dec       r_mag b_mag d'       pa\n";
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const TestStar& s = stars[i];
        const QByteArray id = starIdentifier(int(i + 1));
        char line[128];
        if (extract)
            std::snprintf(line, sizeof line, "%s %.5f %+.5f %.1f %.1f\n", id.constData(), s.raDeg, s.decDeg, s.magR,
                          s.magB);
        else
            std::snprintf(line, sizeof line, "%s%4d %s %9.5f %+09.5f %4.1f %4.1f %8.3f %8.3f\n", i ? "" : "</b>",
                          int(i + 1), id.constData(), s.raDeg, s.decDeg, s.magR, s.magB, 0.0, 0.0);
        page += line;
    }
    return extract ? page : page + "\n</pre>\n</body></html>\n";
}
inline QByteArray extractText(const std::vector<TestStar>& stars) { return answerPage(stars, true); }

#ifdef CE_CATALOGUE_SERVICE_EXE
// The local catalogue service on 127.0.0.1 and a port of its choosing, with
// further options ("--hang", "--status", "404", ...); stopped when the object
// goes. port() is 0 when it did not start.
class CatalogueService {
public:
    CatalogueService(const QString& extractPath, const QStringList& options = {})
    {
        process_.start(QString::fromUtf8(CE_CATALOGUE_SERVICE_EXE),
                       QStringList{"--extract", extractPath, "--port", "0", "--exit-after-seconds", "120"} + options);
        static const QRegularExpression portLine(QStringLiteral("PORT (\\d+)"));
        QByteArray out;
        while (process_.waitForStarted(10000) && process_.waitForReadyRead(10000)) {
            out += process_.readAllStandardOutput();
            const auto m = portLine.match(QString::fromLatin1(out));
            if (m.hasMatch()) {
                port_ = m.captured(1).toInt();
                return;
            }
        }
    }
    ~CatalogueService()
    {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(2000);
    }
    CatalogueService(const CatalogueService&) = delete;
    CatalogueService& operator=(const CatalogueService&) = delete;

    int port() const { return port_; }
    QString baseAddress() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

private:
    QProcess process_;
    int port_ = 0;
};
#endif  // CE_CATALOGUE_SERVICE_EXE

}  // namespace ce::testing

// main() of a controller test: a core application for the event loops, and
// requests straight to 127.0.0.1, never through a proxy the environment names.
#define CE_FLOW_TEST_MAIN()                                                                                    \
    int main(int argc, char** argv)                                                                            \
    {                                                                                                          \
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) \
            qunsetenv(name);                                                                                   \
        QCoreApplication app(argc, argv);                                                                      \
        ::testing::InitGoogleTest(&argc, argv);                                                                \
        return RUN_ALL_TESTS();                                                                                \
    }
